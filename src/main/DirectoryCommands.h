#pragma once

// Wires the main window's directory commands to the directory windows:
// "Организация", "Клиенты", "Сотрудники", "Города, районы, улицы" and the
// thirteen attribute lists of "Характеристики". The windows must exist.
void wireDirectoryCommands();
