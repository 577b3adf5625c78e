#include "documents/Report.h"
#include "platform/AppError.h"
#include "report/ReportFile.h"
#include "support/TempDir.h"
#include <gtest/gtest.h>

TEST(ReportFile, BuiltInReportsRoundTripByteForByte)
{
    TFReport holder;   // registers the built-in files
    for (const char *name : {"RSale", "RSpros", "RSearchForSaleDomlar", "RSearchForSprosDomlar", "RRegDocDop", "RImage"}) {
        QFile f(QStringLiteral(":/reports/%1.rkd").arg(QLatin1String(name)));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name;
        const QByteArray bytes = f.readAll();
        EXPECT_EQ(ReportFile::serialize(ReportFile::parse(bytes)).toStdString(), bytes.toStdString()) << name;
    }
}

TEST(ReportFile, KeepsWhatItDoesNotKnowAndSavesTheSameBytes)
{
    const QByteArray file =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<report future=\"yes\">\n"
        "  <page paper=\"A4\" orientation=\"portrait\" left=\"20\" top=\"10\" right=\"10\" bottom=\"10\" font=\"Arial\" size=\"10\" gutter=\"3\"/>\n"
        "  <variables>\n"
        "    <variable name=\" Агентство\"/>\n"
        "    <variable name=\"Название\" value=\"'ООО ''Домлар'''\"/>\n"
        "  </variables>\n"
        "  <band kind=\"title\" height=\"12.5\" keep=\"1\">\n"
        "    <text name=\"T1\" x=\"6\" y=\"2.25\" w=\"25\" h=\"5\" bold=\"1\" frame=\"lt\" framewidth=\"0.5\" fill=\"#ffff00\" format=\"%2.2f\" glow=\"red\">Цена &lt;[Price]&gt; &amp; [Название]</text>\n"
        "    <chart kind=\"pie\">\n"
        "      <slice value=\"1\">first</slice>\n"
        "    </chart>\n"
        "    <line x1=\"0\" y1=\"11\" x2=\"100\" y2=\"11\" width=\"0.5\"/>\n"
        "  </band>\n"
        "  <script>a</script>\n"
        "</report>\n";
    TempDir dir;
    const QString path = dir.write("r.rkd", file);
    const Report r = ReportFile::load(path);
    EXPECT_EQ(r.bands.at(0).objects.size(), 3u);
    EXPECT_EQ(std::get<TextBox>(r.bands[0].objects[0]).text, QStringLiteral("Цена <[Price]> & [Название]"));
    ReportFile::save(r, dir.file("copy.rkd"));
    QFile copy(dir.file("copy.rkd"));
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll().toStdString(), file.toStdString());
}

TEST(ReportFile, BrokenFileNamesLineAndColumn)
{
    struct Case { const char *xml; const char *where; };
    const Case cases[] = {
        {"<report>\n  <band kind=\"data\" height=\"5\">\n  </bnd>\n</report>", "строка 3, столбец"},
        {"<report>\n  <band kind=\"nonsense\" height=\"5\"/>\n</report>", "строка 2, столбец"},
        {"<report>\n\n  <page left=\"ten\"/>\n</report>", "строка 3, столбец"},
        {"<report>\n  <band", "строка 2, столбец"},
        {"", "строка 1, столбец"},
    };
    for (const Case &c : cases) {
        try {
            ReportFile::parse(c.xml);
            ADD_FAILURE() << "no error for " << c.xml;
        } catch (const AppError &e) {
            EXPECT_TRUE(e.text().contains(QString::fromUtf8(c.where))) << e.text().toStdString();
        }
    }
}

TEST(Variables, CategoriesAndSettingInPlaceOrAppending)
{
    Variables v;
    v.set(QStringLiteral(" Клиент"), QString());
    v.set(QStringLiteral("ФИО"), QStringLiteral("'Иванов'"));
    v.set(QStringLiteral("Телефон"), QStringLiteral("'1'"));
    v.set(QStringLiteral("фио"), QStringLiteral("'Петров'"));   // letter case does not matter
    v.set(QStringLiteral("Новая"), QStringLiteral("5"));
    ASSERT_EQ(v.entries().size(), 4u);
    EXPECT_TRUE(Variables::isCategory(v.entries()[0].name));
    EXPECT_EQ(v.entries()[1].name, QStringLiteral("ФИО"));
    EXPECT_EQ(v.entries()[1].value, QStringLiteral("'Петров'"));
    EXPECT_EQ(v.entries()[3].name, QStringLiteral("Новая"));
    EXPECT_EQ(v.find(QStringLiteral("Клиент")), nullptr);   // a category is no variable
    EXPECT_EQ(Variables::quoted(QStringLiteral("ООО 'Дом'")), QStringLiteral("'ООО ''Дом'''"));
}
