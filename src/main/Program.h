#pragma once
#include <QString>

// The program from start to end: the single-copy guard, the windows and the
// data module made in their order, the splash meanwhile, then the main window.
struct ProgramOptions {
    QString programFolder;   // empty: decided by ProgramFolder::choose (a test gives one)
    QString lockFolder;      // where the single-copy guard lives; empty: the user's runtime folder
};

// Returns the exit code; a second copy returns 0 at once and touches nothing.
int runProgram(int &argc, char **argv, const ProgramOptions &options = {});

// Makes the main window, the splash and the data module (the application must exist).
void createForms(const QString &programFolder);
void destroyForms();
