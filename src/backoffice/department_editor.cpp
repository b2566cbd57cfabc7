#include "department_editor.h"

#include "form_layout.h"
#include "tax_boxes.h"

#include "common/language.h"
#include "store/data_module.h"
#include "widgets/db_edit.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

TForm18::TForm18(TDataModule2 &dm, QWidget *parent) : MasterDataEditor(dm.DeptTb, parent)
{
    setObjectName(QStringLiteral("Form18"));
    setWindowTitle(QStringLiteral("Create/Edit Departments"));
    Table *departments = &dm.DeptTb;
    DBEdit1 = boundEdit("DBEdit1", "Dept_code", 100);
    DBEdit2 = boundEdit("DBEdit2", "Dept_desc", 360);
    DBEdit10 = boundEdit("DBEdit10", "Dept_sales_accnt", 100);
    const TaxBoxes taxes = makeTaxBoxes(*this, departments, QStringLiteral("Dept_tx"));
    DBCheckBox1 = taxes.boxes[0];
    DBCheckBox2 = taxes.boxes[1];
    DBCheckBox3 = taxes.boxes[2];

    auto *fields = new QGridLayout;
    Label1 = addLabelledRow(fields, 0, QStringLiteral("Department code"), DBEdit1);
    Label2 = addLabelledRow(fields, 1, QStringLiteral("Description"), DBEdit2);
    Label3 = addLabelledRow(fields, 2, QStringLiteral("Sales account code"), DBEdit10);
    fields->addLayout(taxes.row, 3, 1);
    finishLayout(fields);
}

void TForm18::applyFrenchCaptions()
{
    setWindowTitle(QStringLiteral("Créer/modifier Départements"));
    Label1->setText(QStringLiteral("Code département"));
    Label3->setText(QStringLiteral("Code vente G/L"));
    Button1->setText(QStringLiteral("Fermer"));
    frenchTaxCaptions({DBCheckBox1, DBCheckBox2, DBCheckBox3});
    fitToCaptions(*this);
}

bool TForm18::isFocusStop(QWidget *control) const
{
    return qobject_cast<DBEdit *>(control);
}

QString TForm18::closeRefusal()
{
    if (!table().isEmpty())
        return {};
    return chooseText(QStringLiteral("There must be at least one Department"),
                      QStringLiteral("Vous devez créer un département"));
}
