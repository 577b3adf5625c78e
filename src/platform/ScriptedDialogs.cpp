#include "platform/ScriptedDialogs.h"
#include <QWidget>
#include <stdexcept>

namespace {

// A test aid: a dialog the test did not expect must fail the test loudly
// instead of blocking or silently answering.
template <typename T>
T next(QQueue<T> &queue, const ScriptedDialogs::Call &call)
{
    if (queue.isEmpty())
        throw std::logic_error(QStringLiteral("ScriptedDialogs: no answer queued for %1 \"%2\": %3")
                                   .arg(call.what, call.title, call.text)
                                   .toStdString());
    return queue.dequeue();
}

} // namespace

bool ScriptedDialogs::allAnswered() const
{
    return m_messages.isEmpty() && m_inputs.isEmpty() && m_files.isEmpty() && m_modals.isEmpty();
}

int ScriptedDialogs::message(Kind kind, const QString &text, Buttons buttons)
{
    m_calls << Call{QStringLiteral("message"), title(kind), text, buttons};
    return next(m_messages, m_calls.last());
}

bool ScriptedDialogs::inputBox(const QString &title, const QString &prompt, QString &value)
{
    m_calls << Call{QStringLiteral("input"), title, prompt};
    const auto [ok, answer] = next(m_inputs, m_calls.last());
    if (ok)
        value = answer;
    return ok;
}

QString ScriptedDialogs::openFile(const QString &title, const QString &folder, const QString &filter)
{
    m_calls << Call{QStringLiteral("open"), title, filter, Buttons::Ok, folder};
    return next(m_files, m_calls.last());
}

QString ScriptedDialogs::saveFile(const QString &title, const QString &folder, const QString &filter)
{
    m_calls << Call{QStringLiteral("save"), title, filter, Buttons::Ok, folder};
    return next(m_files, m_calls.last());
}

int ScriptedDialogs::showModal(QWidget *window)
{
    m_calls << Call{QStringLiteral("modal"), window->objectName(), window->windowTitle()};
    return next(m_modals, m_calls.last())(window);
}

ScopedScriptedDialogs::ScopedScriptedDialogs() : m_previous(Dialogs::installed())
{
    Dialogs::setInstance(this);
}

ScopedScriptedDialogs::~ScopedScriptedDialogs()
{
    Dialogs::setInstance(m_previous);
}
