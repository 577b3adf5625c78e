#pragma once
#include "app/MainWindowTexts.h"
#include <QMainWindow>
#include <functional>
#include <map>

class QAction;
class QKeyEvent;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;

// The main window: date line, clocks, the buttons and menus that open every
// part of the program, and the exit question.
class TFZastav : public QMainWindow {
    Q_OBJECT
public:
    // The commands of the buttons and menus. A command is enabled once the
    // window that carries it out is wired in with setCommand.
    enum class Command {
        Register, Firm, Clients, Employees, Addresses, Currency,
        Backup, Restore, Compact, Calculator, Calendar, CurrentRates,
        SaleTemplates, PurchaseTemplates, About,
    };
    using AttributeListHandler = std::function<void(const QString &table, const QString &caption, const QString &column)>;

    explicit TFZastav(QWidget *parent = nullptr);

    void setCommand(Command command, std::function<void()> handler);
    void setAttributeListHandler(AttributeListHandler handler);
    // Runs once the main window is shown (the current rates are refreshed there).
    void setAfterShow(std::function<void()> action) { m_afterShow = std::move(action); }

    // Builds the date line, resets the work-time clock, sets the title, starts
    // the clock and shows the window maximised.
    void FormShow();
    // The title from the database state and the agency's name (also after the agency is edited).
    void UpdateTitle();
    void setStatusText(const QString &text);
    QString statusText() const;

    // Closes the window and ends the program without the exit question.
    void EndProgram();

    // The one-second tick of the work-time clock.
    void Timer1Timer();

    // The thirteen attribute lists of "Характеристики": caption, table, text column.
    struct AttributeList { const char *caption, *table, *column; };
    static const std::vector<AttributeList> &attributeLists();

protected:
    void closeEvent(QCloseEvent *event) override;
    // Enter that no control took presses "Учет", whichever button was used last.
    void keyPressEvent(QKeyEvent *event) override;

private:
    QWidget *buildLeftPart();
    QWidget *buildRightPart();
    QWidget *buildFooter();
    void buildMenus();
    QPushButton *commandButton(const QString &name, const QString &text, const QString &hint, Command command);
    QAction *commandAction(QMenu *menu, const QString &name, const QString &text, Command command);
    void bind(QObject *control, Command command);
    // Enables a control; a disabled one tells in its tooltip that it comes later.
    static void setAvailable(QObject *control, bool available);

    WorkTimeCounter m_workTime;
    QTimer *m_workTimer;
    QLabel *m_dateLine;
    QLabel *m_clock;
    QLabel *m_workClock;
    QLabel *m_status;
    QMenu *m_attributeMenu;
    QPushButton *m_uchet = nullptr;
    std::map<Command, std::function<void()>> m_handlers;
    std::multimap<Command, QObject *> m_controls;
    AttributeListHandler m_attributeHandler;
    std::function<void()> m_afterShow;
    bool m_ending = false;
};

extern TFZastav *FZastav;
