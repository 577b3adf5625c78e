#include "register/ColumnChoice.h"
#include "platform/AppError.h"
#include "platform/Dialogs.h"
#include "register/SelectColShow.h"
#include "widgets/DBGrid.h"

void chooseVisibleColumns(DBGrid &grid, const QString &caption)
{
    if (!FSelectColShow)
        throw AppError(QStringLiteral("Окно выбора колонок не создано."));
    TFSelectColShow &chooser = *FSelectColShow;
    chooser.setCaption(caption);
    chooser.clearItems();
    for (int l : grid.columnsInOrder())
        chooser.addItem(grid.gridColumn(l).title, grid.isVisibleColumn(l));

    dialogs().showModal(&chooser);

    for (int i = 0; i < chooser.itemCount(); ++i)
        for (int l = 0; l < grid.columnCountTotal(); ++l)
            if (grid.gridColumn(l).title == chooser.itemText(i))
                grid.setVisibleColumn(l, chooser.isTicked(i));
}
