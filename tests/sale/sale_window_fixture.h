#pragma once

#include "recording_devices.h"
#include "scripted_dialogs.h"
#include "test_database.h"

#include "common/app_settings.h"
#include "sale/checkout.h"
#include "sale/sale_window.h"

#include <QDateTime>
#include <memory>

// A shop with a few products, cashier 7 signed in, and the sale window on
// screen as start-up leaves it: a fresh work header and the focus in the
// UPC field with the first entry line.
//
// Products: 1001 Cola 1.99 (tax 1), 1002 Chips 2.00, 1003 Coffee 9.99 on
// promotion at 7.99 from 1 to 10 March 2026 (average cost 6.50), 1004 Bag
// at 0.00, 1005 Flour 3.49 at average cost 2.40. The clock stands at
// 5 March 2026, 12:00.
class SaleWindowFixture {
public:
    SaleWindowFixture();
    ~SaleWindowFixture();

    TDataModule2 &dm() { return db.dm(); }
    TForm1 &form() { return *form_; }

    // The control with the focus in the sale window, and its object name.
    QWidget *focused() const;
    QString focusedName() const;

    void type(const QString &text);
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Types a code, Enter, and then for each of quantity, discount and
    // unit price the text given (empty keeps what is there) and Enter.
    void ring(const QString &code, const QString &quantity = {}, const QString &discount = {},
              const QString &price = {});
    // Clicks a row of the line grid, as the cashier choosing a line.
    void clickGridRow(int row);

    // The work lines, first to last, as values of one field.
    QList<double> lineValues(const char *field);
    double header(const char *field);
    int lineCount();
    // Lets the grid and other deferred refreshes run.
    void settle();

    TestDatabase db;
    ScriptedDialogs dialogs;
    AppSettings settings;
    DeviceNames names;
    RecordingDevices devices;

private:
    std::unique_ptr<TForm1> form_;
};

// Total <F2> of the fixture's sale window wired as the program wires it.
// The cashier code comes from `cashierId`.
struct SaleCheckout : Checkout {
    SaleCheckout(SaleWindowFixture &f, std::function<int()> cashierId)
        : Checkout(f.dm(), f.form(), f.devices, f.names, f.settings, std::move(cashierId))
    {
    }
};
