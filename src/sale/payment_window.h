#pragma once

#include "common/sale_figures.h"

#include <QDialog>

class DBEdit;
class DBText;
class QGridLayout;
class QLabel;
class QPushButton;
class TDataModule2;

// The payment window: the cashier enters how the customer pays, in up to
// five payment modes, the foreign currency and three coupons, every amount
// bound to the work header. The amount label shows the grand total when
// the window opens and the balance once a field has been left; the window
// closes by itself with OK as soon as the tenders cover the total, and
// refuses OK while they do not. A refund (negative grand total) is entered
// with positive amounts and stored negative when the window closes.
//
// Every tender stays within the amount limit: a larger one typed, or one
// that a quick-tender key would make larger, is refused with a message.
//
// Keys, seen by the window before its fields: Escape cancels; F2, F3 and
// F4 add 20.00, 10.00 and 5.00 to every cash-type payment mode (only for a
// sale, not for a refund); F5 adds the balance; Enter and Down go to the
// next field or button, Up to the previous one, Enter on "Ok" presses it.
class TForm8 : public QDialog {
    Q_OBJECT
public:
    explicit TForm8(TDataModule2 &dm, QWidget *parent = nullptr);

    // What the amount label shows (checkout puts the grand total there).
    void setAmountText(const QString &text);
    QString amountText() const;

    // Shows the payment and coupon rows whose name in the control record is
    // not empty and hides the others; the foreign currency row always shows.
    void showNamedRowsOnly();

    void applyFrenchCaptions();

    // The field that takes the focus when the window opens: the first
    // payment field shown, or the foreign currency field when none is.
    DBEdit *firstField() const;

    // --- controls ---
    QLabel *TotalCaption;
    QLabel *AmountLabel;
    DBText *PaymentNames[PaymentCount];
    DBEdit *PaymentFields[PaymentCount];
    QLabel *ForeignCurrencyCaption;
    DBEdit *ForeignCurrencyField;
    DBText *CouponNames[CouponCount];
    DBEdit *CouponFields[CouponCount];
    QPushButton *QuickTenderKeys[4]; // "F2" .. "F5": they only show the keys
    QPushButton *OkButton;
    QPushButton *CancelButton;

public slots:
    void done(int result) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildLayout();
    DBEdit *amountField(const QString &fieldName);
    void addNamedRow(QGridLayout *rows, int row, const QString &nameField, const QString &amountFieldName,
                     DBText *&name, DBEdit *&field);

    bool handleKey(QObject *target, int key);
    QList<QWidget *> keyboardOrder() const;
    void moveFocus(QObject *from, bool forward);
    QList<DBEdit *> amountFields() const;

    // F2 to F5: what was typed counts first, then `amount` goes into every
    // cash-type payment mode.
    void addToCashModes(Money amount);
    void addBalanceToCashModes();
    void quickTender(Money amount);

    void FieldLeft();
    void OkClick();

    // Writes what the focused field holds and posts the work header.
    void keepTypedAmounts();
    void postWorkHeader();

    // The payment and coupon rows, shown only when they have a name.
    struct NamedRow {
        QString nameField;
        DBText *name;
        DBEdit *field;
    };
    QList<NamedRow> namedRows_;

    TDataModule2 &dm_;
    bool closed_ = false; // set once per showing: a late OK or field-left does nothing
};
