#pragma once
#include "platform/Dialogs.h"
#include <QList>
#include <QQueue>
#include <functional>

// Dialogs answered from a script, for deterministic tests. Every call is
// recorded; an unexpected call (nothing queued) fails loudly.
class ScriptedDialogs : public Dialogs {
public:
    struct Call {
        QString what;   // "message", "input", "open", "save", "modal"
        QString title;
        QString text;   // message text, prompt or filter
        Buttons buttons = Buttons::Ok;   // of a message
        QString folder = {};   // where a file dialog opens (with the proposed name, if any)
    };

    // Queue answers in the order the dialogs will appear.
    void answerMessage(int result) { m_messages.enqueue(result); }
    void answerInput(bool ok, const QString &value = {}) { m_inputs.enqueue({ok, value}); }
    void answerFile(const QString &path) { m_files.enqueue(path); }
    // A modal show runs the handler (which may click in the window) and returns its result.
    void answerModal(std::function<int(QWidget *)> handler) { m_modals.enqueue(std::move(handler)); }

    const QList<Call> &calls() const { return m_calls; }
    void clearCalls() { m_calls.clear(); }
    bool allAnswered() const;

    int message(Kind kind, const QString &text, Buttons buttons) override;
    bool inputBox(const QString &title, const QString &prompt, QString &value) override;
    QString openFile(const QString &title, const QString &folder, const QString &filter) override;
    QString saveFile(const QString &title, const QString &folder, const QString &filter) override;
    int showModal(QWidget *window) override;

private:
    QQueue<int> m_messages;
    QQueue<QPair<bool, QString>> m_inputs;
    QQueue<QString> m_files;
    QQueue<std::function<int(QWidget *)>> m_modals;
    QList<Call> m_calls;
};

// Installs a ScriptedDialogs for one test scope and restores the previous dialogs after.
class ScopedScriptedDialogs : public ScriptedDialogs {
public:
    ScopedScriptedDialogs();
    ~ScopedScriptedDialogs() override;

private:
    Dialogs *m_previous;
};
