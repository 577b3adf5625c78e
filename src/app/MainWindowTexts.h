#pragma once
#include <QDate>
#include <QString>
#include <QVariant>

// The texts the main window builds from the date, the running time and the agency's name.

// "Сегодня Понедельник, месяц Январь, число 9"
QString dateLine(const QDate &date);

// The main window's title: with a database, the agency's name in brackets;
// an agency without a name gives the fixed text alone, so the title is never blank.
QString mainWindowTitle(bool connected, const QVariant &agencyName);

// Hours, minutes and seconds of work with the program, shown as "00:00:00";
// hours have no upper bound ("100:00:00").
class WorkTimeCounter {
public:
    void reset() { m_hours = m_minutes = m_seconds = 0; }
    void tick();
    QString text() const;

private:
    long long m_hours = 0;
    int m_minutes = 0;
    int m_seconds = 0;
};
