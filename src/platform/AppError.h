#pragma once
#include <QString>
#include <stdexcept>

// A failing data or file operation throws this with a Russian text for the user.
// One guard at the event-handler boundary shows the text in a message box.
class AppError : public std::runtime_error {
public:
    explicit AppError(const QString &text) : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString &text() const { return m_text; }

private:
    QString m_text;
};
