#include "widgets/RowStore.h"
#include "data/Dataset.h"
#include "platform/AppError.h"
#include "platform/Dialogs.h"

bool storeRow(Dataset &dataset, const std::function<void()> &fill)
{
    try {
        fill();
        dataset.post();
        return true;
    } catch (const AppError &e) {
        dataset.cancel();
        dialogs().error(e.text());
        return false;
    }
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

bool askName(const QString &title, const QString &prompt, QString &name)
{
    if (!dialogs().inputBox(title, prompt, name))
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
