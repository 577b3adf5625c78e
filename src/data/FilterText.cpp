#include "data/FilterText.h"
#include "platform/AppError.h"

FilterCondition FilterCondition::parse(const QString &text)
{
    const QString t = text.trimmed();
    const auto refuse = [&] { return AppError(QStringLiteral("Неверное условие отбора: %1").arg(text)); };
    const int eq = int(t.indexOf('='));
    QString value = t.mid(eq + 1).trimmed();
    if (eq <= 0 || value.size() < 2 || !value.startsWith('\'') || !value.endsWith('\''))
        throw refuse();
    value = value.mid(1, value.size() - 2);
    // Inside the quotes an apostrophe is written twice; a single one ends the value too early.
    if (QString(value).remove(QStringLiteral("''")).contains('\''))
        throw refuse();
    return {t.left(eq).trimmed(), value.replace(QStringLiteral("''"), QStringLiteral("'"))};
}
