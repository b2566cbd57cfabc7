#include "product_editor.h"

#include "form_layout.h"
#include "tax_boxes.h"

#include "common/language.h"
#include "common/sale_figures.h"
#include "store/data_module.h"
#include "widgets/db_edit.h"
#include "widgets/db_lookup_combo_box.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace {
const char *const EnglishLabels[] = {"Product UPC code",  "Product long description", "Product short description",
                                     "Product unit price", "Product promo price",     "Promo start date",
                                     "Promo end date",    "Average cost",             "Quantity on hand",
                                     "Product department", "Sales account code"};
const char *const FrenchLabels[] = {"Code UPC produit", "Description longue", "Description courte",
                                    "Prix unitaire",    "Prix promotion",     "Date début promo",
                                    "Date fin promo",   "Coût moyen",         "Quantité en main",
                                    "Département",      "Code vente G/L"};
}

TForm5::TForm5(TDataModule2 &dm, QWidget *parent) : MasterDataEditor(dm.producttb, parent)
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Create/Edit Products"));
    Table *products = &dm.producttb;
    DBEdit1 = boundEdit("DBEdit1", "Product_upc", 160);
    DBEdit2 = boundEdit("DBEdit2", "Product_desc", 420);
    DBEdit3 = boundEdit("DBEdit3", "Product_short_desc", 180);
    DBEdit4 = boundEdit("DBEdit4", "Product_price", 110);
    DBEdit5 = boundEdit("DBEdit5", "Product_promo", 110);
    DBEdit6 = boundEdit("DBEdit6", "Product_promo_start", 110);
    DBEdit7 = boundEdit("DBEdit7", "Product_promo_end", 110);
    DBEdit8 = boundEdit("DBEdit8", "Product_avg_cost", 110);
    DBEdit9 = boundEdit("DBEdit9", "Product_qty", 110);
    // A price beyond what a sale can ring would make the product unsellable.
    for (DBEdit *price : {DBEdit4, DBEdit5, DBEdit8})
        price->setValueRange(-UnitPriceLimit, UnitPriceLimit);
    DBLookupComboBox1 = new DBLookupComboBox(this);
    DBLookupComboBox1->setObjectName(QStringLiteral("DBLookupComboBox1"));
    DBLookupComboBox1->setDataSource(products, QStringLiteral("Product_dept"));
    DBLookupComboBox1->setLookup(&dm.DeptTb, QStringLiteral("Dept_code"), QStringLiteral("Dept_desc"));
    DBLookupComboBox1->setFixedWidth(260);
    DBEdit10 = boundEdit("DBEdit10", "Product_accnt", 110);
    const TaxBoxes taxes = makeTaxBoxes(*this, products, QStringLiteral("Product_tx"));
    DBCheckBox1 = taxes.boxes[0];
    DBCheckBox2 = taxes.boxes[1];
    DBCheckBox3 = taxes.boxes[2];

    auto *fields = new QGridLayout;
    const QList<QWidget *> inOrder{DBEdit1, DBEdit2, DBEdit3, DBEdit4, DBEdit5, DBEdit6,
                                   DBEdit7, DBEdit8, DBEdit9, DBLookupComboBox1, DBEdit10};
    for (int row = 0; row < inOrder.size(); ++row)
        Labels.append(addLabelledRow(fields, row, QLatin1String(EnglishLabels[row]), inOrder[row]));
    fields->addLayout(taxes.row, int(inOrder.size()), 1);
    FindHint = new QLabel(QStringLiteral("F9: find a product by code or description"), this);
    fields->addWidget(FindHint, int(inOrder.size()) + 1, 0, 1, 2);
    finishLayout(fields);
}

void TForm5::applyFrenchCaptions()
{
    setWindowTitle(QStringLiteral("Créer/modifier produuits"));
    for (int i = 0; i < Labels.size(); ++i)
        Labels[i]->setText(QString::fromUtf8(FrenchLabels[i]));
    Button1->setText(QStringLiteral("Fermer"));
    frenchTaxCaptions({DBCheckBox1, DBCheckBox2, DBCheckBox3});
    FindHint->setText(QStringLiteral("F9 : chercher un produit par code ou description"));
    fitToCaptions(*this);
}

bool TForm5::FormKeyDown(QWidget *target, int key, Qt::KeyboardModifiers modifiers)
{
    if (key == Qt::Key_F9 && !table().editing() && findProduct) {
        findProduct();
        return true;
    }
    return MasterDataEditor::FormKeyDown(target, key, modifiers);
}

bool TForm5::isFocusStop(QWidget *control) const
{
    return qobject_cast<DBEdit *>(control) || control == DBLookupComboBox1;
}

QString TForm5::closeRefusal()
{
    if (!table().isEmpty())
        return {};
    return chooseText(QStringLiteral("There must be at least one product"),
                      QStringLiteral("Vous devez créer un produit"));
}
