// The controls of the sale window, its menu and its two caption sets.
#include "sale_window.h"

#include "lookup_window.h"

#include "common/sale_figures.h"
#include "store/data_module.h"
#include "widgets/db_edit.h"
#include "widgets/db_grid.h"
#include "widgets/db_text.h"
#include "widgets/label_slot.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QColor Teal(0, 128, 128);

QFont boldFont(const QFont &base, int pointSizeIncrease = 0)
{
    QFont f = base;
    f.setBold(true);
    if (pointSizeIncrease != 0 && f.pointSize() > 0)
        f.setPointSize(f.pointSize() + pointSizeIncrease);
    return f;
}

DBText *boundText(QWidget *parent, Table &table, const QString &field, Qt::Alignment alignment)
{
    auto *text = new DBText(parent);
    text->setObjectName(field);
    text->setDataSource(&table, field);
    text->setAlignment(alignment | Qt::AlignVCenter);
    return text;
}

}

void TForm1::buildLayout()
{
    setWindowTitle(QStringLiteral("Tillano"));
    // No title-bar buttons: the only way out is the Close button of the
    // sign-in dialog. Window managers draw their buttons on any title bar
    // they decorate, whatever the hints say of the buttons, so the window
    // asks for no decoration at all; it runs maximised.
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    // The cashier must see at a glance where the next key goes.
    setStyleSheet(QStringLiteral("DBEdit:focus { background: #fff4c2; }"));

    auto *left = new QVBoxLayout;
    left->addWidget(buildHeaderStrip());

    DBGrid1 = new DBGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setDataSource(&dm_.tmpdetail);
    DBGrid1->setColumns({
        {QStringLiteral("Trx_upc"), QStringLiteral("UPC"), Qt::AlignRight, 130},
        {QStringLiteral("Trx_short_desc"), QStringLiteral("Description"), Qt::AlignLeft, 200, true},
        {QStringLiteral("Trx_qty"), QStringLiteral("Qty"), Qt::AlignHCenter, 50},
        {QStringLiteral("Trx_price"), QStringLiteral("Price"), Qt::AlignRight, 90},
        {QStringLiteral("Trx_dscamt"), QStringLiteral("$Dsc"), Qt::AlignRight, 80},
        {QStringLiteral("Trx_total"), QStringLiteral("Total"), Qt::AlignRight, 100},
    });
    DBGrid1->setRowSelect(true);
    DBGrid1->setTitleColours(Teal, Qt::white);
    DBGrid1->setFocusPolicy(Qt::ClickFocus);
    DBGrid1->setTabKeyNavigation(true);
    DBGrid1->setMinimumSize(660, 330);
    DBGrid1->installEventFilter(this);
    left->addWidget(DBGrid1, 1);
    left->addWidget(buildTotals());

    auto *right = new QVBoxLayout;
    right->addWidget(buildEntryPanel());
    auto *buttons = new QGridLayout;
    buildButtons(buttons);
    right->addLayout(buttons);
    right->addStretch(1);
    auto *lookupRow = new QHBoxLayout;
    lookupRow->addStretch(1);
    lookupRow->addWidget(BitBtn10);
    right->addLayout(lookupRow);

    auto *body = new QHBoxLayout;
    body->addLayout(left, 1);
    body->addSpacing(8);
    body->addLayout(right);

    auto *root = new QVBoxLayout(this);
    root->addLayout(body);
}

QWidget *TForm1::buildHeaderStrip()
{
    auto *strip = new QWidget(this);
    auto *grid = new QGridLayout(strip);
    grid->setContentsMargins(0, 0, 0, 4);
    grid->setVerticalSpacing(1);
    Table &header = dm_.tmpmaster;
    Table &control = dm_.Control;

    DateText = boundText(strip, header, "Trxh_date", Qt::AlignLeft);
    TimeText = boundText(strip, header, "Trxh_time", Qt::AlignRight);
    CompanyName = boundText(strip, control, "Ctrl_company_name", Qt::AlignHCenter);
    CompanyAddress1 = boundText(strip, control, "Ctrl_company_adr1", Qt::AlignHCenter);
    CompanyAddress2 = boundText(strip, control, "Ctrl_company_adr2", Qt::AlignHCenter);
    CompanyTelephone = boundText(strip, control, "Ctrl_company_tel", Qt::AlignHCenter);
    SlipMessage1 = boundText(strip, control, "Ctrl_slip_mess", Qt::AlignLeft);
    SlipMessage2 = boundText(strip, control, "Ctrl_slip_mess2", Qt::AlignLeft);
    SlipMessage3 = boundText(strip, control, "Ctrl_slip_mess3", Qt::AlignLeft);
    for (DBText *company : {CompanyName, CompanyAddress1, CompanyAddress2, CompanyTelephone})
        company->setFont(boldFont(font()));

    grid->addWidget(DateText, 0, 0);
    grid->addWidget(CompanyName, 0, 1);
    grid->addWidget(TimeText, 0, 2);
    grid->addWidget(SlipMessage1, 1, 0);
    grid->addWidget(CompanyAddress1, 1, 1);
    grid->addWidget(SlipMessage2, 2, 0);
    grid->addWidget(CompanyAddress2, 2, 1);
    grid->addWidget(SlipMessage3, 3, 0);
    grid->addWidget(CompanyTelephone, 3, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(2, 1);
    return strip;
}

QWidget *TForm1::buildTotals()
{
    auto *area = new QWidget(this);
    auto *row = new QHBoxLayout(area);
    row->setContentsMargins(0, 4, 0, 0);

    // Bottom left: the change of the last sale and the training indicator.
    auto *leftColumn = new QVBoxLayout;
    ChangeBox = new QGroupBox(QStringLiteral("Change"), area);
    ChangeBox->setObjectName(QStringLiteral("ChangeBox"));
    ChangeLabel = new QLabel(ChangeBox);
    ChangeLabel->setObjectName(QStringLiteral("ChangeLabel"));
    ChangeLabel->setFont(boldFont(font(), 10));
    ChangeLabel->setAlignment(Qt::AlignCenter);
    ChangeLabel->setMinimumWidth(200);
    (new QVBoxLayout(ChangeBox))->addWidget(ChangeLabel);
    ChangeBox->hide();
    TrainLabel = new QLabel(QStringLiteral("Training Mode"), area);
    TrainLabel->setObjectName(QStringLiteral("TrainLabel"));
    TrainLabel->setFont(boldFont(font(), 2));
    TrainLabel->hide();
    // A mode that changes what the next key does must be seen at a glance.
    ModeLabel = new QLabel(area);
    ModeLabel->setObjectName(QStringLiteral("ModeLabel"));
    ModeLabel->setFont(boldFont(font(), 4));
    ModeLabel->setStyleSheet(QStringLiteral("background: #c00000; color: white; padding: 2px 10px;"));
    ModeLabel->hide();
    CashierLabel = new QLabel(area);
    CashierLabel->setObjectName(QStringLiteral("CashierLabel"));
    CashierLabel->setFont(boldFont(font()));
    auto *status = new QHBoxLayout;
    status->setSpacing(16);
    for (QLabel *label : {CashierLabel, TrainLabel, ModeLabel})
        status->addWidget(label);
    status->addStretch(1);
    statusRow_ = status;
    leftColumn->addWidget(ChangeBox);
    leftColumn->addStretch(1);
    leftColumn->addLayout(status);
    row->addLayout(leftColumn);
    row->addStretch(1);

    // Bottom right: subtotal, the three taxes and the grand total.
    auto *totals = new QGridLayout;
    totals->setVerticalSpacing(2);
    Table &header = dm_.tmpmaster;
    Table &control = dm_.Control;
    SubTotalLabel = new QLabel(QStringLiteral("Sub total"), area);
    TransactionTotalLabel = new QLabel(QStringLiteral("Transaction Total"), area);
    SubTotal = boundText(area, header, QStringLiteral("Trxh_total"), Qt::AlignRight);
    TransactionTotal = boundText(area, header, QStringLiteral("Trxh_grand_total"), Qt::AlignRight);
    QList<QLabel *> names{SubTotalLabel}, amounts{SubTotal};
    for (int n = 0; n < TaxCount; ++n) {
        names << (TaxNames[n] = boundText(area, control, numbered("Ctrl_tx", n + 1), Qt::AlignRight));
        amounts << (TaxAmounts[n] = boundText(area, header, numbered("Trxh_tx", n + 1), Qt::AlignRight));
    }
    names << TransactionTotalLabel;
    amounts << TransactionTotal;
    for (int i = 0; i < names.size(); ++i) {
        names[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        names[i]->setFont(boldFont(font()));
        amounts[i]->setFont(boldFont(font()));
        amounts[i]->setMinimumWidth(150);
        totals->addWidget(names[i], i, 0);
    }
    const QFont large = boldFont(font(), 6);
    TransactionTotalLabel->setFont(large);
    TransactionTotal->setFont(large);
    for (QLabel *grand : {TransactionTotalLabel, static_cast<QLabel *>(TransactionTotal)})
        grand->setStyleSheet(QStringLiteral("color: #d00000;"));
    // The amounts change at every line rung, mostly without changing width.
    for (int i = 0; i < amounts.size(); ++i)
        totals->addWidget(new LabelSlot(amounts[i], area), i, 1);
    row->addLayout(totals);
    return area;
}

QWidget *TForm1::buildEntryPanel()
{
    auto *panel = new QWidget(this);
    auto *column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 8);
    column->setSpacing(2);
    Table &lines = dm_.tmpdetail;

    struct Entry {
        QLabel *&caption;
        const char *captionText;
        DBEdit *&edit;
        const char *objectName;
        const char *field;
    };
    const Entry entries[] = {
        {UpcCaption, "UPC", DBEdit1, "DBEdit1", "Trx_upc"},
        {DescriptionCaption, "Description", DBEdit2, "DBEdit2", "Trx_short_desc"},
        {QuantityCaption, "Quantity", DBEdit3, "DBEdit3", "Trx_qty"},
        {DiscountCaption, "Discount %", DBEdit4, "DBEdit4", "Trx_dsc_per"},
        {UnitPriceCaption, "Unit Price", DBEdit5, "DBEdit5", "Trx_price"},
    };
    const QFont entryFont = boldFont(font(), 3);
    for (const Entry &e : entries) {
        e.caption = new QLabel(QLatin1String(e.captionText), panel);
        e.edit = new DBEdit(panel);
        e.edit->setObjectName(QLatin1String(e.objectName));
        e.edit->setDataSource(&lines, QLatin1String(e.field));
        e.edit->setFont(entryFont);
        e.edit->setFixedWidth(260);
        e.edit->installEventFilter(this);
        column->addWidget(e.caption);
        column->addWidget(e.edit);
        column->addSpacing(4);
    }
    DBEdit1->setAlignment(Qt::AlignRight);
    for (DBEdit *number : {DBEdit3, DBEdit4, DBEdit5})
        number->setAlignment(Qt::AlignRight);
    // A barcode scanned into the quantity is refused rather than sold, and
    // a shorter code (1002) is asked about before it counts.
    DBEdit3->setValueRange(-QuantityLimit, QuantityLimit);
    DBEdit3->setValueConfirmation([this](double quantity) { return quantityConfirmed(quantity); });
    DBEdit4->setValueRange(0, 100);
    DBEdit5->setValueRange(-UnitPriceLimit, UnitPriceLimit);
    DBEdit2->setFocusPolicy(Qt::ClickFocus); // reached with the mouse only
    return panel;
}

void TForm1::buildButtons(QGridLayout *grid)
{
    auto button = [this](QPushButton *&b, const char *objectName, const char *caption, void (TForm1::*operation)()) {
        b = new QPushButton(QLatin1String(caption), this);
        b->setObjectName(QLatin1String(objectName));
        b->setFocusPolicy(Qt::NoFocus); // no tab stop; a click leaves the focus where it is
        b->setAutoDefault(false);
        b->setMinimumHeight(38);
        connect(b, &QPushButton::clicked, this, operation);
    };
    button(BitBtn1, "BitBtn1", "Total <F2>", &TForm1::BitBtn1Click);
    button(BitBtn2, "BitBtn2", "Cancel <F3>", &TForm1::CancelTransaction);
    button(BitBtn3, "BitBtn3", "Void trans <F4>", &TForm1::VoidTransaction);
    button(BitBtn4, "BitBtn4", "Void item <F5>", &TForm1::VoidItem);
    button(BitBtn8, "BitBtn8", "Clear <F6>", &TForm1::ClearLine);
    button(BitBtn7, "BitBtn7", "End of Day <F7>", &TForm1::BitBtn7Click);
    button(BitBtn9, "BitBtn9", "Receiving <F8>", &TForm1::StartReceiving);
    button(BitBtn6, "BitBtn6", "Re-Print <F11>", &TForm1::BitBtn6Click);
    button(BitBtn5, "BitBtn5", "In/Out <F12>", &TForm1::BitBtn5Click);

    BitBtn10 = new QPushButton(QStringLiteral("F9 Lookup"), this);
    BitBtn10->setObjectName(QStringLiteral("BitBtn10"));
    BitBtn10->setFocusPolicy(Qt::NoFocus);
    BitBtn10->setAutoDefault(false);
    connect(BitBtn10, &QPushButton::clicked, this, [this] { LookupProduct(false); });

    const QList<QPushButton *> ordered{BitBtn1, BitBtn2, BitBtn3, BitBtn4, BitBtn8,
                                       BitBtn7, BitBtn9, BitBtn6, BitBtn5};
    for (int i = 0; i < ordered.size(); ++i)
        grid->addWidget(ordered[i], i / 2, i % 2);
}

void TForm1::buildMenu()
{
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    layout()->setMenuBar(MainMenu1);

    auto entry = [this](QMenu *menu, const char *caption, void (TForm1::*handler)()) {
        QAction *action = menu->addAction(QString::fromUtf8(caption));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    Parameters1 = MainMenu1->addMenu(QStringLiteral("Parameters"));
    Editgeneralparameters1 = entry(Parameters1, "Edit general parameters", &TForm1::Editgeneralparameters1Click);
    Createeditproducts1 = entry(Parameters1, "Create/edit products", &TForm1::Createeditproducts1Click);
    Createeditcashiers1 = entry(Parameters1, "Create/edit cashiers", &TForm1::Createeditcashiers1Click);
    CreateEditDepartments1 = entry(Parameters1, "Create/Edit Departments", &TForm1::CreateEditDepartments1Click);
    Importproducts1 = entry(Parameters1, "Import products", &TForm1::Importproducts1Click);
    Devices1 = entry(Parameters1, "Devices…", &TForm1::Devices1Click);

    Reports1 = MainMenu1->addMenu(QStringLiteral("Reports"));
    PrintCashierreport1 = entry(Reports1, "Print Cashier report", &TForm1::PrintCashierreport1Click);
    PrintFinancialreport1 = entry(Reports1, "Print Financial report", &TForm1::PrintFinancialreport1Click);
    PrintProductreport1 = entry(Reports1, "Print Product sales report", &TForm1::PrintProductreport1Click);
    PrintDepartmentsalesreport1 =
        entry(Reports1, "Print Department sales report", &TForm1::PrintDepartmentsalesreport1Click);
    Printsalesregister1 = entry(Reports1, "Print sales register", &TForm1::Printsalesregister1Click);
    Printstockcount1 = entry(Reports1, "Print stock levels", &TForm1::Printstockcount1Click);
    Reports1->addSeparator(); // hidden with the entry below
    Storereports1 = entry(Reports1, "Store reports...", &TForm1::Storereports1Click);
    Storereports1->setVisible(false);

    EndofPeriod1 = MainMenu1->addMenu(QStringLiteral("End of Period"));
    Zeroperiodtotals1 = entry(EndofPeriod1, "Zero period totals", &TForm1::Zeroperiodtotals1Click);
    Purgeperiodtodatesalesregister1 =
        entry(EndofPeriod1, "Purge period to date sales register", &TForm1::Purgeperiodtodatesalesregister1Click);

    Help1 = MainMenu1->addMenu(QStringLiteral("Help"));
    Helpfiles1 = entry(Help1, "Help files", &TForm1::Helpfiles1Click);
    Helponline1 = entry(Help1, "Help on-line", &TForm1::Helponline1Click);
    Purchasesourcecode1 = entry(Help1, "Purchase source code", &TForm1::Purchasesourcecode1Click);
}

void TForm1::applyFrenchCaptions()
{
    const QList<QPair<QObject *, const char *>> captions{
        {BitBtn10, "F9 Recherche"},
        {SubTotalLabel, "Sous total"},
        {TransactionTotalLabel, "Total Transaction"},
        {QuantityCaption, "Quantité"},
        {UnitPriceCaption, "Prix Unitaire"},
        {BitBtn2, "Annuler <F3>"},
        {BitBtn7, "Fin de jour <F7>"},
        {DiscountCaption, "% Escompte"},
        {BitBtn9, "Réception <F8>"},
    };
    for (const auto &[control, caption] : captions)
        control->setProperty("text", QString::fromUtf8(caption));
    DBGrid1->setColumnTitle(2, QStringLiteral("Qte"));
    DBGrid1->setColumnTitle(3, QStringLiteral("Prix"));
    DBGrid1->setColumnTitle(4, QStringLiteral("$Esc"));

    const QList<QPair<QMenu *, const char *>> menus{
        {Parameters1, "Paramêtres"}, {Reports1, "Rapports"}, {EndofPeriod1, "Fin de période"}, {Help1, "Aide"}};
    for (const auto &[menu, caption] : menus)
        menu->setTitle(QString::fromUtf8(caption));
    const QList<QPair<QAction *, const char *>> entries{
        {Editgeneralparameters1, "Modifier paramêtres généraux"},
        {Devices1, "Périphériques…"},
        {Createeditproducts1, "Créer/modifier produuits"},
        {Createeditcashiers1, "Créer/modifier caissiers"},
        {CreateEditDepartments1, "Créer/modifier Départements"},
        {PrintCashierreport1, "Imprimer rapport caissier"},
        {PrintFinancialreport1, "Imprimer rapport financier"},
        {PrintProductreport1, "Imprimer rapport ventes des produits"},
        {PrintDepartmentsalesreport1, "Imprimer rapport ventes des départements"},
        {Printsalesregister1, "Imprimer registre des ventes"},
        {Printstockcount1, "Imprimer rapport niveau des stocks"},
        {Storereports1, "Rapports du magasin..."},
        {Zeroperiodtotals1, "Mettre les totaux période à zéro"},
        {Purgeperiodtodatesalesregister1, "Épurer le registre des ventes"},
        {Helpfiles1, "Fichier d'aide"},
        {Helponline1, "Assistance en ligne"},
        {Purchasesourcecode1, "Achat de code source"},
    };
    for (const auto &[action, caption] : entries)
        action->setText(QString::fromUtf8(caption));
    Form16->applyFrenchCaptions();
    update();
}
