#pragma once

#include <QString>

// The three device names held by the shell; an empty name means the
// device is not used for the rest of the run.
struct DeviceNames {
    QString printer;
    QString drawer;
    QString display;
    // Characters in a row of the customer display, from "Columns" in its
    // section; texts longer than that would wrap into the next row.
    int displayColumns = 20;
};

// The eleven operations through which the program reaches its receipt
// printer, cash drawer and customer display. Callers test the device name
// first; the operations themselves do not.
class DeviceOperations {
public:
    virtual ~DeviceOperations() = default;

    // Each start returns the name to keep: the same when the device is
    // ready, empty when it is not to be used.
    virtual QString StartPrinter(const QString &name) = 0;
    virtual QString StartCashDrawer(const QString &name) = 0;
    virtual QString StartLineDisplay(const QString &name) = 0;
    virtual void StopPrinter() = 0;
    virtual void StopCashDrawer() = 0;
    virtual void StopLineDisplay() = 0;

    // Starts a printout. A line the printer refuses makes the cashier
    // choose between sending it again and stopping the printout; the note
    // is added to that question (a sale's receipt: the sale is posted and
    // can be printed again).
    virtual void BeginPrintout(const QString &stopNote) { Q_UNUSED(stopNote) }
    // One line of a printout, without its line end; returns true once the
    // printer has accepted it, false when the cashier stopped the printout
    // instead (its other lines are then not to be sent).
    virtual bool PrintLine(const QString &text) = 0;
    // Ends a printout: feed past the cutter, cut when "PaperCut" is Y.
    virtual void EndPrintout() = 0;

    virtual void OpenCashDrawer() = 0;
    // Returns once the drawer has been shut.
    virtual void WaitCashDrawerClosed() = 0;

    virtual void ShowOnLineDisplay(const QString &text) = 0;
};
