#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

class ApplicationShell;
class QMenu;

// A shop prepared as tillano-setup prepares a real one (manager "Manager",
// code 1), or with `demo` its demo shop (cashiers, products, taxes), with
// a simulated receipt printer writing ReceiptPrinter.txt into the data
// directory, a cash drawer that closes by itself, page reports printed as
// PDF files into `printed/` beside it, and no tips; and the program run
// on it, started as often as wanted. The sign-in goes through the Dialogs
// seam, which the test scripts.
class RunningShop {
public:
    explicit RunningShop(const QString &directory, const QString &language = QStringLiteral("0"), bool demo = false);
    ~RunningShop();

    QString dataDirectory() const { return directory_ + QStringLiteral("/data"); }
    QString settingsPath() const { return directory_ + QStringLiteral("/settings.ini"); }
    QString printedDirectory() const { return directory_ + QStringLiteral("/printed"); }
    // Everything the receipt printer has printed so far.
    QByteArray printerOutput() const;

    // Starts the program, ending any run before: the start-up up to the
    // first sign-in and the focus in the UPC field of the active window
    // (unless the program went down: a refused start, a closed sign-in).
    ApplicationShell &start();
    ApplicationShell &shell() { return *shell_; }
    // The main window takes the keys again, as the window manager makes
    // it once a dialog on top has closed (the offscreen platform does not).
    void activateMainWindow();
    // Opens a menu of the main window's menu bar and clicks an entry, as
    // the manager does with the mouse.
    void clickMenuEntry(QMenu *menu, int entry);

private:
    QString directory_;
    std::unique_ptr<ApplicationShell> shell_;
};
