#pragma once

// The main window's "Сохранение" commands: "Сохранить", "Восстановить" and
// "Сжатие данных". They ask through the dialog facade; the data layer acts.
void wireBackupCommands();

// The three commands, as the menu items run them.
void SaveDatabase();
void RestoreDatabase();
void CompactDatabase();
