#include "cards/KardSale.h"
#include "cards/KardSpros.h"
#include "data/Query.h"
#include "register/Baza.h"
#include "report/ui/PreviewWindow.h"
#include "search/SearchForSale.h"
#include "search/SearchForSpros.h"
#include "support/ProgramForms.h"
#include "widgets/DBGrid.h"
#include "widgets/NumberEdits.h"
#include <QApplication>
#include <QLineEdit>
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr Criteria None{};

struct Search : ProgramForms {
    Table &sale() { return DMDomlar->table("ADOTBazaSale"); }
    Table &spros() { return DMDomlar->table("ADOTBazaSpros"); }

    // Rows are stored as SQL value lists for the columns named.
    void offers(const QString &columns, const QString &rows)
    {
        exec("INSERT INTO BazaSale (" + columns + ") VALUES " + rows, "ADOTBazaSale");
    }
    void demands(const QString &columns, const QString &rows)
    {
        exec("INSERT INTO BazaSpros (" + columns + ") VALUES " + rows, "ADOTBazaSpros");
    }

    // The keys a search from the given request finds.
    QList<int> found(SearchWindow *w, int from, const Criteria &ticked)
    {
        const bool demandsSearch = w == FSearchForSale;
        EXPECT_TRUE(w->start().locate(demandsSearch ? "IDBazaSale" : "IDBazaSpros", from));
        w->setTicked(ticked);
        w->Search();
        return keys(w->result(), demandsSearch ? "IDBazaSpros" : "IDBazaSale");
    }
    static QList<int> keys(Dataset &d, const QString &key)
    {
        QList<int> out = columnInts(d, key);
        std::sort(out.begin(), out.end());
        return out;
    }
};

Criteria only(int index)
{
    Criteria c{};
    c[size_t(index)] = true;
    return c;
}

} // namespace

// The texts are the fragments appended in the criteria's order, with nothing between them.
TEST(MatchQuery, FragmentsAppendedInOrder)
{
    EXPECT_EQ(matchSql(MatchDirection::DemandsForOffer, None), "SELECT * FROM BazaSpros WHERE (NameType=:NameType)");
    EXPECT_EQ(matchSql(MatchDirection::DemandsForOffer, AllCriteria),
              "SELECT * FROM BazaSpros WHERE (NameType=:NameType) and ((LevelMin<=:Level) and (LevelMax>=:Level))"
              " and ((KolRoomMin<=:KolRoom) and (KolRoomMax>=:KolRoom)) and ((S_ObshMin<=:S_Obsh) and "
              "(S_ObshMax>=:S_Obsh)) and (S_JilMin<=:S_Jil) and (S_KuhMin<=:S_Kuh) and (H_PotolokMin<=:H_Potolok)");
    EXPECT_EQ(matchSql(MatchDirection::OffersForDemand, AllCriteria),
              "SELECT * FROM BazaSale WHERE (NameType=:NameType) and ((Level>=:LevelMin) and (Level<=:LevelMax))"
              " and ((KolRoom>=:KolRoomMin) and (KolRoom<=:KolRoomMax)) and ((S_Obsh>=:S_ObshMin) and "
              "(S_Obsh<=:S_ObshMax)) and (S_Jil>=:S_JilMin) and (S_Kuh>=:S_KuhMin) and (H_Potolok>=:H_PotolokMin)");
    EXPECT_EQ(matchSql(MatchDirection::OffersForDemand, only(4)),
              "SELECT * FROM BazaSale WHERE (NameType=:NameType) and (S_Kuh>=:S_KuhMin)");
}

// A name used twice is one parameter; values are typed by the field; no value binds as 0 or "".
TEST(MatchQuery, ParametersFromTheStartingRequest)
{
    Search f;
    f.offers("IDBazaSale, NameType, Level, S_Obsh, H_Potolok", "(1, 'Дом', 5, 4250000, NULL)");
    SqlText sql;
    sql.setSql(matchSql(MatchDirection::DemandsForOffer, AllCriteria));
    EXPECT_EQ(sql.paramNames(), QStringList({"NameType", "Level", "KolRoom", "S_Obsh", "S_Jil", "S_Kuh", "H_Potolok"}));
    bindMatchParams(sql, f.sale());
    EXPECT_EQ(sql.param("NameType").toString(), "Дом");
    EXPECT_EQ(sql.param("Level").toLongLong(), 5);
    EXPECT_EQ(sql.param("KolRoom").toLongLong(), 0);
    EXPECT_EQ(sql.param("S_Obsh").value<Money>(), *Money::parse("425"));
    EXPECT_EQ(sql.param("H_Potolok").value<Money>(), Money());

    f.exec("UPDATE BazaSale SET NameType=NULL", "ADOTBazaSale");
    bindMatchParams(sql, f.sale());
    EXPECT_EQ(sql.param("NameType"), QVariant(QString()));
}

// With nothing ticked every request of the other kind with the same type is found, whatever its values.
TEST(Search, NothingTickedComparesTheTypeOnly)
{
    Search f;
    f.offers("IDBazaSale, NameType, Level", "(1, 'Квартира', 9), (2, 'Дом', 1), (3, 'Квартира', NULL)");
    f.demands("IDBazaSpros, NameType, LevelMin, LevelMax", "(1, 'Квартира', 1, 2), (2, 'Квартира', NULL, NULL), (3, 'Дом', 0, 0)");
    EXPECT_EQ(f.found(FSearchForSale, 1, None), QList<int>({1, 2}));
    EXPECT_EQ(f.found(FSearchForSpros, 1, None), QList<int>({1, 3}));
    EXPECT_EQ(f.found(FSearchForSale, 1, AllCriteria), QList<int>());
}

// Bounds are inclusive and 0 is an ordinary bound. A stored field without a value fails its
// comparison, while the starting request's field without a value binds as 0.
TEST(Search, BoundsSeenFromBothSides)
{
    struct Case { const char *offer, *demand; int criterion; bool fromOffer, fromDemand; };
    const Case cases[] = {
        {"Level=5", "LevelMin=5, LevelMax=5", 0, true, true},
        {"Level=6", "LevelMin=5, LevelMax=5", 0, false, false},
        {"Level=4", "LevelMin=5, LevelMax=5", 0, false, false},
        {"Level=0", "LevelMin=0, LevelMax=0", 0, true, true},
        {"Level=1", "LevelMin=0, LevelMax=0", 0, false, false},
        {"KolRoom=3", "KolRoomMin=1, KolRoomMax=3", 1, true, true},
        {"KolRoom=4", "KolRoomMin=1, KolRoomMax=3", 1, false, false},
        {"S_Obsh=500000", "S_ObshMin=500000, S_ObshMax=500000", 2, true, true},
        {"S_Obsh=500001", "S_ObshMin=400000, S_ObshMax=500000", 2, false, false},
        {"S_Jil=300000", "S_JilMin=300000", 3, true, true},
        {"S_Jil=299999", "S_JilMin=300000", 3, false, false},
        {"S_Kuh=0", "S_KuhMin=0", 4, true, true},
        {"S_Kuh=NULL", "S_KuhMin=0", 4, true, false},
        {"S_Kuh=90000", "S_KuhMin=NULL", 4, false, true},
        {"H_Potolok=27000", "H_PotolokMin=27000", 5, true, true},
        {"H_Potolok=26999", "H_PotolokMin=27000", 5, false, false},
    };
    for (const Case &c : cases) {
        Search f;
        f.offers("IDBazaSale, NameType", "(1, 'Квартира')");
        f.demands("IDBazaSpros, NameType", "(1, 'Квартира')");
        f.exec(QStringLiteral("UPDATE BazaSale SET ") + c.offer, "ADOTBazaSale");
        f.exec(QStringLiteral("UPDATE BazaSpros SET ") + c.demand, "ADOTBazaSpros");
        EXPECT_EQ(f.found(FSearchForSale, 1, only(c.criterion)), c.fromOffer ? QList<int>{1} : QList<int>{})
            << c.offer << " / " << c.demand;
        EXPECT_EQ(f.found(FSearchForSpros, 1, only(c.criterion)), c.fromDemand ? QList<int>{1} : QList<int>{})
            << c.offer << " / " << c.demand;
    }
}

// The type compares without letter case, Cyrillic included; the empty type finds only the empty type.
TEST(Search, TypeComparison)
{
    Search f;
    f.offers("IDBazaSale, NameType", "(1, 'КВАРТИРА'), (2, ''), (3, NULL), (4, 'квартира')");
    f.demands("IDBazaSpros, NameType", "(1, 'квартира'), (2, ''), (3, NULL), (4, 'Комната')");
    EXPECT_EQ(f.found(FSearchForSale, 1, None), QList<int>({1}));
    EXPECT_EQ(f.found(FSearchForSpros, 1, None), QList<int>({1, 4}));
    EXPECT_EQ(f.found(FSearchForSale, 2, None), QList<int>({2}));
    EXPECT_EQ(f.found(FSearchForSale, 3, None), QList<int>({2}));   // no type binds as the empty text
    EXPECT_EQ(f.found(FSearchForSpros, 2, None), QList<int>({2}));
}

// The result rows carry the client's particulars, and found offers their address, for the reports.
TEST(Search, ResultCarriesLookups)
{
    Search f;
    f.exec("INSERT INTO SprKlient (IDKlient, NameKlient, AdressKlient, TelKlient) VALUES (3, 'Петров', 'Лесная 1', '555')",
           "ADOTSprKlient");
    f.exec("INSERT INTO SprTown (IDTown, NameTown) VALUES (2, 'Тверь')", "ADOTSprTown");
    f.offers("IDBazaSale, NameType, IDKlient, IDTown", "(1, 'Дом', 3, 2)");
    f.demands("IDBazaSpros, NameType, IDKlient", "(1, 'Дом', 3)");
    ASSERT_EQ(f.found(FSearchForSpros, 1, None), QList<int>({1}));
    Query &offers = FSearchForSpros->result();
    for (auto [field, text] : {std::pair{"NewKlientName", "Петров"}, {"NewKlientAdress", "Лесная 1"},
                               {"NewKlientTel", "555"}, {"NewNameTown", "Тверь"}})
        EXPECT_EQ(offers.fieldByName(field).asString(), QString::fromUtf8(text)) << field;
    ASSERT_EQ(f.found(FSearchForSale, 1, None), QList<int>({1}));
    EXPECT_EQ(FSearchForSale->result().fieldByName("NewKlientName").asString(), "Петров");
    EXPECT_EQ(FSearchForSale->result().fieldIndex("NewNameTown"), -1);
}

// Each showing ticks every criterion again and empties the result.
TEST(Search, ShowingTicksAllAndEmpties)
{
    Search f;
    f.offers("IDBazaSale, NameType", "(1, 'Дом')");
    f.demands("IDBazaSpros, NameType", "(1, 'Дом')");
    for (SearchWindow *w : {static_cast<SearchWindow *>(FSearchForSale), static_cast<SearchWindow *>(FSearchForSpros)}) {
        f.found(w, 1, None);
        ASSERT_EQ(w->grid()->model()->rowCount(), 1);
        f.answerModal([w](QDialog *) {
            EXPECT_EQ(w->ticked(), AllCriteria);
            EXPECT_EQ(w->grid()->model()->rowCount(), 0);
            EXPECT_FALSE(w->result().active());
        });
        w->Execute();
    }
    EXPECT_EQ(FSearchForSale->size(), QSize(631, 548));
    EXPECT_EQ(FSearchForSpros->size(), QSize(632, 551));
}

// A double click opens the found request on its card; saving stores into that request only.
TEST(Search, DoubleClickOpensTheFoundRequest)
{
    Search f;
    f.offers("IDBazaSale, NameType, IDKlient, IDSotrud, IDTown, IDRaion, IDStreet",
             "(1, 'Дом', 1, 1, 1, 1, 1), (2, 'Дом', 1, 1, 1, 1, 1)");
    f.demands("IDBazaSpros, NameType, IDKlient, IDSotrud, LevelMin", "(1, 'Дом', 1, 1, 1), (2, 'Дом', 1, 1, 2)");
    f.answerModal([&](QDialog *) {
        ASSERT_EQ(f.found(FSearchForSale, 1, None), QList<int>({1, 2}));
        DBGrid *grid = FSearchForSale->grid();
        ASSERT_TRUE(FSearchForSale->result().locate("IDBazaSpros", 2));
        const QRect cell = grid->visualRect(grid->model()->index(FSearchForSale->result().recNo(), 3));
        f.answerModal([](QDialog *card) {
            EXPECT_EQ(FKardSpros->IDBazaSpros->value(), 2);
            EXPECT_EQ(FKardSpros->LevelMin->value(), 2);
            FKardSpros->LevelMin->setValue(7);
            card->setResult(6);
        });
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    });
    FSearchForSale->Execute();
    EXPECT_TRUE(f.dialogs.allAnswered());
    EXPECT_EQ(f.stored("SELECT LevelMin FROM BazaSpros WHERE IDBazaSpros=2").toInt(), 7);
    EXPECT_EQ(f.stored("SELECT LevelMin FROM BazaSpros WHERE IDBazaSpros=1").toInt(), 1);

    ASSERT_EQ(f.found(FSearchForSpros, 1, None), QList<int>({1, 2}));
    ASSERT_TRUE(FSearchForSpros->result().locate("IDBazaSale", 1));
    f.answerModal([](QDialog *card) {
        EXPECT_EQ(FKardSale->IDBazaSale->value(), 1);
        FKardSale->Home->setText("9б");
        card->setResult(6);
    });
    FSearchForSpros->OpenFound();
    EXPECT_EQ(f.column("ADOTBazaSale", "Home"), QStringList({"9б", ""}));
}

// A found request that the register hides, or that is gone, opens nothing and stores nothing.
TEST(Search, HiddenOrDeletedRequestOpensNothing)
{
    Search f;
    f.offers("IDBazaSale, NameType", "(1, 'Дом')");
    f.demands("IDBazaSpros, NameType, LevelMin", "(1, 'Дом', 1), (2, 'Дом', 2), (3, 'Дом', 3)");
    ASSERT_EQ(f.found(FSearchForSale, 1, None), QList<int>({1, 2, 3}));
    f.spros().setFilterText("LevelMin='1'");
    f.spros().setFiltered(true);
    f.exec("DELETE FROM BazaSpros WHERE IDBazaSpros=3");
    for (int hidden : {2, 3}) {
        ASSERT_TRUE(FSearchForSale->result().locate("IDBazaSpros", hidden));
        f.dialogs.answerMessage(Dialogs::Ok);
        FSearchForSale->OpenFound();   // no card is queued: showing one would fail the test
        EXPECT_TRUE(f.dialogs.calls().last().text.startsWith(QStringLiteral("Заявка № %1 не показана").arg(hidden)));
    }
    EXPECT_TRUE(f.dialogs.allAnswered());
    EXPECT_EQ(f.spros().fieldByName("IDBazaSpros").asInteger(), 1);
}

// "Документ" asks for a search first; after one it previews the search report over the
// modal search window, as its child, so the window does not block it.
TEST(Search, DocumentPreviewsTheSearchReport)
{
    Search f;
    f.offers("IDBazaSale, NameType", "(1, 'Дом')");
    f.demands("IDBazaSpros, NameType", "(1, 'Дом')");
    for (SearchWindow *w : {static_cast<SearchWindow *>(FSearchForSale), static_cast<SearchWindow *>(FSearchForSpros)}) {
        SCOPED_TRACE(w->objectName().toStdString());
        PreviewWindow *preview = nullptr;
        f.answerModal([&](QDialog *d) {
            d->hide();
            d->setWindowModality(Qt::ApplicationModal);
            d->show();
            f.dialogs.answerMessage(Dialogs::Ok);
            w->BitBtn2->click();
            EXPECT_EQ(f.dialogs.calls().last().text, QStringLiteral("Сначала найдите заявки: нажмите «Искать»."));
            EXPECT_TRUE(w->findChildren<PreviewWindow *>().isEmpty());
            w->BitBtn1->click();
            w->BitBtn2->click();
            const auto previews = w->findChildren<PreviewWindow *>();
            ASSERT_EQ(previews.size(), 1);
            preview = previews.front();
            EXPECT_TRUE(preview->isVisible());
            EXPECT_EQ(QApplication::activeModalWidget(), w);
            preview->finishPreparing();
            EXPECT_GE(preview->prepared().pageCount(), 1);
            preview->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        });
        w->Execute();
        EXPECT_NE(preview, nullptr);
        EXPECT_TRUE(f.dialogs.allAnswered());
    }
}

// Near misses: after the exact matches, the requests failing one ticked criterion, naming it and the values.
TEST(Search, NearMissesFollowTheExactMatches)
{
    Search f;
    f.offers("IDBazaSale, NameType, Level, KolRoom, S_Obsh", "(1, 'Дом', 6, 2, 425000), (2, 'Дом', 3, 2, 600000)");
    f.demands("IDBazaSpros, NameType, LevelMin, LevelMax, KolRoomMin, KolRoomMax, S_ObshMin, S_ObshMax",
              "(1, 'Дом', 2, 5, 1, 2, 400000, 500000), (2, 'Дом', 1, 9, 1, 2, 400000, 500000),"
              "(3, 'Дом', 2, 5, 3, 4, 400000, 500000), (4, 'Дом', 1, 9, 1, 2, NULL, 500000)");
    Criteria three = only(0);
    three[1] = three[2] = true;
    for (SearchWindow *w : {static_cast<SearchWindow *>(FSearchForSale), static_cast<SearchWindow *>(FSearchForSpros)})
        w->CBNear->setChecked(true);
    f.found(FSearchForSale, 1, three);
    Query &demands = FSearchForSale->result();
    QStringList rows;
    for (int r = 0; r < demands.recordCount(); ++r)
        rows << demands.value(r, demands.fieldIndex("IDBazaSpros")).toString() + " "
                    + demands.value(r, demands.fieldIndex("Miss")).toString();
    EXPECT_EQ(rows, QStringList({"2 ", "1 Этаж: 6, нужно 2–5", "4 Площадь (Общая): 42,5, нужно нет–50"}));
    EXPECT_TRUE(FSearchForSale->grid()->isVisibleColumn(1));

    f.found(FSearchForSpros, 1, three);   // demand 1 wants floors 2 to 5 and 40 to 50 m²
    Query &offers = FSearchForSpros->result();
    ASSERT_EQ(offers.recordCount(), 2);
    EXPECT_EQ(offers.value(0, offers.fieldIndex("Miss")).toString(), "Этаж: 6, нужно 2–5");
    EXPECT_EQ(offers.value(1, offers.fieldIndex("Miss")).toString(), "Площадь (Общая): 60, нужно 40–50");

    // Each showing unticks the box: the designed search again, without the column.
    f.answerModal([&](QDialog *) {
        EXPECT_FALSE(FSearchForSale->CBNear->isChecked());
        EXPECT_FALSE(FSearchForSale->grid()->isVisibleColumn(1));
        f.found(FSearchForSale, 1, three);
        EXPECT_EQ(FSearchForSale->result().sql(), matchSql(MatchDirection::DemandsForOffer, three));
    });
    FSearchForSale->Execute();
}
