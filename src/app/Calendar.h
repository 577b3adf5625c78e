#pragma once
#include <QDialog>

class QCalendarWidget;

// The calendar window of the "Сервис" menu: one month to look at and page through.
class TFCalendar : public QDialog {
    Q_OBJECT
public:
    explicit TFCalendar(QWidget *parent = nullptr);
    // Sets the calendar to today and shows the window modally.
    void ShowToday();
    QCalendarWidget *calendar() const { return m_calendar; }

private:
    QCalendarWidget *m_calendar;
};

extern TFCalendar *FCalendar;
