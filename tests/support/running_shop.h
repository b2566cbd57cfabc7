#pragma once

#include "scripted_dialogs.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <memory>

class ApplicationShell;
class QMenu;

// A shop prepared in a temporary folder as tillano-setup prepares a real
// one (manager "Manager", code 1), or with `demo` its demo shop (cashiers,
// products, taxes), with a simulated receipt printer writing
// ReceiptPrinter.txt into the data directory, a cash drawer that closes by
// itself, page reports printed as PDF files into `printed/` beside it, and
// no tips; and the program run on it, started as often as wanted, its
// dialogs scripted. At its end the program's language is English again.
class RunningShop {
public:
    explicit RunningShop(const QString &language = QStringLiteral("0"), bool demo = false);
    ~RunningShop();

    // The folder of the shop, where a test may put files of its own.
    QString directory() const { return dir_.path(); }
    QString dataDirectory() const { return directory() + QStringLiteral("/data"); }
    QString databaseFile() const { return dataDirectory() + QStringLiteral("/posdb.sqlite3"); }
    QString settingsPath() const { return directory() + QStringLiteral("/settings.ini"); }
    QString printedDirectory() const { return directory() + QStringLiteral("/printed"); }
    // Everything the receipt printer has printed so far.
    QByteArray printerOutput() const;
    // A value of [software\Tillano], or of the receipt printer's section.
    void setSetting(const QString &name, const QString &value);
    void setPrinterSetting(const QString &name, const QString &value);

    // Starts the program, ending any run before, and signs the cashier in
    // (an empty code closes the sign-in, which ends the program): the
    // start-up up to the first sign-in and the focus in the UPC field of
    // the active window, unless the program went down.
    ApplicationShell &start(const QString &cashierCode = QStringLiteral("1"));
    ApplicationShell &shell() { return *shell_; }
    // The main window takes the keys again, as the window manager makes
    // it once a dialog on top has closed (the offscreen platform does not).
    void activateMainWindow();
    // Opens a menu of the main window's menu bar and clicks an entry, as
    // the manager does with the mouse.
    void clickMenuEntry(QMenu *menu, int entry);

    // Rings a product (code, Enter through quantity, discount and price).
    void ring(const QString &code);
    // Total <F2>, paid exactly in cash (F5) in the payment window.
    void totalPaidExactly();
    // Leaves exactly `count` work lines, as a sale in progress would (two
    // or more) or the sale window between sales (none or one).
    void leaveWorkLines(int count);

    ScriptedDialogs dialogs;

private:
    QTemporaryDir dir_;
    std::unique_ptr<ApplicationShell> shell_;
};

// The demo shop, run the same way.
class DemoShop : public RunningShop {
public:
    explicit DemoShop(const QString &language = QStringLiteral("0")) : RunningShop(language, true) {}
};
