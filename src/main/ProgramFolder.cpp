#include "main/ProgramFolder.h"
#include "platform/AppError.h"
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace ProgramFolder {

namespace {

const QString DatabaseName = QStringLiteral("domlar.mde");

QString optionValue(const QStringList &arguments)
{
    const qsizetype at = arguments.indexOf(QStringLiteral("--program-folder"));
    return at >= 0 && at + 1 < arguments.size() ? arguments.at(at + 1) : QString();
}

QString userDataHome(const Inputs &inputs)
{
    if (!inputs.xdgDataHome.isEmpty() && QDir::isAbsolutePath(inputs.xdgDataHome))
        return inputs.xdgDataHome;
    return QDir(inputs.home).filePath(QStringLiteral(".local/share"));
}

[[noreturn]] void fail(const QString &what, const QString &path)
{
    throw AppError(QStringLiteral("Не удалось подготовить папку программы: %1\n%2")
                       .arg(what, QDir::toNativeSeparators(path)));
}

void makeFolder(const QString &path)
{
    if (!QDir().mkpath(path))
        fail(QStringLiteral("не создана папка"), path);
}

// A plain file becomes an owner-writable copy; a link points where the delivered one does.
void copyOne(const QFileInfo &source, const QString &target)
{
    makeFolder(QFileInfo(target).path());
    if (source.isSymLink()) {
        if (!QFile::link(source.symLinkTarget(), target))
            fail(QStringLiteral("не создана ссылка"), target);
        return;
    }
    if (!QFile::copy(source.filePath(), target)
        || !QFile::setPermissions(target, QFile::permissions(target) | QFile::ReadOwner | QFile::WriteOwner))
        fail(QStringLiteral("не скопирован файл"), target);
}

} // namespace

QString choose(const Inputs &inputs)
{
    const QString option = optionValue(inputs.arguments);
    if (!option.isEmpty())
        return QDir(option).absolutePath();
    if (!inputs.variable.isEmpty())
        return QDir(inputs.variable).absolutePath();
    if (QFileInfo(QDir(inputs.executableFolder).filePath(QStringLiteral("Data"))).isDir())
        return inputs.executableFolder;
    return QDir(userDataHome(inputs)).filePath(QStringLiteral("domlar"));
}

Inputs current()
{
    return {QCoreApplication::arguments(), qEnvironmentVariable("DOMLAR_PROGRAM_FOLDER"),
            QCoreApplication::applicationDirPath(), qEnvironmentVariable("XDG_DATA_HOME"), QDir::homePath()};
}

QString deliveredData(const QString &executableFolder)
{
    return QDir::cleanPath(QDir(executableFolder).filePath(QStringLiteral("../share/domlar/Data")));
}

void seed(const QString &delivered, const QString &programFolder)
{
    const QDir data(QDir(programFolder).filePath(QStringLiteral("Data")));
    const bool newData = !data.exists();
    makeFolder(data.path());
    const QDir from(delivered);
    QDirIterator files(delivered, QDir::Files | QDir::System | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QFileInfo source(files.next());
        const QString name = from.relativeFilePath(source.filePath());
        const QString target = data.filePath(name);
        if (QFileInfo(target).exists() || QFileInfo(target).isSymLink() || (name == DatabaseName && !newData))
            continue;
        copyOne(source, target);
    }
}

} // namespace ProgramFolder
