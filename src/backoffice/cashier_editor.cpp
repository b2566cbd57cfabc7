#include "cashier_editor.h"

#include "form_layout.h"

#include "common/language.h"
#include "store/data_module.h"
#include "store/sign_in_tables.h"
#include "widgets/db_check_box.h"
#include "widgets/db_edit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

TForm4::TForm4(TDataModule2 &dm, QWidget *parent)
    : MasterDataEditor(dm.cashiertb, parent), db_(dm.database()), newPin_(parent)
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
    SetPin = new QPushButton(QStringLiteral("Set PIN <F5>"), this);
    SetPin->setObjectName(QStringLiteral("SetPin"));
    SetPin->setAutoDefault(false);
    SetPin->setFocusPolicy(Qt::NoFocus);
    connect(SetPin, &QPushButton::clicked, this, &TForm4::SetPinClick);
    PinState = new QLabel(this);
    auto *pin = new QHBoxLayout;
    pin->addWidget(SetPin);
    pin->addWidget(PinState, 1);
    fields->addLayout(pin, 4, 1);
    finishLayout(fields);
    connect(cashiers, &Table::currentRecordChanged, this, &TForm4::showPinState);
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
    showPinState();
    if (button == DBNavigator::Edit && table().editing()) {
        DBEdit2->setFocus();
        DBEdit1->setEnabled(false); // an existing cashier keeps the code the shop knows
    }
}

bool TForm4::FormKeyDown(QWidget *target, int key, Qt::KeyboardModifiers modifiers)
{
    if (key == Qt::Key_F5 && !table().editing()) {
        SetPinClick();
        return true;
    }
    return MasterDataEditor::FormKeyDown(target, key, modifiers);
}

void TForm4::SetPinClick()
{
    Table &cashiers = table();
    if (!cashiers.active() || cashiers.editing() || !cashiers.hasCurrent())
        return;
    const int id = cashiers.field(QStringLiteral("Cashier_id")).asInteger();
    const bool own = signedInCashier && signedInCashier() == id;
    newPin_.askAndKeep(db_, id, cashiers.field(QStringLiteral("Cashier_name")).asString(),
                       own ? NewPinDialog::Chooser::Self : NewPinDialog::Chooser::Manager);
    showPinState();
}

void TForm4::showPinState()
{
    Table &cashiers = table();
    const bool browsing = cashiers.active() && !cashiers.editing() && cashiers.hasCurrent();
    SetPin->setText(chooseText(QStringLiteral("Set PIN <F5>"), QStringLiteral("Définir NIP <F5>")));
    SetPin->setEnabled(browsing);
    if (!browsing) {
        PinState->clear();
        return;
    }
    const std::optional<PinSecret> secret =
        SignInTables::secretOf(db_, cashiers.field(QStringLiteral("Cashier_id")).asInteger());
    PinState->setText(!secret ? chooseText(QStringLiteral("No PIN: chosen at the next sign-in"),
                                           QStringLiteral("Aucun NIP : choisi à la prochaine entrée"))
                      : secret->mustChange
                          ? chooseText(QStringLiteral("PIN given: replaced at the next sign-in"),
                                       QStringLiteral("NIP donné : remplacé à la prochaine entrée"))
                          : chooseText(QStringLiteral("PIN set"), QStringLiteral("NIP défini")));
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
