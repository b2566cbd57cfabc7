#pragma once

#include "master_data_editor.h"

class DBCheckBox;
class DBEdit;
class QLabel;
class TDataModule2;

// "Create/Edit Cashier": the cashier records. The code of an existing
// cashier cannot be changed, only that of a new one; the window closes
// only while there is at least one cashier and one manager.
class TForm4 : public MasterDataEditor {
    Q_OBJECT
public:
    explicit TForm4(TDataModule2 &dm, QWidget *parent = nullptr);

    void applyFrenchCaptions();
    void DBNavigator1Click(DBNavigator::Button button) override;

    QLabel *Label1, *Label2;
    DBEdit *DBEdit1;           // Cashier Id, reached by the navigator's reaction only
    DBEdit *DBEdit2;           // Cashier name
    DBCheckBox *DBCheckBox1;   // Manager rights
    DBCheckBox *DBCheckBox2;   // Training mode

protected:
    bool isFocusStop(QWidget *control) const override;
    QString closeRefusal() override;
};
