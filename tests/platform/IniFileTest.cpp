#include "platform/AppError.h"
#include "platform/IniFile.h"
#include "support/QtPrinters.h"
#include "support/TempDir.h"
#include <QFile>
#include <gtest/gtest.h>

namespace {

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

IniFile loaded(const QString &path)
{
    IniFile ini(path);
    ini.load();
    return ini;
}

// The layout save() writes: CRLF lines, a blank line between sections.
const QByteArray kSample = "[Path]\r\n"
                           "Baza=C:\\Domlar\\Data\\baza.mde\r\n"
                           "(Default)=1\r\n"
                           "\r\n"
                           "[Grids]\r\n"
                           "DBGridEh1.IDBazaSale=0,1,45,-1,1,1,0\r\n"
                           "Width=120\r\n";

} // namespace

TEST(IniFile, RoundTripKeepsNamesAndValuesVerbatim)
{
    TempDir dir;
    const QString path = dir.write(QStringLiteral("Домлар/настройки.ini"), kSample);
    IniFile ini = loaded(path);

    EXPECT_EQ(ini.sections(), QStringList({"Path", "Grids"}));
    EXPECT_EQ(ini.keys("Path"), QStringList({"Baza", "(Default)"}));
    EXPECT_EQ(ini.readString("Path", "(Default)"), "1");
    EXPECT_EQ(ini.readString("Grids", "DBGridEh1.IDBazaSale"), "0,1,45,-1,1,1,0");
    EXPECT_EQ(ini.readInteger("Grids", "Width", 0), 120);

    ini.save();
    EXPECT_EQ(readBytes(path), kSample);
}

TEST(IniFile, NamesCompareWithoutLetterCase)
{
    TempDir dir;
    IniFile ini(dir.file("a.ini"));
    ini.writeString("Path", "Baza", "old");
    ini.writeString("Настройки", "Город", "Ташкент");

    EXPECT_EQ(ini.readString("path", "baza"), "old");
    EXPECT_EQ(ini.readString("НАСТРОЙКИ", "гОРОД"), "Ташкент");
    EXPECT_TRUE(ini.sectionExists("PATH"));

    ini.writeString("PATH", "BAZA", "new");   // replaces, keeping the first spelling
    EXPECT_EQ(ini.sections(), QStringList({"Path", "Настройки"}));
    EXPECT_EQ(ini.keys("Path"), QStringList({"Baza"}));
    EXPECT_EQ(ini.readString("Path", "Baza"), "new");

    ini.deleteKey("настройки", "ГОРОД");
    EXPECT_TRUE(ini.keys("Настройки").isEmpty());
    ini.eraseSection("pAtH");
    EXPECT_EQ(ini.sections(), QStringList({"Настройки"}));
}

TEST(IniFile, WritesReplaceInPlaceAndAppendNewNamesAtTheEnd)
{
    TempDir dir;
    const QString path = dir.write("a.ini", kSample);
    IniFile ini = loaded(path);
    ini.writeString("path", "baza", "D:\\Новая");
    ini.writeInteger("Path", "Count", 3);
    ini.writeString("Новый", "Ключ", "значение");
    ini.save();

    EXPECT_EQ(QString::fromUtf8(readBytes(path)), QStringLiteral("[Path]\r\n"
                                                                 "Baza=D:\\Новая\r\n"
                                                                 "(Default)=1\r\n"
                                                                 "Count=3\r\n"
                                                                 "\r\n"
                                                                 "[Grids]\r\n"
                                                                 "DBGridEh1.IDBazaSale=0,1,45,-1,1,1,0\r\n"
                                                                 "Width=120\r\n"
                                                                 "\r\n"
                                                                 "[Новый]\r\n"
                                                                 "Ключ=значение\r\n"));
}

// Each file is read, its value checked, then saved back: the bytes written must
// be in the encoding the file came in.
TEST(IniFile, ReadsAndWritesBackUtf8AndCp1251)
{
    struct Case { const char *name; QByteArray bytes; QString value; QByteArray saved; };
    const QByteArray utf8 = QStringLiteral("[Path]\r\nBaza=C:\\Домлар\\Ёлка №5 — «Дом»\r\n").toUtf8();
    const QByteArray cp1251 = "[Path]\r\nBaza=C:\\\xc4\xee\xec\xeb\xe0\xf0\\\xa8\xeb\xea\xe0 \xb9" "5 \x97 \xab\xc4\xee\xec\xbb\r\n";
    const Case cases[] = {
        {"utf-8", utf8, QStringLiteral("C:\\Домлар\\Ёлка №5 — «Дом»"), utf8},
        {"utf-8 with BOM", "\xEF\xBB\xBF" + utf8, QStringLiteral("C:\\Домлар\\Ёлка №5 — «Дом»"), utf8},
        {"cp1251", cp1251, QStringLiteral("C:\\Домлар\\Ёлка №5 — «Дом»"), cp1251},
        {"cp1251, one high byte at the end", "[Path]\r\nBaza=\xc4", QStringLiteral("Д"), "[Path]\r\nBaza=\xc4\r\n"},
    };
    TempDir dir;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.write("a.ini", c.bytes);
        const IniFile ini = loaded(path);
        EXPECT_EQ(ini.readString("Path", "Baza"), c.value);
        ini.save();
        EXPECT_EQ(readBytes(path), c.saved);
    }
}

TEST(IniFile, Cp1251FileTakesUtf8WhenAValueHasNoCp1251Letter)
{
    TempDir dir;
    const QString path = dir.write("a.ini", "[Path]\r\nBaza=\xc4\xee\xec\r\n");
    IniFile ini = loaded(path);
    ini.writeString("Path", "Mark", QStringLiteral("✓"));
    ini.save();
    EXPECT_EQ(QString::fromUtf8(readBytes(path)), QStringLiteral("[Path]\r\nBaza=Дом\r\nMark=✓\r\n"));
}

// A key the file does not yield is expected as kAbsent.
TEST(IniFile, DamagedFilesKeepTheRecognisableEntries)
{
    const QString kAbsent = QStringLiteral("<absent>");
    struct Case { const char *name; QByteArray bytes; QList<QPair<QString, QString>> expected; };
    const Case cases[] = {
        {"garbage, comments, spaces, duplicates",
         "orphan=1\n; Baza=comment\n  just words  \n[Path] \n  Baza  =  C:\\x  \n=novalue\n"
         "baza=second\n[Broken\nlost=1\n[ path ]\nExtra=2\n",
         {{"Baza", "C:\\x"}, {"Extra", "2"}, {"orphan", kAbsent}, {"lost", kAbsent}, {"just words", kAbsent}}},
        {"binary junk", QByteArrayLiteral("[Path]\r\nBaza=1\r\n\x00\x01\xff\xfe=\x02\r\n\xff\xff\xff\r\nNext=2\r\n"),
         {{"Baza", "1"}, {"Next", "2"}}},
        {"truncated inside a line", "[Path]\r\nBaza=1\r\nNext=2\r\nTrunc", {{"Baza", "1"}, {"Next", "2"}, {"Trunc", kAbsent}}},
        {"utf-8 truncated inside a letter", QStringLiteral("[Path]\r\nBaza=Дом\r\nNext=Ю").toUtf8().chopped(1),
         {{"Baza", "Дом"}, {"Next", ""}}},
    };
    TempDir dir;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const IniFile ini = loaded(dir.write("a.ini", c.bytes));
        EXPECT_EQ(ini.sections(), QStringList({"Path"}));
        for (const auto &[key, value] : c.expected)
            EXPECT_EQ(ini.readString("Path", key, kAbsent), value) << key.toStdString();
    }
}

TEST(IniFile, ReadIntegerFallsBackOnNonNumbers)
{
    IniFile ini(QStringLiteral("unused.ini"));
    const QPair<QString, int> cases[] = {{"42", 42}, {"-7", -7}, {"abc", -1}, {"", -1}, {"12abc", -1}, {"1.5", -1}};
    for (const auto &[text, expected] : cases) {
        ini.writeString("S", "k", text);
        EXPECT_EQ(ini.readInteger("S", "k", -1), expected) << text.toStdString();
    }
    EXPECT_EQ(ini.readInteger("S", "missing", 5), 5);
}

TEST(IniFile, LoadingAMissingFileGivesAnEmptyIni)
{
    TempDir dir;
    const QString path = dir.write("a.ini", kSample);
    IniFile ini = loaded(path);
    QFile::remove(path);
    ini.load();
    EXPECT_TRUE(ini.sections().isEmpty());
    EXPECT_EQ(ini.readString("Path", "Baza", "def"), "def");
}

TEST(IniFile, SaveIntoAMissingFolderThrowsAppError)
{
    TempDir dir;
    IniFile nowhere(dir.file("нет такой папки/a.ini"));
    nowhere.writeString("S", "k", "v");
    try {
        nowhere.save();
        FAIL() << "no AppError";
    } catch (const AppError &e) {
        EXPECT_TRUE(e.text().startsWith(QStringLiteral("Не удалось записать файл «") + nowhere.path() + "»: "))
            << e.what();
    }
}
