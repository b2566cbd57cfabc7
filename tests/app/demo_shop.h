#pragma once

#include "running_shop.h"
#include "scripted_dialogs.h"
#include "test_files.h"

#include <QTemporaryDir>

// The demo shop run by the whole program (RunningShop) in a temporary
// directory, its dialogs scripted, and the few moves of a cashier these
// tests make.
class DemoShop {
public:
    DemoShop();

    QString settingsPath() const { return shop_.settingsPath(); }
    QString dataDirectory() const { return shop_.dataDirectory(); }
    QString databaseFile() const;
    QByteArray printerOutput() const { return shop_.printerOutput(); }
    void setSetting(const QString &name, const QString &value);
    // A value of the receipt printer's section.
    void setPrinterSetting(const QString &name, const QString &value);

    // Starts the program and signs the cashier in; an empty code closes
    // the sign-in, which ends the program.
    ApplicationShell &start(const QString &cashierCode = QStringLiteral("1"));
    ApplicationShell &shell() { return shop_.shell(); }

    // Rings a product (code, Enter through quantity, discount and price).
    void ring(const QString &code);
    // Total <F2>, paid exactly in cash (F5) in the payment window.
    void totalPaidExactly();

    ScriptedDialogs dialogs;

private:
    QTemporaryDir dir_;
    RunningShop shop_;
};
