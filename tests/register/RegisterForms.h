#pragma once
#include "support/ProgramForms.h"
#include <QFile>

class DBGrid;

// The program over a database holding a few offers, demands and towns.
struct RegisterForms : ProgramForms {
    RegisterForms();

    QString layoutPath() const { return dir.file(QStringLiteral("Data/BazaGrid.ini")); }
    void writeLayout(const QByteArray &bytes) const
    {
        QFile f(layoutPath());
        if (f.open(QIODevice::WriteOnly)) f.write(bytes);
    }
    Table &sale() const { return DMDomlar->table(QStringLiteral("ADOTBazaSale")); }
    Table &spros() const { return DMDomlar->table(QStringLiteral("ADOTBazaSpros")); }
};

// The logical column showing a field (the first when there are two).
int columnOf(DBGrid &grid, const QString &field);
