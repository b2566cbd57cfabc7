#pragma once

#include "master_data_editor.h"

class DBCheckBox;
class DBEdit;
class QLabel;
class TDataModule2;

// "Create/Edit Departments": the department records. Enter moves between
// the entry fields only; the tax boxes are reached with Tab.
class TForm18 : public MasterDataEditor {
    Q_OBJECT
public:
    explicit TForm18(TDataModule2 &dm, QWidget *parent = nullptr);

    void applyFrenchCaptions();

    QLabel *Label1, *Label2, *Label3;
    DBEdit *DBEdit1;  // Department code
    DBEdit *DBEdit2;  // Description
    DBEdit *DBEdit10; // Sales account code
    DBCheckBox *DBCheckBox1, *DBCheckBox2, *DBCheckBox3; // Tax 1 to 3

protected:
    bool isFocusStop(QWidget *control) const override;
    QString closeRefusal() override;
};
