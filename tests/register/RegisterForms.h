#pragma once
#include "data/DataModule.h"
#include "platform/ScriptedDialogs.h"
#include "support/ColumnValues.h"
#include "support/QtPrinters.h"
#include "support/TempDir.h"
#include <QStringList>
#include <memory>
#include <ostream>

class DBGrid;
class TFBaza;

// The data module over a temporary program folder with Data/domlar.mde holding
// a few offers, demands and towns, and the register and the column chooser made
// over it (as the program makes them at start-up).
struct RegisterForms {
    TempDir dir;
    ScopedScriptedDialogs dialogs;
    std::unique_ptr<TDMDomlar> module;

    RegisterForms();
    ~RegisterForms();

    QString layoutPath() const;
    void writeLayout(const QByteArray &bytes) const;
    Table &sale() const { return DMDomlar->table(QStringLiteral("ADOTBazaSale")); }
    Table &spros() const { return DMDomlar->table(QStringLiteral("ADOTBazaSpros")); }
};

// The logical column showing a field (the first when there are two).
int columnOf(DBGrid &grid, const QString &field);
