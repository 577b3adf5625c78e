#pragma once
#include <QString>
#include <QStringList>

class QWidget;

// Every message box, input box and file dialog of the program goes through this
// interface: the program installs QtDialogs, tests install ScriptedDialogs.
class Dialogs {
public:
    // Modal results, as the program's windows pass them around.
    enum Result { Ok = 1, Cancel = 2, Yes = 6, No = 7 };
    enum class Kind { Information, Confirmation, Warning, Error };
    enum class Buttons { Ok, Yes, Cancel, OkCancel, YesNo, YesCancel, YesNoCancel };

    virtual ~Dialogs() = default;

    // Shows a message box and returns the pressed button as a Result.
    virtual int message(Kind kind, const QString &text, Buttons buttons) = 0;
    // Asks for a text; returns false when the user cancelled.
    virtual bool inputBox(const QString &title, const QString &prompt, QString &value) = 0;
    // Returns the chosen full path or an empty text. The filter uses the
    // "Description|*.ext|Description|*.ext" form; folder may end in a proposed file name.
    virtual QString openFile(const QString &title, const QString &folder, const QString &filter) = 0;
    virtual QString saveFile(const QString &title, const QString &folder, const QString &filter) = 0;
    // Shows a window modally and returns its modal result.
    virtual int showModal(QWidget *window) = 0;

    // Shortcuts with the program's fixed titles.
    void information(const QString &text) { message(Kind::Information, text, Buttons::Ok); }
    void warning(const QString &text) { message(Kind::Warning, text, Buttons::Ok); }
    void error(const QString &text) { message(Kind::Error, text, Buttons::Ok); }
    bool confirm(const QString &text) { return message(Kind::Confirmation, text, Buttons::YesNo) == Yes; }

    static QString title(Kind kind);

    // Throws AppError when no dialogs are installed.
    static Dialogs &instance();
    // Installs the program's or a test's dialogs; the caller keeps ownership.
    static void setInstance(Dialogs *dialogs);
    // The installed dialogs, or nullptr before any is installed.
    static Dialogs *installed();
};

inline Dialogs &dialogs() { return Dialogs::instance(); }
