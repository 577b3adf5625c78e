#pragma once
#include <QDate>
#include <QLineEdit>

class QToolButton;

// A date field "dd.MM.yyyy" with a calendar drop-down. An empty edit reads as
// the zero date 30.12.1899, and the zero date (or no date) shows empty.
class DateEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit DateEdit(QWidget *parent = nullptr);
    QDate date() const;
    void setDate(const QDate &date);
    // Whether the text is empty or a real date.
    bool isValidInput() const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void dropCalendar();
    QToolButton *m_button;
};
