#pragma once
#include <QString>
#include <functional>

class Table;

// Adding and changing requests through the cards, for the register, the
// search and the sale card's exchange list. A card is loaded only from, and
// stored only into, the row whose key is the number it shows; a request the
// dataset does not show is refused with a message and nothing is stored.
// A store that fails shows why and the card again with everything typed on it.
namespace RequestEditor {

void clearSaleCard();
void clearDemandCard();

// A new request numbered by the Max+1 rule on the cleared card; on "Да" it is stored in the table.
// If another program took the number meanwhile, the next free one is used and the user told.
void addSale(Table &sales);
// `title` is the card's; `extra` writes fields the card does not hold (the offer of an exchange demand).
void addDemand(Table &demands, const QString &title, const std::function<void(Table &)> &extra = {});

// Opens the request with this number on its card and stores it back on "Да".
void editSale(Table &sales, int number);
void editDemand(Table &demands, int number, const QString &title);

} // namespace RequestEditor
