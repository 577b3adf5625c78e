#pragma once
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

// Types text into a widget key by key, as the user would (Cyrillic included,
// which QTest::keyClicks does not take).
inline void typeText(QWidget *widget, const QString &text)
{
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &release);
    }
}
