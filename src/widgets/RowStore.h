#pragma once
#include <QString>
#include <functional>

class Dataset;

// Stores a row filled by `fill` (the dataset is already in insert or edit
// state). A refused value (a text longer than its column, say) cancels the
// row, so nothing is stored, and the reason is shown. Returns whether it was stored.
bool storeRow(Dataset &dataset, const std::function<void()> &fill);

// Appends a row, fills and stores it; see storeRow.
bool appendRow(Dataset &dataset, const std::function<void()> &fill);

// Puts the current row in edit state, fills and stores it; see storeRow.
bool editRow(Dataset &dataset, const std::function<void()> &fill);

// Asks for a name in an input box; an empty name is refused with a message.
// Returns false when the user cancelled or gave an empty name.
bool askName(const QString &title, const QString &prompt, QString &name);

// Asks `question` and deletes the current row on "Да". An empty list only
// tells that there is nothing to delete. Returns whether a row was deleted.
bool confirmDelete(Dataset &dataset, const QString &question);

// The message shown when a list has no row to delete.
QString nothingToDeleteText();
