#pragma once

#include <QDialog>

class DBGrid;
class QLabel;
class QLineEdit;
class TDataModule2;

// The product lookup: every product by description with its price, in
// code order, opened on the product table's current record. Return or a
// double click writes the chosen product's code into the current sale
// line and closes with Accepted; Escape closes with Rejected.
//
// A search line above the list finds a product by code or by words of its
// description: Enter finds, Enter again the next match, Down goes into the
// list. The sale's lookup opens in the list, whose keys stay as they are;
// typing there goes on in the search line.
//
// The product editor opens it with findForEditor(), in the search line:
// Return in the list leaves the product table on the chosen product and
// writes nothing into the sale, Escape puts the table back on the product
// it stood on.
class TForm16 : public QDialog {
    Q_OBJECT
public:
    explicit TForm16(TDataModule2 &dm, QWidget *parent = nullptr);

    void applyFrenchCaptions();
    // True when a product was chosen.
    bool findForEditor();

    QLineEdit *SearchLine;
    DBGrid *DBGrid1;
    QLabel *Label1; // "Escape Key to exit"
    QLabel *Label2; // "Return Key to select"
    QLabel *Label3; // "Arrow Keys to navigate"

    void choose();
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void search();

    TDataModule2 &dm_;
    bool forEditor_ = false;
};
