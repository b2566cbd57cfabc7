#pragma once

#include "scripted_dialogs.h"

#include <QTemporaryDir>
#include <memory>

class ApplicationShell;

// A demo shop in a temporary directory with its settings file (no tips,
// a drawer that shuts by itself), and the whole program started on it
// with the dialogs scripted.
class DemoShop {
public:
    DemoShop();
    ~DemoShop();

    QString settingsPath() const { return dir_.filePath(QStringLiteral("settings.ini")); }
    QString dataDirectory() const { return dir_.filePath(QStringLiteral("data")); }
    QString databaseFile() const;
    void setSetting(const QString &name, const QString &value);
    // A value of the receipt printer's section.
    void setPrinterSetting(const QString &name, const QString &value);

    // Starts the program and signs the cashier in; an empty code closes
    // the sign-in, which ends the program. The program works in the data
    // directory (the journal goes there).
    ApplicationShell &start(const QString &cashierCode = QStringLiteral("1"));
    ApplicationShell &shell() { return *shell_; }

    // Rings a product (code, Enter through quantity, discount and price).
    void ring(const QString &code);
    // Total <F2>, paid exactly in cash (F5) in the payment window.
    void totalPaidExactly();

    ScriptedDialogs dialogs;

private:
    QTemporaryDir dir_;
    std::unique_ptr<ApplicationShell> shell_;
};

// A file's bytes, or "<missing>".
QByteArray fileBytes(const QString &path);
