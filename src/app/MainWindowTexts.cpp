#include "app/MainWindowTexts.h"

QString dateLine(const QDate &date)
{
    static const char *const weekdays[] = {"Воскресенье", "Понедельник", "Вторник", "Среда",
                                           "Четверг", "Пятница", "Суббота"};
    static const char *const months[] = {"Январь", "Февраль", "Март", "Апрель", "Май", "Июнь", "Июль",
                                         "Август", "Сентябрь", "Октябрь", "Ноябрь", "Декабрь"};
    const int weekday = date.dayOfWeek() % 7;   // Qt counts Monday as 1 and Sunday as 7
    return QStringLiteral("Сегодня %1, месяц %2, число %3")
        .arg(QString::fromUtf8(weekdays[weekday]), QString::fromUtf8(months[date.month() - 1]))
        .arg(date.day());
}

QString mainWindowTitle(bool connected, const QVariant &agencyName)
{
    if (!connected)
        return QStringLiteral("\"ЛАРМИС\" Домлар");
    const QString name = agencyName.isValid() ? agencyName.toString().trimmed() : QString();
    if (name.isEmpty())
        return QStringLiteral("\"ЛАРМИС\" - Домлар");
    return QStringLiteral("\"ЛАРМИС\" - Домлар (") + agencyName.toString() + ')';
}

void WorkTimeCounter::tick()
{
    if (++m_seconds == 60) {
        m_seconds = 0;
        if (++m_minutes == 60) {
            m_minutes = 0;
            ++m_hours;
        }
    }
}

QString WorkTimeCounter::text() const
{
    auto two = [](long long v) { return QString::number(v).rightJustified(2, '0'); };
    return two(m_hours) + ':' + two(m_minutes) + ':' + two(m_seconds);
}
