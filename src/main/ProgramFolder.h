#pragma once
#include <QString>
#include <QStringList>

// Where the program keeps its "Data" folder, the pictures and the rate files.
// An installed program cannot write beside its executable, so each user gets
// a folder of their own, filled from the copy the package delivers.
namespace ProgramFolder {

// What the decision looks at, gathered once at start.
struct Inputs {
    QStringList arguments;      // the command line, program name first
    QString variable;           // DOMLAR_PROGRAM_FOLDER
    QString executableFolder;
    QString xdgDataHome;        // XDG_DATA_HOME
    QString home;
};

// "--program-folder DIR"; else the variable; else the executable's folder when
// it holds "Data" (the build tree, a portable copy); else the user's data home
// + "/domlar". A relative XDG_DATA_HOME is ignored, as the XDG rules say.
QString choose(const Inputs &inputs);

// The inputs of this process (the application object must exist).
Inputs current();

// The files the package delivers: <executable folder>/../share/domlar/Data.
QString deliveredData(const QString &executableFolder);

// Copies every delivered file that "Data" in the program folder lacks, never
// overwriting one. The database comes only with a new "Data": a user whose
// database is named in "Data.ini" must not get an empty one that wins over it.
// Copies are writable by their owner; a delivered link is made again to the
// same target. Throws AppError with a Russian text on failure.
void seed(const QString &delivered, const QString &programFolder);

} // namespace ProgramFolder
