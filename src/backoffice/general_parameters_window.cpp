#include "general_parameters_window.h"

#include "form_keys.h"
#include "form_layout.h"

#include "common/amount_families.h"
#include "common/app_settings.h"
#include "common/language.h"
#include "common/settings_store.h"
#include "store/data_module.h"
#include "store/sign_in_tables.h"
#include "store/store_error.h"
#include "widgets/db_check_box.h"
#include "widgets/db_edit.h"
#include "widgets/dialogs.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int NameWidth = 110; // ten characters: tenders, coupons, taxes
constexpr int LineWidth = 260; // thirty characters: company and message lines
constexpr int NumberWidth = 90;

QString yesNo(const QCheckBox *box)
{
    return box->isChecked() ? QStringLiteral("Y") : QStringLiteral("N");
}

// A tax rate is a fraction of one: 5 typed for 5 % would charge 500 %.
QString taxRateRefusal(double rate)
{
    if (rate < 1)
        return QString();
    const QLocale locale;
    const auto number = [&locale](double value) { return locale.toString(value, 'g', 15); };
    return chooseText(QStringLiteral("%1 would be %2 %. Write %3 for %1 %."),
                      QStringLiteral("%1 serait %2 %. Écrivez %3 pour %1 %."))
        .arg(number(rate), number(rate * 100), number(rate / 100));
}

}

TForm3::TForm3(TDataModule2 &dm, AppSettings &settings, SettingsStore &store, QWidget *parent)
    : QDialog(parent), dm_(dm), settings_(settings), store_(store), newPin_(parent)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Edit General Parameters"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    Table *control = &dm.Control;
    QList<QWidget *> tabOrder;
    auto french = [this](QObject *caption, const char *text) { frenchCaptions_.append({caption, QString::fromUtf8(text)}); };
    auto edit = [&](const QString &field, int width, QWidget *parent) {
        auto *e = new DBEdit(parent);
        e->setObjectName(field);
        e->setDataSource(control, field);
        e->setFixedWidth(width);
        tabOrder << e;
        return e;
    };
    auto box = [&](const char *caption, const QString &field, QWidget *parent) {
        auto *b = new DBCheckBox(QLatin1String(caption), parent);
        b->setObjectName(field);
        b->setDataSource(control, field);
        tabOrder << b;
        return b;
    };

    // Left: the shop, the tenders, the coupons.
    auto *left = new QGridLayout;
    int row = 0;
    TerminalId = edit(QStringLiteral("Ctrl_terminal_id"), NumberWidth, this);
    addLabelledRow(left, row++, QStringLiteral("Terminal ID"), TerminalId);
    CompanyName = edit(QStringLiteral("Ctrl_company_name"), LineWidth, this);
    french(addLabelledRow(left, row++, QStringLiteral("Company name"), CompanyName), "Nom de Compagnie");
    CompanyAddress1 = edit(QStringLiteral("Ctrl_company_adr1"), LineWidth, this);
    french(addLabelledRow(left, row++, QStringLiteral("Company address"), CompanyAddress1), "Addresse 1");
    CompanyAddress2 = edit(QStringLiteral("Ctrl_company_adr2"), LineWidth, this);
    french(addLabelledRow(left, row++, QStringLiteral("Company address"), CompanyAddress2), "Addresse 2");
    CompanyTelephone = edit(QStringLiteral("Ctrl_company_tel"), LineWidth, this);
    french(addLabelledRow(left, row++, QStringLiteral("Company telephone"), CompanyTelephone), "Téléphone");
    for (int i = 1; i <= PaymentCount; ++i, ++row) {
        PaymentModes << edit(numbered("Ctrl_pmt", i), NameWidth, this);
        CashTypes << box("Cash type", numbered("Ctrl_pmt", i, "_type"), this);
        french(addLabelledRow(left, row, QStringLiteral("Payment mode name"), PaymentModes.last(), 0, CashTypes.last()),
               "Titre mode de paiement");
        french(CashTypes.last(), "Type argent");
    }
    for (int i = 1; i <= CouponCount; ++i, ++row) {
        Coupons << edit(numbered("Ctrl_cpn", i), NameWidth, this);
        french(addLabelledRow(left, row, QStringLiteral("Coupon name"), Coupons.last()), "Coupon titre");
    }
    // A switch of the shop, not of the control record: reached with Tab.
    SecretCodes = new QCheckBox(QStringLiteral("Secret codes required"), this);
    SecretCodes->setObjectName(QStringLiteral("SecretCodes"));
    tabOrder << SecretCodes;
    left->addWidget(SecretCodes, row++, 0, 1, 3);
    left->setRowStretch(row, 1);

    // Right: the taxes, the switches, the end-of-day reports, the messages.
    auto *right = new QGridLayout;
    taxRatesTitle_ = new QLabel(QStringLiteral("Tax Rates"), this);
    french(taxRatesTitle_, "Taux taxe");
    right->addWidget(taxRatesTitle_, 0, 2);
    for (int i = 1; i <= TaxCount; ++i) {
        TaxNames << edit(numbered("Ctrl_tx", i), NameWidth, this);
        french(addLabelledRow(right, i, QStringLiteral("Tax name"), TaxNames.last()), "Taxe titre");
        TaxRates << edit(numbered("Ctrl_tx", i, "_rate"), NumberWidth, this);
        TaxRates.last()->setValueRule(taxRateRefusal);
        right->addWidget(TaxRates.last(), i, 2);
        if (i > 1) {
            TaxOnTax << box("Tax on Tax", numbered("Ctrl_tx", i, "_txontx"), this);
            french(TaxOnTax.last(), "Taxe sur Taxe");
            right->addWidget(TaxOnTax.last(), i, 3);
        }
    }
    PrintInvoices = box("Print Invoices to regular printer", QStringLiteral("Ctrl_invoice"), this);
    french(PrintInvoices, "Imprimer des factures");
    right->addWidget(PrintInvoices, 4, 0, 1, 4);
    PrintSlips = box("Print Slip Receipts", QStringLiteral("Ctrl_slip"), this);
    french(PrintSlips, "Imprimer des reçus");
    right->addWidget(PrintSlips, 5, 0, 1, 4);
    ForeignCurrencyRate = edit(QStringLiteral("Ctrl_fc_rate"), NumberWidth, this);
    french(addLabelledRow(right, 6, QStringLiteral("Foreign Currency Rate"), ForeignCurrencyRate),
           "Taux devise étrangère");
    ExportTransactions = box("Export transactions", QStringLiteral("Ctrl_export"), this);
    french(ExportTransactions, "Exporter transactions");
    right->addWidget(ExportTransactions, 7, 0, 1, 4);
    NextInvoiceNumber = edit(QStringLiteral("Ctrl_invoice_no"), NumberWidth, this);
    french(addLabelledRow(right, 8, QStringLiteral("Next invoice number"), NextInvoiceNumber), "Prochain # facture");

    EndOfDayReports = new QGroupBox(QStringLiteral("End of day Reports"), this);
    french(EndOfDayReports, "Rapports de fin de jour");
    auto *reports = new QVBoxLayout(EndOfDayReports);
    PrintCashierReport = box("Print cashier report", QStringLiteral("Ctrl_eod_cashier"), EndOfDayReports);
    french(PrintCashierReport, "Imprimer rapport caissier");
    PrintFinancialReport = box("Print financial report", QStringLiteral("Ctrl_eod_fin"), EndOfDayReports);
    french(PrintFinancialReport, "Imprimer rapport financier");
    PrintProductReport = box("Print product sales report", QStringLiteral("Ctrl_eod_product"), EndOfDayReports);
    french(PrintProductReport, "Imprimer rapport ventes");
    for (QWidget *b : {PrintCashierReport, PrintFinancialReport, PrintProductReport})
        reports->addWidget(b);
    right->addWidget(EndOfDayReports, 9, 0, 1, 4);

    Messages = new QGroupBox(QStringLiteral("Slip and Invoice messages"), this);
    french(Messages, "Messages factures et reçus");
    auto *lines = new QVBoxLayout(Messages);
    for (const char *field : {"Ctrl_slip_mess", "Ctrl_slip_mess2", "Ctrl_slip_mess3"}) {
        SlipMessages << edit(QLatin1String(field), LineWidth, Messages);
        lines->addWidget(SlipMessages.last());
    }
    right->addWidget(Messages, 10, 0, 1, 4);
    right->setRowStretch(11, 1);

    // The settings, not part of the control record, and the buttons. The
    // buttons take no focus from a click, so the field being typed in is
    // still the one "Ok" checks.
    PrintOnDemand = new QCheckBox(QStringLiteral("Print on demand"), this);
    french(PrintOnDemand, "Imprimer sur demande");
    PaperCut = new QCheckBox(QStringLiteral("Activate Paper Cut"), this);
    french(PaperCut, "Activer Coupe Papier");
    Columns30 = new QCheckBox(QStringLiteral("30 column printer"), this);
    OKBtn = new QPushButton(QStringLiteral("Ok"), this);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    french(CancelBtn, "Annuler");
    auto *bottom = new QHBoxLayout;
    for (QWidget *w : QList<QWidget *>{PrintOnDemand, PaperCut, Columns30})
        bottom->addWidget(w);
    bottom->addStretch();
    for (QPushButton *b : {OKBtn, CancelBtn}) {
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::TabFocus);
        bottom->addWidget(b);
    }
    tabOrder << PrintOnDemand << PaperCut << Columns30 << OKBtn << CancelBtn;
    connect(OKBtn, &QPushButton::clicked, this, &TForm3::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto *columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addSpacing(16);
    columns->addLayout(right);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addSpacing(8);
    layout->addLayout(bottom);

    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    nameFields();
    previewKeys(*this);
}

void TForm3::applyFrenchCaptions()
{
    setWindowTitle(QStringLiteral("Modifier paramêtres généraux"));
    for (const auto &[caption, text] : frenchCaptions_)
        caption->setProperty(qobject_cast<QGroupBox *>(caption) ? "title" : "text", text);
    nameFields();
}

void TForm3::nameFields()
{
    // The rates sit under one column title; each is named after it and its row.
    for (int i = 0; i < TaxRates.size(); ++i)
        TaxRates[i]->setAccessibleName(taxRatesTitle_->text() + QLatin1Char(' ') + QString::number(i + 1));
    fitToCaptions(*this);
}

void TForm3::EditParameters()
{
    Table &control = dm_.Control;
    control.first();
    control.edit();
    PrintOnDemand->setChecked(settings_.printOnDemandTicked());
    PaperCut->setChecked(settings_.paperCutOn());
    Columns30->setChecked(settings_.columns30Layout());
    SecretCodes->setText(chooseText(QStringLiteral("Secret codes required"), QStringLiteral("Codes secrets requis")));
    SecretCodes->setChecked(SignInTables::secretCodesRequired(dm_.database()));
    if (dialogs().exec(*this) == QDialog::Accepted)
        return;
    try {
        control.cancel();
    } catch (const StoreError &) {
        // nothing was written, and nothing more can be undone
    }
}

void TForm3::OKBtnClick()
{
    if (!secretCodesReady())
        return;
    try {
        dm_.Control.post();
    } catch (const StoreError &e) {
        dialogs().message(this, chooseText(QStringLiteral("%1\n\nThe general parameters were not saved."),
                                           QStringLiteral("%1\n\nLes paramètres généraux n'ont pas été enregistrés."))
                                    .arg(e.message()));
        return;
    }
    saveSecretCodes();
    settings_.pod = yesNo(PrintOnDemand);
    settings_.paperCut = yesNo(PaperCut);
    settings_.columns30 = yesNo(Columns30);
    saveSettings();
    accept();
}

void TForm3::saveSettings()
{
    const QList<QPair<QString, QString>> values{{QStringLiteral("POD"), settings_.pod},
                                                {QStringLiteral("PaperCut"), settings_.paperCut},
                                                {QStringLiteral("Columns30"), settings_.columns30}};
    for (const auto &[name, value] : values) {
        if (!store_.write(TillanoSection, name, value)) {
            dialogs().message(this, chooseText(QStringLiteral("The settings file %1 could not be written: %2\n\n"
                                                              "The printing settings apply until Tillano is closed."),
                                               QStringLiteral("Le fichier de paramètres %1 n'a pas pu être écrit : %2\n\n"
                                                              "Les paramètres d'impression s'appliquent jusqu'à la "
                                                              "fermeture de Tillano."))
                                        .arg(store_.path(), store_.errorString()));
            return;
        }
    }
}

bool TForm3::secretCodesReady()
{
    Database &db = dm_.database();
    if (!SecretCodes->isChecked() || SignInTables::secretCodesRequired(db) || !signedInCashier)
        return true;
    const int id = signedInCashier();
    Table &cashiers = dm_.cashiertb;
    if (SignInTables::secretOf(db, id) || !cashiers.findKey(id))
        return true;
    return newPin_.askAndKeep(db, id, cashiers.field(QStringLiteral("Cashier_name")).asString(),
                              NewPinDialog::Chooser::Self);
}

void TForm3::saveSecretCodes()
{
    try {
        Database &db = dm_.database();
        if (SecretCodes->isChecked() != SignInTables::secretCodesRequired(db))
            SignInTables::setSecretCodesRequired(db, SecretCodes->isChecked());
    } catch (const StoreError &e) {
        dialogs().message(this, chooseText(QStringLiteral("%1\n\n\"Secret codes required\" was not saved."),
                                           QStringLiteral("%1\n\n« Codes secrets requis » n'a pas été enregistré."))
                                    .arg(e.message()));
    }
}

void TForm3::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    TerminalId->setFocus(Qt::TabFocusReason);
}

bool TForm3::FormKeyDown(QWidget *target, int key)
{
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (auto *button = qobject_cast<QPushButton *>(target); button && enter) {
        button->click(); // a button reached with Tab is pressed with Enter too
        return true;
    }
    return moveFocusByKey(*this, target, key, [](QWidget *control) {
        return qobject_cast<DBEdit *>(control) || qobject_cast<DBCheckBox *>(control);
    });
}

bool TForm3::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress
        && FormKeyDown(static_cast<QWidget *>(watched), static_cast<QKeyEvent *>(event)->key()))
        return true;
    return QDialog::eventFilter(watched, event);
}
