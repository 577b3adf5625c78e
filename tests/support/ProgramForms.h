#pragma once
#include "main/Program.h"
#include "data/DataModule.h"
#include "data/Query.h"
#include "platform/ScriptedDialogs.h"
#include "support/ColumnValues.h"
#include "support/QtPrinters.h"
#include "support/TestDatabase.h"
#include <QDialog>
#include <QDir>
#include <memory>
#include <vector>

// The program's forms over a temporary program folder with a real database.
// Windows that the program does not make yet are made here, and only those
// are removed here; the rest go with destroyForms.
struct ProgramForms {
    TempDir dir;
    ScopedScriptedDialogs dialogs;
    std::vector<std::unique_ptr<QWidget>> own;

    // seed: SQL run on the new database before the program opens it.
    explicit ProgramForms(const QStringList &seed = {})
    {
        QDir(dir.path()).mkdir("Data");
        const QString file = createTestDatabase(dir.file("Data/domlar.mde"));
        if (!seed.isEmpty()) {
            Connection c;
            c.open(Connection::connectionTextFor(file));
            for (const QString &sql : seed) c.execute(sql);
        }
        createForms(dir.path());
    }
    // No database in the program folder: `answers` scripts what the start asks then.
    struct NoDatabase {
        std::function<void(ScopedScriptedDialogs &)> answers;
    };
    explicit ProgramForms(const NoDatabase &start)
    {
        QDir(dir.path()).mkdir("Data");
        start.answers(dialogs);
        createForms(dir.path());
    }
    ~ProgramForms()
    {
        own.clear();
        destroyForms();
    }

    template <typename Window>
    Window *make(Window *&instance)
    {
        if (!instance) own.emplace_back(new Window);
        return instance;
    }

    // Runs SQL on the program's connection and re-reads the dataset over the table.
    void exec(const QString &sql, const QString &dataset = {})
    {
        DMDomlar->ADOConnection.execute(sql);
        if (!dataset.isEmpty()) DMDomlar->table(dataset).requery();
    }
    // A value read straight from the database file.
    QVariant stored(const QString &sql)
    {
        Query q(DMDomlar->ADOConnection, sql);
        q.open();
        return q.isEmpty() ? QVariant() : q.field(0).value();
    }
    QStringList column(const QString &dataset, const QString &field)
    {
        return columnTexts(DMDomlar->table(dataset), field);
    }
    // Another program holding the database file locked for as long as the returned
    // connection lives; the program's statements then fail at once instead of waiting.
    std::unique_ptr<Connection> lockedByAnotherProgram()
    {
        DMDomlar->ADOConnection.setBusyTimeout(0);
        auto other = std::make_unique<Connection>();
        other->open(Connection::connectionTextFor(DMDomlar->databasePath()));
        other->execute("BEGIN EXCLUSIVE");
        return other;
    }
    // A modal show answered by running `act` on the shown window; gives the window's result.
    void answerModal(std::function<void(QDialog *)> act)
    {
        dialogs.answerModal([act](QWidget *w) {
            auto *d = static_cast<QDialog *>(w);
            d->setResult(0);
            d->show();
            act(d);
            const int result = d->result();
            d->hide();
            return result;
        });
    }
};
