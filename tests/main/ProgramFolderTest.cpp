#include "main/ProgramFolder.h"
#include "platform/AppError.h"
#include "support/TempDir.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// The delivered Data folder of a package: a database, a template list and a map in a subfolder.
QString deliveredData(const TempDir &dir)
{
    dir.write("share/domlar/Data/domlar.mde", "delivered database");
    dir.write("share/domlar/Data/dopdoc.sal", "delivered list");
    const QString map = dir.write("share/domlar/Data/maps/Salecom.cgf", "delivered map");
    QFile::setPermissions(map, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);   // as installed
    return dir.file("share/domlar/Data");
}

} // namespace

TEST(ProgramFolder, ChosenByOptionVariableBuildTreeOrUserFolder)
{
    TempDir dir;
    QDir(dir.path()).mkpath("build/bin/Data");
    QDir(dir.path()).mkpath("usr/bin");
    const QString build = dir.file("build/bin"), installed = dir.file("usr/bin");
    const QStringList plain{"domlar"}, option{"domlar", "--program-folder", dir.file("mine")};
    const struct {
        const char *what;
        ProgramFolder::Inputs inputs;
        QString expected;
    } cases[] = {
        {"option", {option, {}, installed, {}, "/home/u"}, dir.file("mine")},
        {"option before variable", {option, dir.file("env"), build, {}, "/home/u"}, dir.file("mine")},
        {"variable", {plain, dir.file("env"), installed, {}, "/home/u"}, dir.file("env")},
        {"variable before build tree", {plain, dir.file("env"), build, {}, "/home/u"}, dir.file("env")},
        {"build tree", {plain, {}, build, "/xdg", "/home/u"}, build},
        {"installed", {plain, {}, installed, {}, "/home/u"}, "/home/u/.local/share/domlar"},
        {"installed, XDG_DATA_HOME", {plain, {}, installed, "/xdg", "/home/u"}, "/xdg/domlar"},
        {"installed, relative XDG_DATA_HOME", {plain, {}, installed, "xdg", "/home/u"}, "/home/u/.local/share/domlar"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ProgramFolder::choose(c.inputs), c.expected) << c.what;
}

TEST(ProgramFolder, DeliveredDataLiesUnderTheSharedFolderOfThePrefix)
{
    EXPECT_EQ(ProgramFolder::deliveredData("/opt/x/bin"), "/opt/x/share/domlar/Data");
}

TEST(ProgramFolder, NewFolderGetsEveryDeliveredFileWritable)
{
    TempDir dir;
    ProgramFolder::seed(deliveredData(dir), dir.file("home/domlar"));
    EXPECT_EQ(contents(dir.file("home/domlar/Data/domlar.mde")), "delivered database");
    EXPECT_EQ(contents(dir.file("home/domlar/Data/dopdoc.sal")), "delivered list");
    const QString map = dir.file("home/domlar/Data/maps/Salecom.cgf");
    EXPECT_EQ(contents(map), "delivered map");
    EXPECT_TRUE(QFile::permissions(map) & QFile::WriteOwner);
}

TEST(ProgramFolder, ExistingDataKeepsItsFilesAndGetsOnlyNewDeliveredOnes)
{
    TempDir dir;
    const QString delivered = deliveredData(dir);
    dir.write("home/domlar/Data/dopdoc.sal", "the user's list");
    dir.write("home/domlar/Data/Data.ini", "[Path]\r\nBaza=/elsewhere/domlar.mde\r\n");

    ProgramFolder::seed(delivered, dir.file("home/domlar"));
    EXPECT_EQ(contents(dir.file("home/domlar/Data/dopdoc.sal")), "the user's list");
    EXPECT_EQ(contents(dir.file("home/domlar/Data/maps/Salecom.cgf")), "delivered map");
    EXPECT_FALSE(QFileInfo::exists(dir.file("home/domlar/Data/domlar.mde")));
}

TEST(ProgramFolder, DatabaseComesOnlyTheFirstTime)
{
    TempDir dir;
    const QString delivered = deliveredData(dir);
    ProgramFolder::seed(delivered, dir.file("home/domlar"));
    dir.write("home/domlar/Data/domlar.mde", "the user's requests");
    ProgramFolder::seed(delivered, dir.file("home/domlar"));
    EXPECT_EQ(contents(dir.file("home/domlar/Data/domlar.mde")), "the user's requests");

    QFile::remove(dir.file("home/domlar/Data/domlar.mde"));   // moved elsewhere by the user
    ProgramFolder::seed(delivered, dir.file("home/domlar"));
    EXPECT_FALSE(QFileInfo::exists(dir.file("home/domlar/Data/domlar.mde")));
}

TEST(ProgramFolder, DeliveredLinkPointsWhereTheDeliveredOneDoes)
{
    TempDir dir;
    const QString utility = dir.write("libexec/domlar/morvex.exe", "utility");
    const QString delivered = deliveredData(dir);
    ASSERT_TRUE(QFile::link("../../../libexec/domlar/morvex.exe", delivered + "/morvex.exe"));

    ProgramFolder::seed(delivered, dir.file("home/domlar"));
    const QFileInfo link(dir.file("home/domlar/Data/morvex.exe"));
    EXPECT_TRUE(link.isSymLink());
    EXPECT_EQ(link.canonicalFilePath(), QFileInfo(utility).canonicalFilePath());
}

TEST(ProgramFolder, FailureIsToldInRussian)
{
    TempDir dir;
    const QString delivered = deliveredData(dir);
    const QString notAFolder = dir.write("home/domlar", "a file where the folder should be");
    try {
        ProgramFolder::seed(delivered, notAFolder);
        FAIL() << "seeding into a file succeeded";
    } catch (const AppError &e) {
        EXPECT_TRUE(e.text().startsWith("Не удалось подготовить папку программы: не создана папка")) << e.text().toStdString();
        EXPECT_TRUE(e.text().contains(notAFolder)) << e.text().toStdString();
    }
}
