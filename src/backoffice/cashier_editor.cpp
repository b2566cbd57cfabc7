#include "cashier_editor.h"

#include "form_layout.h"

#include "common/language.h"
#include "store/data_module.h"
#include "widgets/db_check_box.h"
#include "widgets/db_edit.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

TForm4::TForm4(TDataModule2 &dm, QWidget *parent) : MasterDataEditor(dm.cashiertb, parent)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Create/Edit Cashier"));
    Table *cashiers = &dm.cashiertb;
    DBEdit1 = boundEdit("DBEdit1", "Cashier_id", 100);
    DBEdit1->setFocusPolicy(Qt::ClickFocus); // not a tab stop
    DBEdit2 = boundEdit("DBEdit2", "Cashier_name", 360);
    DBCheckBox1 = new DBCheckBox(QStringLiteral("Manager rights"), this);
    DBCheckBox1->setObjectName(QStringLiteral("DBCheckBox1"));
    DBCheckBox1->setDataSource(cashiers, QStringLiteral("Cashier_type"));
    DBCheckBox2 = new DBCheckBox(QStringLiteral("Training mode"), this);
    DBCheckBox2->setObjectName(QStringLiteral("DBCheckBox2"));
    DBCheckBox2->setDataSource(cashiers, QStringLiteral("Cashier_train"));

    auto *fields = new QGridLayout;
    Label1 = addLabelledRow(fields, 0, QStringLiteral("Cashier Id"), DBEdit1);
    Label2 = addLabelledRow(fields, 1, QStringLiteral("Cashier name"), DBEdit2);
    fields->addWidget(DBCheckBox1, 2, 1);
    fields->addWidget(DBCheckBox2, 3, 1);
    finishLayout(fields);
}

void TForm4::applyFrenchCaptions()
{
    setWindowTitle(QStringLiteral("Créer/modifier caissiers"));
    Label1->setText(QStringLiteral("Code caissier"));
    Label2->setText(QStringLiteral("Nom caissier"));
    DBCheckBox1->setText(QStringLiteral("Droits gérant"));
    DBCheckBox2->setText(QStringLiteral("Mode formation"));
    Button1->setText(QStringLiteral("Fermer"));
    fitToCaptions(*this);
}

void TForm4::DBNavigator1Click(DBNavigator::Button button)
{
    MasterDataEditor::DBNavigator1Click(button);
    if (button == DBNavigator::Edit && table().editing()) {
        DBEdit2->setFocus();
        DBEdit1->setEnabled(false); // an existing cashier keeps the code the shop knows
    } else if (button == DBNavigator::Insert) {
        DBEdit1->setFocus();
    }
}

bool TForm4::isFocusStop(QWidget *control) const
{
    return qobject_cast<DBEdit *>(control) || qobject_cast<DBCheckBox *>(control);
}

QString TForm4::closeRefusal()
{
    Table &cashiers = table();
    if (cashiers.isEmpty())
        return chooseText(QStringLiteral("There must be at least one cashier"),
                          QStringLiteral("Vous devez créer un caissier"));
    bool managerFound = false;
    for (cashiers.first(); !cashiers.eof(); cashiers.next())
        managerFound = managerFound || cashiers.field(QStringLiteral("Cashier_type")).asBoolean();
    cashiers.first();
    if (managerFound)
        return {};
    return chooseText(QStringLiteral("There must be at least one manager"),
                      QStringLiteral("Vous devez créer un caissier gérant"));
}
