#include "ReportData.h"
#include "documents/DatasetReportSource.h"
#include "report/Expression.h"
#include <gtest/gtest.h>

// Every kind of bracket, evaluated on the first offer of a real database.
TEST(Expression, TableOfCases)
{
    ReportData data;
    data.addOffers(1);
    data.exec("UPDATE BazaSale SET DateReg = '1899-12-30' WHERE IDBazaSale = 1");
    data.sale().requery();
    DatasetReportSource sale(QStringLiteral("BazaSale"), data.sale());
    std::vector<ReportSource *> sources{&sale};
    Variables vars;
    vars.set(QStringLiteral(" Агентство"), QString());
    vars.set(QStringLiteral("Название"), Variables::quoted(QStringLiteral("ООО 'Домлар'")));
    vars.set(QStringLiteral("Курс"), QStringLiteral("92.5"));
    vars.set(QStringLiteral("Сломанная"), QStringLiteral("'ООО 'Домлар''"));
    vars.set(QStringLiteral("Цена клиента"), QStringLiteral("BazaSale.\"PriceUSD\""));

    struct Case { const char *text; const char *format; const char *expected; int notes; };
    const Case cases[] = {
        {"[IDBazaSale]", "", "1", 0},
        {"Код [ IDBazaSale ] из [BazaSale.\"IDBazaSale\"]", "", "Код 1 из 1", 0},
        {"[BazaSale.\"Price\"]", "%2.2f", "25000,50", 0},
        {"[Price]", "", "25000,5", 0},
        {"[PriceUSD]", "%2.2f", "10005,00", 0},
        {"[Price]", "%d", "25001", 0},
        {"[DateReg]", "", "", 0},                        // the zero date prints empty
        {"[Date]", "", "01.12.2026", 0},
        {"[Date]", "yyyy-MM-dd", "2026-12-01", 0},
        {"№ [Line#]", "", "№ 4", 0},
        {"[Название]", "", "ООО 'Домлар'", 0},
        {"[название]", "", "ООО 'Домлар'", 0},
        {"[Курс]", "%2.2f", "92,50", 0},
        {"[Цена клиента]", "%2.2f", "10005,00", 0},
        {"['a]b']", "", "a]b", 0},
        {"[Сломанная]", "", "", 1},
        {"до [Нет такого] после", "", "до  после", 1},
        {"[Page#] из [TotalPages#]", "", "\xee\x80\x80 из \xee\x80\x81", 0},
        {"без скобок [", "", "без скобок [", 0},
    };
    std::vector<int> rows{0};
    const EvaluationState state{sources, rows, 4, QDate(2026, 12, 1), QTime(10, 0)};
    for (const Case &c : cases) {
        QStringList notes;
        const ExpressionScope scope{sources, 0, vars};
        const CompiledText t = CompiledText::compile(QString::fromUtf8(c.text), scope,
                                                     DisplayFormat(QString::fromUtf8(c.format)), &notes);
        EXPECT_EQ(t.evaluate(state), QString::fromUtf8(c.expected)) << c.text << " " << c.format;
        EXPECT_EQ(notes.size(), c.notes) << c.text;
    }
}

TEST(Expression, DecimalTextRoundsAndUsesComma)
{
    struct Case { qint64 units; int decimals; const char *expected; };
    const Case cases[] = {{250005000, 2, "25000,50"}, {250005000, -1, "25000,5"}, {5, 2, "0,00"},
                          {50, 2, "0,01"},             {-12345, 1, "-1,2"},         {10000, 0, "1"},
                          {-40, 2, "0,00"},            {123, 6, "0,012300"}};
    for (const Case &c : cases) EXPECT_EQ(decimalText(c.units, c.decimals), QString::fromUtf8(c.expected)) << c.units;
}
