#pragma once

#include <QDialog>
#include <QList>

class DBEdit;
class DBText;
class QLabel;
class QPushButton;
class TDataModule2;

// The blind money count: one entry field per category of tender, bound to
// the new record of the money table, and no figure of the system's. Enter
// and Down move to the next field or button, Up to the previous one.
class TForm11 : public QDialog {
    Q_OBJECT
public:
    explicit TForm11(TDataModule2 &dm, QWidget *parent = nullptr);

    void applyFrenchCaptions();

    QLabel *Instructions;
    QLabel *FloatLabel;
    QLabel *ForeignCurrencyLabel;
    QList<DBText *> TenderNames; // payment modes 1-5, coupons 1-3
    QList<DBEdit *> Amounts;     // float, payment modes 1-5, coupons 1-3, foreign currency
    QPushButton *AcceptBtn;
    QPushButton *CancelBtn;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QList<QWidget *> focusStops() const;
};
