#pragma once
#include <QString>
#include <QWidget>
#include <vector>

class Dataset;
class TFKardSale;
class TFKardSpros;

// How a card's controls map to the fields of its request row, in the order the
// fields are written. Each control is read and written by its kind.
struct CardField {
    QString field;
    QWidget *control;
};
using CardMapping = std::vector<CardField>;

namespace CardFields {

CardMapping sale(TFKardSale &card);      // without IDBazaSale, which only an add writes
CardMapping demand(TFKardSpros &card);   // with IDBazaSpros

// Empties every control of the card: numbers and texts empty, keys 0, words
// empty, boxes unticked, dates empty.
void clear(QWidget &card);
// Loads the controls from the dataset's current record.
void load(const CardMapping &mapping, Dataset &dataset);
// Writes the controls into the row being inserted or edited.
void store(const CardMapping &mapping, Dataset &dataset);

// Limits each text edit to the width of its column in `table`.
void limitWidths(const CardMapping &mapping, const QString &table);

// A value its column would refuse: the control and the message, which names the
// field by its label (the control's accessible name).
struct Refusal {
    QWidget *control = nullptr;
    QString text;
};
// The first such value on the card; no control when every value fits.
Refusal refusal(const CardMapping &mapping, const QString &table);

} // namespace CardFields
