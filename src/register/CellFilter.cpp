#include "register/CellFilter.h"
#include "data/Dataset.h"
#include "platform/AppError.h"
#include "platform/Dialogs.h"
#include "widgets/DBGrid.h"

namespace {

int filterColumn(DBGrid &grid)
{
    const int selected = grid.selectedColumn();
    if (selected >= 0) return selected;
    for (int l : grid.columnsInOrder())
        if (grid.isVisibleColumn(l)) return l;
    throw AppError(QStringLiteral("В таблице нет видимых колонок для отбора."));
}

} // namespace

QString cellFilterExpression(const QString &field, const QString &value)
{
    QString quoted = value;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    return field + QStringLiteral("='") + quoted + QLatin1Char('\'');
}

void filterByCurrentCell(DBGrid &grid, const QString &messageStart)
{
    Dataset *dataset = grid.dataset();
    if (!dataset) throw AppError(QStringLiteral("Таблица не связана с набором данных."));
    const int column = filterColumn(grid);
    const GridColumn &c = grid.gridColumn(column);
    // The field's own text form, which the filter compares by the field's type
    // (money as a number); the message shows the value as the cell shows it.
    const QString value = dataset->isEmpty() ? QString() : dataset->fieldByName(c.field).asString();
    dataset->setFilterText(cellFilterExpression(c.field, value));
    dialogs().message(Dialogs::Kind::Information, messageStart + c.title + QLatin1Char(' ') + grid.currentText(column),
                      Dialogs::Buttons::Yes);
    dataset->setFiltered(true);
}
