#pragma once

#include <QDialog>

class DBGrid;
class QLabel;
class TDataModule2;

// The product lookup: every product by description with its price, in
// code order, opened on the product table's current record. Return or a
// double click writes the chosen product's code into the current sale
// line and closes with Accepted; Escape closes with Rejected.
class TForm16 : public QDialog {
    Q_OBJECT
public:
    explicit TForm16(TDataModule2 &dm, QWidget *parent = nullptr);

    void applyFrenchCaptions();

    DBGrid *DBGrid1;
    QLabel *Label1; // "Escape Key to exit"
    QLabel *Label2; // "Return Key to select"
    QLabel *Label3; // "Arrow Keys to navigate"

    void choose();
    void reject() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TDataModule2 &dm_;
};
