#include "widgets/RowStore.h"
#include "data/Dataset.h"
#include "platform/AppError.h"
#include "platform/Dialogs.h"

bool storeRow(Dataset &dataset, const std::function<void()> &fill)
{
    try {
        fill();
        dataset.post();
        keepInOrder(dataset);
        return true;
    } catch (const AppError &e) {
        dataset.cancel();
        dialogs().error(e.text());
        return false;
    }
}

void keepInOrder(Dataset &dataset)
{
    if (!dataset.sort().isEmpty()) dataset.setSort(dataset.sort());
}

bool appendRow(Dataset &dataset, const std::function<void()> &fill)
{
    dataset.append();
    return storeRow(dataset, fill);
}

bool editRow(Dataset &dataset, const std::function<void()> &fill)
{
    dataset.edit();
    return storeRow(dataset, fill);
}

bool askText(const QString &title, const QString &prompt, QString &text, int width)
{
    while (dialogs().inputBox(title, prompt, text)) {
        if (width <= 0 || text.size() <= width) return true;
        dialogs().warning(QStringLiteral("«%1»: не более %2 символов, а введено %3. Сократите текст.")
                              .arg(prompt).arg(width).arg(text.size()));
    }
    return false;
}

int textWidth(const Dataset &dataset, const QString &field)
{
    const int i = dataset.fieldIndex(field);
    return i >= 0 ? dataset.fieldInfo(i).width : 0;
}

bool askName(const QString &title, const QString &prompt, QString &name, int width)
{
    if (!askText(title, prompt, name, width))
        return false;
    if (name.trimmed().isEmpty()) {
        dialogs().warning(QStringLiteral("Название не может быть пустым."));
        return false;
    }
    return true;
}

QString nothingToDeleteText()
{
    return QStringLiteral("Список пуст: удалять нечего.");
}

bool confirmDelete(Dataset &dataset, const QString &question)
{
    if (dataset.isEmpty()) {
        dialogs().information(nothingToDeleteText());
        return false;
    }
    if (!dialogs().confirm(question))
        return false;
    dataset.deleteRecord();
    return true;
}
