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

} // namespace CardFields
