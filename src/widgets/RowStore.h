#pragma once
#include <QString>
#include <functional>

class Dataset;

// Stores a row filled by `fill` (the dataset is already in insert or edit
// state) and keeps the order (see keepInOrder). A refused value (a text longer
// than its column, say) cancels the row, so nothing is stored, and the reason
// is shown. Returns whether it was stored.
bool storeRow(Dataset &dataset, const std::function<void()> &fill);

// Lays a sorted dataset's rows out in their order again, so that a row just
// added or changed takes its place at once; the current row stays current.
void keepInOrder(Dataset &dataset);

// Appends a row, fills and stores it; see storeRow.
bool appendRow(Dataset &dataset, const std::function<void()> &fill);

// Puts the current row in edit state, fills and stores it; see storeRow.
bool editRow(Dataset &dataset, const std::function<void()> &fill);

// Asks for a text in an input box that fits `width` characters (0: any): a longer
// text is refused with a message and asked for again, as typed. Returns false
// when the user cancelled.
bool askText(const QString &title, const QString &prompt, QString &text, int width);

// Asks for a name as askText does; an empty name is refused with a message.
// Returns false when the user cancelled or gave an empty name.
bool askName(const QString &title, const QString &prompt, QString &name, int width = 0);

// The most characters a text field of the dataset takes; 0 for no limit.
int textWidth(const Dataset &dataset, const QString &field);

// Asks `question` and deletes the current row on "Да". An empty list only
// tells that there is nothing to delete. Returns whether a row was deleted.
bool confirmDelete(Dataset &dataset, const QString &question);

// The message shown when a list has no row to delete.
QString nothingToDeleteText();
