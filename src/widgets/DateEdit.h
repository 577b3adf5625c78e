#pragma once
#include <QDate>
#include <QLineEdit>
#include <optional>

class QToolButton;

// A date field "dd.MM.yyyy" with a calendar drop-down. An empty edit reads as
// the zero date 30.12.1899, and the zero date (or no date) shows empty.
// Digits typed without separators fill day, month and year ("01062027" shows
// "01.06.2027"); the short forms "1.6.27", "1.6.2027", "010627" and "1.6" (this
// year) are read too. Leaving the edit with a date that is incomplete or does
// not exist says so and brings the focus back.
class DateEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit DateEdit(QWidget *parent = nullptr);
    QDate date() const;
    void setDate(const QDate &date);
    // Whether the text is empty or a real date.
    bool isValidInput() const;
    // The date a text stands for: the zero date for an empty text, nothing for
    // a text that is no whole date.
    static std::optional<QDate> parse(const QString &text);
    // The message for a text that is no whole date.
    static QString invalidText(const QString &text);

protected:
    void focusOutEvent(QFocusEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void insertSeparators();
    void refuseInvalid();
    void dropCalendar();
    QToolButton *m_button;
};
