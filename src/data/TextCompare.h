#pragma once
#include <QStringView>

// The program's order of texts: letter case ignored (Cyrillic too), "ё" just
// after "е", otherwise by character. Equal only when equal but for case.
// Used for the NOCASE collation of the database and for sorting datasets, so
// that both agree.
int compareText(QStringView a, QStringView b);
int compareUtf8Text(const char *a, int lengthA, const char *b, int lengthB);
