#pragma once

#include "master_data_editor.h"

#include <QList>
#include <functional>

class DBCheckBox;
class DBEdit;
class DBLookupComboBox;
class QLabel;
class TDataModule2;

// "Create/Edit Products": the product records, with the department
// chosen by name from the department table. Enter moves through the entry
// fields and the department drop-down and passes the tax boxes (reached
// with Tab). While browsing, F9 finds a product by code or description and
// puts the editor on it, so a catalogue of any size is never stepped
// through record by record.
class TForm5 : public MasterDataEditor {
    Q_OBJECT
public:
    explicit TForm5(TDataModule2 &dm, QWidget *parent = nullptr);

    void applyFrenchCaptions();
    bool FormKeyDown(QWidget *target, int key, Qt::KeyboardModifiers modifiers) override;

    // Shows the product lookup over the product table; set by the program.
    std::function<void()> findProduct;

    QList<QLabel *> Labels; // in the order of the fields
    DBEdit *DBEdit1;  // Product UPC code
    DBEdit *DBEdit2;  // long description
    DBEdit *DBEdit3;  // short description
    DBEdit *DBEdit4;  // unit price
    DBEdit *DBEdit5;  // promo price
    DBEdit *DBEdit6;  // promo start date
    DBEdit *DBEdit7;  // promo end date
    DBEdit *DBEdit8;  // average cost
    DBEdit *DBEdit9;  // quantity on hand
    DBLookupComboBox *DBLookupComboBox1; // department
    DBEdit *DBEdit10; // sales account code
    DBCheckBox *DBCheckBox1, *DBCheckBox2, *DBCheckBox3; // Tax 1 to 3
    QLabel *FindHint;

protected:
    bool isFocusStop(QWidget *control) const override;
    QString closeRefusal() override;
};
