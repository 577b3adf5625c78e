#include "cards/CardFields.h"
#include "cards/KardSale.h"
#include "cards/KardSpros.h"
#include "data/Dataset.h"
#include "data/Schema.h"
#include "widgets/DateEdit.h"
#include "widgets/Lookups.h"
#include "widgets/NumberEdits.h"
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <optional>

namespace CardFields {

namespace {

void addWords(CardMapping &m, const RequestCard &card)
{
    for (WordLookup *w : card.wordLookups()) m.push_back({w->objectName(), w});
}

int widthOf(const QString &table, const QString &field)
{
    const TableDef *t = Schema::table(table);
    const ColumnDef *c = t ? t->column(field) : nullptr;
    return c && c->type == FieldType::Text ? c->width : 0;
}

// The text of a free-text control; nothing for the number, date and list controls.
std::optional<QString> freeText(QWidget *w)
{
    if (qobject_cast<IntegerEdit *>(w) || qobject_cast<DecimalEdit *>(w) || qobject_cast<DateEdit *>(w)) return {};
    if (auto *e = qobject_cast<QLineEdit *>(w)) return e->text();
    if (auto *e = qobject_cast<QPlainTextEdit *>(w)) return e->toPlainText();
    return {};
}

QString tooLongText(const QString &label, qsizetype length, int width)
{
    return QStringLiteral("Поле «%1» содержит %2 символов, а вмещает не более %3. Сократите текст.")
        .arg(label).arg(length).arg(width);
}

} // namespace

CardMapping sale(TFKardSale &c)
{
    CardMapping m = {
        {"DateReg", c.DateReg}, {"IDTown", c.NameTown}, {"IDRaion", c.NameRaion}, {"IDStreet", c.NameStreet},
        {"Home", c.Home}, {"Korpus", c.Korpus}, {"KV", c.KV}, {"KolRoom", c.KolRoom}, {"S_Obsh", c.S_Obsh},
        {"S_Jil", c.S_jil}, {"S_Kuh", c.S_Kuh}, {"H_Potolok", c.H_Potolok}, {"Level", c.Level},
        {"LevelOf", c.LevelOf}, {"YearBuild", c.YearBuild}, {"info", c.Info}, {"Lift", c.Lift},
        {"Musoroprovod", c.Musor}, {"Osvobojdena", c.Osvobojdena},
    };
    addWords(m, c);
    const CardMapping rest = {
        {"IDKlient", c.Klient}, {"IDSotrud", c.Sotrud}, {"Price", c.Price}, {"PriceUSD", c.PriceUSD},
        {"PriceEUR", c.PriceEUR}, {"PriceRealt", c.PriceRealt}, {"PriceUSDRealt", c.PriceUSDRealt},
        {"PriceEURRealt", c.PriceEURRealt}, {"DogNo1", c.DogNo1}, {"DogBegin1", c.DogBegin1}, {"DogEnd1", c.DogEnd1},
    };
    m.insert(m.end(), rest.begin(), rest.end());
    return m;
}

CardMapping demand(TFKardSpros &c)
{
    CardMapping m = {
        {"IDBazaSpros", c.IDBazaSpros}, {"DateReg", c.DateSpros}, {"LevelMin", c.LevelMin}, {"LevelMax", c.LevelMax},
        {"KolRoomMin", c.KolRoomMin}, {"KolRoomMax", c.KolRoomMax}, {"S_ObshMin", c.S_ObshMin},
        {"S_ObshMax", c.S_ObshMax}, {"S_JilMin", c.S_JilMin}, {"S_KuhMin", c.S_KuhMin},
        {"H_PotolokMin", c.H_PotolokMin}, {"YearBuild", c.YearBuild}, {"Tel", c.Tel}, {"Balkon", c.Balkon},
        {"BathRoom", c.BathRoom}, {"Osvobojdena", c.Osvobojdena}, {"NotLevelLast", c.NotLevelLast}, {"info", c.Info},
    };
    addWords(m, c);
    const CardMapping rest = {
        {"IDKlient", c.Klient}, {"IDSotrud", c.Sotrud}, {"Price", c.Price}, {"PriceUSD", c.PriceUSD},
        {"PriceEUR", c.PriceEUR}, {"DogNo1", c.DogNo1}, {"DogBegin1", c.DogBegin1}, {"DogEnd1", c.DogEnd1},
        {"NoVarRaspologen", c.NoVarRaspologen},
    };
    m.insert(m.end(), rest.begin(), rest.end());
    return m;
}

void clear(QWidget &card)
{
    for (QLineEdit *e : card.findChildren<QLineEdit *>()) e->clear();   // numbers, texts and dates alike
    for (QPlainTextEdit *e : card.findChildren<QPlainTextEdit *>()) e->clear();
    for (QCheckBox *b : card.findChildren<QCheckBox *>()) b->setChecked(false);
    for (IdLookup *l : card.findChildren<IdLookup *>()) l->setKey(0);
    for (WordLookup *w : card.findChildren<WordLookup *>()) w->setWord(QString());
}

void load(const CardMapping &mapping, Dataset &ds)
{
    for (const CardField &f : mapping) {
        const Field field = ds.fieldByName(f.field);
        QWidget *w = f.control;
        if (auto *e = qobject_cast<IntegerEdit *>(w)) e->setValue(field.asInteger());
        else if (auto *e = qobject_cast<DecimalEdit *>(w)) e->setValue(field.asMoney());
        else if (auto *e = qobject_cast<DateEdit *>(w)) e->setDate(field.asDate());
        else if (auto *e = qobject_cast<QLineEdit *>(w)) e->setText(field.asString());
        else if (auto *e = qobject_cast<QPlainTextEdit *>(w)) e->setPlainText(field.asString());
        else if (auto *e = qobject_cast<QCheckBox *>(w)) e->setChecked(field.asBool());
        else if (auto *e = qobject_cast<IdLookup *>(w)) e->setKey(field.asInteger());
        else if (auto *e = qobject_cast<WordLookup *>(w)) e->setWord(field.asString());
    }
}

void store(const CardMapping &mapping, Dataset &ds)
{
    for (const CardField &f : mapping) {
        const Field field = ds.fieldByName(f.field);
        QWidget *w = f.control;
        if (auto *e = qobject_cast<IntegerEdit *>(w)) field.setInteger(e->value());
        else if (auto *e = qobject_cast<DecimalEdit *>(w)) field.setMoney(e->value());
        else if (auto *e = qobject_cast<DateEdit *>(w)) field.setDate(e->date());
        else if (auto *e = qobject_cast<QLineEdit *>(w)) field.setString(e->text());
        else if (auto *e = qobject_cast<QPlainTextEdit *>(w)) field.setString(e->toPlainText());
        else if (auto *e = qobject_cast<QCheckBox *>(w)) field.setBool(e->isChecked());
        else if (auto *e = qobject_cast<IdLookup *>(w)) field.setInteger(e->key());
        else if (auto *e = qobject_cast<WordLookup *>(w)) field.setString(e->word());
    }
}

void limitWidths(const CardMapping &mapping, const QString &table)
{
    for (const CardField &f : mapping) {
        const int width = widthOf(table, f.field);
        if (width > 0 && freeText(f.control)) {
            if (auto *e = qobject_cast<QLineEdit *>(f.control)) e->setMaxLength(width);
        }
    }
}

Refusal refusal(const CardMapping &mapping, const QString &table)
{
    for (const CardField &f : mapping) {
        const QString label = f.control->accessibleName();
        if (auto *e = qobject_cast<DateEdit *>(f.control); e && !e->isValidInput())
            return {e, QStringLiteral("Поле «%1». %2").arg(label, DateEdit::invalidText(e->text()))};
        const int width = widthOf(table, f.field);
        const std::optional<QString> text = freeText(f.control);
        if (text && width > 0 && text->size() > width) return {f.control, tooLongText(label, text->size(), width)};
    }
    return {};
}

} // namespace CardFields
