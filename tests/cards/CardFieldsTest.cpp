#include "cards/CardFields.h"
#include "cards/KardSale.h"
#include "cards/KardSpros.h"
#include "data/Dataset.h"
#include "support/TestDatabase.h"
#include "widgets/DateEdit.h"
#include "widgets/Lookups.h"
#include "widgets/NumberEdits.h"
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

namespace {

// Puts a distinct value into every mapped control, and describes what the controls hold.
void fill(const CardMapping &mapping)
{
    int n = 1;
    for (const CardField &f : mapping) {
        QWidget *w = f.control;
        ++n;
        if (auto *e = qobject_cast<IntegerEdit *>(w)) e->setValue(n);
        else if (auto *e = qobject_cast<DecimalEdit *>(w)) e->setValue(*Money::parse(QString("%1.25").arg(n)));
        else if (auto *e = qobject_cast<DateEdit *>(w)) e->setDate(QDate(2006, 1, n % 28 + 1));
        else if (auto *e = qobject_cast<QLineEdit *>(w)) e->setText(QStringLiteral("Текст %1").arg(n));
        else if (auto *e = qobject_cast<QPlainTextEdit *>(w)) e->setPlainText(QStringLiteral("Строка 1\nСтрока %1").arg(n));
        else if (auto *e = qobject_cast<QCheckBox *>(w)) e->setChecked(n % 2 == 0);
        else if (auto *e = qobject_cast<IdLookup *>(w)) e->setKey(n);
        else if (auto *e = qobject_cast<WordLookup *>(w)) e->setWord(QStringLiteral("Слово %1").arg(n));
    }
}

QStringList describe(const CardMapping &mapping)
{
    QStringList out;
    for (const CardField &f : mapping) {
        QWidget *w = f.control;
        QString v;
        if (auto *e = qobject_cast<QLineEdit *>(w)) v = e->text();
        else if (auto *e = qobject_cast<QPlainTextEdit *>(w)) v = e->toPlainText();
        else if (auto *e = qobject_cast<QCheckBox *>(w)) v = e->isChecked() ? "x" : "-";
        else if (auto *e = qobject_cast<IdLookup *>(w)) v = QString::number(e->key());
        else if (auto *e = qobject_cast<WordLookup *>(w)) v = e->word();
        out << f.field + "=" + v;
    }
    return out;
}

// A full card written into a new row, the card cleared, then loaded back from the stored row.
template <typename Card>
void roundTrip(const QString &table, const QString &key, CardMapping (*mapping)(Card &))
{
    TestDatabase db;
    Table t(db.connection, table);
    t.open();
    Card card;
    const CardMapping m = mapping(card);
    fill(m);
    const QStringList filled = describe(m);
    t.append();
    t.fieldByName(key).setInteger(5);   // the demand card maps its own number and overwrites it
    CardFields::store(m, t);
    t.post();
    t.requery();
    CardFields::clear(card);
    for (const QString &d : describe(m)) EXPECT_TRUE(d.endsWith('=') || d.endsWith("=0") || d.endsWith("=-")) << d.toStdString();
    CardFields::load(m, t);
    EXPECT_EQ(describe(m), filled);
}

} // namespace

TEST(CardFields, SaleCardRoundTrip) { roundTrip<TFKardSale>("BazaSale", "IDBazaSale", &CardFields::sale); }
TEST(CardFields, DemandCardRoundTrip) { roundTrip<TFKardSpros>("BazaSpros", "IDBazaSpros", &CardFields::demand); }

// Empty controls store numbers as 0, dates as the zero date and words as the empty text.
TEST(CardFields, EmptyCardStoresZerosNotEmptyFields)
{
    TestDatabase db;
    Table t(db.connection, "BazaSale");
    t.open();
    TFKardSale card;
    CardFields::clear(card);
    t.append();
    CardFields::store(CardFields::sale(card), t);
    t.post();
    t.requery();
    EXPECT_EQ(t.fieldByName("DogBegin1").asDate(), Schema::zeroDate());
    EXPECT_FALSE(t.fieldByName("DogBegin1").isNull());
    EXPECT_FALSE(t.fieldByName("KV").isNull());
    EXPECT_EQ(t.fieldByName("Price").asMoney(), Money());
    EXPECT_EQ(t.fieldByName("NameType").value(), QVariant(QString("")));
    EXPECT_FALSE(t.fieldByName("Lift").asBool());
    EXPECT_TRUE(t.fieldByName("LoginUser").isNull());   // not mapped, not written
}
