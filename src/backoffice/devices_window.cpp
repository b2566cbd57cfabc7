#include "devices_window.h"

#include "device_box.h"

#include "common/app_settings.h"
#include "common/clock.h"
#include "common/formats.h"
#include "common/language.h"
#include "common/settings_store.h"
#include "devices/device_test.h"
#include "store/data_module.h"
#include "store/store_error.h"
#include "widgets/dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr int SimulatedOrEscPos = (1 << DeviceBox::Simulated) | (1 << DeviceBox::EscPos);
constexpr int EscPosOnly = 1 << DeviceBox::EscPos;

DeviceBox::Value checkValue(QCheckBox *box, const char *name, const char *defaultValue, int kinds)
{
    return {QLatin1String(name), QLatin1String(defaultValue), kinds,
            [box] { return box->isChecked() ? QStringLiteral("Y") : QStringLiteral("N"); },
            [box](const QString &text) { box->setChecked(AppSettings::isYes(text)); }};
}

DeviceBox::Value spinValue(QSpinBox *spin, const char *name, int defaultValue, int kinds)
{
    return {QLatin1String(name), QString::number(defaultValue), kinds, [spin] { return QString::number(spin->value()); },
            [spin, defaultValue](const QString &text) {
                bool ok = false;
                const int value = text.toInt(&ok);
                spin->setValue(ok ? value : defaultValue);
            }};
}

DeviceBox::Value comboValue(QComboBox *combo, const char *name, const char *defaultValue, int kinds)
{
    return {QLatin1String(name), QLatin1String(defaultValue), kinds,
            [combo] { return combo->currentData().toString(); },
            [combo](const QString &text) {
                const int index = combo->findData(text);
                combo->setCurrentIndex(index >= 0 ? index : 0);
            }};
}

QSpinBox *spinBox(int minimum, int maximum, int step, const QString &suffix, QWidget *parent)
{
    auto *spin = new QSpinBox(parent);
    spin->setRange(minimum, maximum);
    spin->setSingleStep(step);
    spin->setSuffix(suffix);
    return spin;
}

// The character tables of ESC/POS printers and displays.
QComboBox *codePageBox(QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    const std::pair<const char *, const char *> pages[] = {{"1252", "1252 (Windows Latin 1)"},
                                                           {"858", "858 (PC Multilingual €)"},
                                                           {"850", "850 (PC Multilingual)"},
                                                           {"437", "437 (PC USA)"}};
    for (const auto &[number, name] : pages)
        combo->addItem(QString::fromUtf8(name), QLatin1String(number));
    return combo;
}

QPushButton *button(const char *name, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

}

DevicesWindow::DevicesWindow(TDataModule2 &dm, SettingsStore &store, const AppSettings &settings, QWidget *parent)
    : QDialog(parent), dm_(dm), store_(store), settings_(settings)
{
    setObjectName(QStringLiteral("DevicesWindow"));
    setWindowTitle(chooseText(QStringLiteral("Devices"), QStringLiteral("Périphériques")));
    const QDir data(settings.data);
    Printer = new DeviceBox(chooseText(QStringLiteral("Receipt printer"), QStringLiteral("Imprimante de reçus")),
                            QStringLiteral("POSPrinter"), QStringLiteral("ReceiptPrinter"),
                            data.filePath(QStringLiteral("receipt-printer.txt")), this);
    Drawer = new DeviceBox(chooseText(QStringLiteral("Cash drawer"), QStringLiteral("Tiroir caisse")),
                           QStringLiteral("CashDrawer"), QStringLiteral("CashDrawer"),
                           data.filePath(QStringLiteral("cash-drawer.txt")), this);
    Display = new DeviceBox(chooseText(QStringLiteral("Customer display"), QStringLiteral("Afficheur client")),
                            QStringLiteral("LineDisplay"), QStringLiteral("CustomerDisplay"),
                            data.filePath(QStringLiteral("line-display.txt")), this);
    addPrinterValues();
    addDrawerValues();
    addDisplayValues();

    OKBtn = button("OKBtn", QStringLiteral("Ok"), this);
    CancelBtn = button("CancelBtn", chooseText(QStringLiteral("Cancel"), QStringLiteral("Annuler")), this);
    connect(OKBtn, &QPushButton::clicked, this, &DevicesWindow::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(OKBtn);
    bottom->addWidget(CancelBtn);

    auto *columns = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    left->addWidget(Printer);
    left->addStretch();
    auto *right = new QVBoxLayout;
    right->addWidget(Drawer);
    right->addWidget(Display);
    right->addStretch();
    columns->addLayout(left);
    columns->addLayout(right);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(bottom);
}

void DevicesWindow::addPrinterValues()
{
    auto *codePage = codePageBox(Printer);
    Printer->addValue(chooseText(QStringLiteral("Code page"), QStringLiteral("Page de codes")), codePage,
                      comboValue(codePage, "CodePage", "1252", EscPosOnly));
    auto *lines = spinBox(0, 20, 1, QString(), Printer);
    Printer->addValue(chooseText(QStringLiteral("Lines to the cutter"), QStringLiteral("Lignes jusqu'au coupe-papier")),
                      lines, spinValue(lines, "RecLinesToPaperCut", 4, SimulatedOrEscPos));
    auto *cutter = new QCheckBox(chooseText(QStringLiteral("The printer has a cutter"),
                                            QStringLiteral("L'imprimante a un coupe-papier")),
                                 Printer);
    Printer->addValue(chooseText(QStringLiteral("Cutter"), QStringLiteral("Coupe-papier")), cutter,
                      checkValue(cutter, "Cutter", "Y", EscPosOnly));
    auto *status = new QCheckBox(chooseText(QStringLiteral("Ask the printer's state"),
                                            QStringLiteral("Demander l'état de l'imprimante")),
                                 Printer);
    status->setToolTip(chooseText(QStringLiteral("Before each line: a line is refused while the printer is out of "
                                                 "paper or open. Untick for a one-way connection."),
                                  QStringLiteral("Avant chaque ligne : une ligne est refusée tant que l'imprimante "
                                                 "manque de papier ou est ouverte. Décocher pour une liaison à sens "
                                                 "unique.")));
    Printer->addValue(chooseText(QStringLiteral("State"), QStringLiteral("État")), status,
                      checkValue(status, "StatusCheck", "Y", EscPosOnly));
    TestPrintBtn = button("TestPrintBtn", chooseText(QStringLiteral("Test print"), QStringLiteral("Essai d'impression")), Printer);
    Printer->addButton(TestPrintBtn);
    connect(TestPrintBtn, &QPushButton::clicked, this, &DevicesWindow::TestPrintClick);
}

void DevicesWindow::addDrawerValues()
{
    auto *pin = new QComboBox(Drawer);
    pin->addItem(QStringLiteral("2"), QStringLiteral("2"));
    pin->addItem(QStringLiteral("5"), QStringLiteral("5"));
    Drawer->addValue(chooseText(QStringLiteral("Drawer pin"), QStringLiteral("Broche du tiroir")), pin,
                     comboValue(pin, "DrawerPin", "2", EscPosOnly));
    auto *pulse = spinBox(10, 500, 10, QStringLiteral(" ms"), Drawer);
    Drawer->addValue(chooseText(QStringLiteral("Pulse"), QStringLiteral("Impulsion")), pulse,
                     spinValue(pulse, "PulseOn", 120, EscPosOnly));
    auto *autoClose = new QCheckBox(chooseText(QStringLiteral("Shuts by itself (no question)"),
                                               QStringLiteral("Se ferme seul (sans question)")),
                                    Drawer);
    Drawer->addValue(chooseText(QStringLiteral("Closing"), QStringLiteral("Fermeture")), autoClose,
                     checkValue(autoClose, "AutoClose", "N", 1 << DeviceBox::Simulated));
    OpenDrawerBtn = button("OpenDrawerBtn", chooseText(QStringLiteral("Open drawer"), QStringLiteral("Ouvrir le tiroir")), Drawer);
    Drawer->addButton(OpenDrawerBtn);
    connect(OpenDrawerBtn, &QPushButton::clicked, this, &DevicesWindow::OpenDrawerClick);
    // A drawer hangs on its printer: it takes the printer's port.
    connect(Drawer, &DeviceBox::kindChanged, this, [this] {
        if (Drawer->kind() == DeviceBox::EscPos && Drawer->PortBox->currentText().trimmed().isEmpty())
            Drawer->PortBox->setCurrentText(Printer->PortBox->currentText());
    });
}

void DevicesWindow::addDisplayValues()
{
    auto *codePage = codePageBox(Display);
    Display->addValue(chooseText(QStringLiteral("Code page"), QStringLiteral("Page de codes")), codePage,
                      comboValue(codePage, "CodePage", "1252", EscPosOnly));
    auto *columns = spinBox(8, 80, 1, QString(), Display);
    Display->addValue(chooseText(QStringLiteral("Columns"), QStringLiteral("Colonnes")), columns,
                      spinValue(columns, "Columns", 20, SimulatedOrEscPos));
    TestDisplayBtn = button("TestDisplayBtn", chooseText(QStringLiteral("Test display"), QStringLiteral("Essai d'affichage")), Display);
    Display->addButton(TestDisplayBtn);
    connect(TestDisplayBtn, &QPushButton::clicked, this, &DevicesWindow::TestDisplayClick);
}

bool DevicesWindow::edit()
{
    for (DeviceBox *box : {Printer, Drawer, Display})
        box->load(store_);
    return dialogs().exec(*this) == QDialog::Accepted;
}

QStringList DevicesWindow::testReceipt() const
{
    const int width = settings_.paperWidth();
    Table &control = dm_.Control;
    control.first();
    QStringList lines{centredLine(QStringLiteral("Tillano"), width),
                      centredLine(chooseText(QStringLiteral("Test print"), QStringLiteral("Essai d'impression")), width)};
    const QString company = control.field(QStringLiteral("Ctrl_company_name")).asString().trimmed();
    if (!company.isEmpty())
        lines << centredLine(company, width);
    // The accents of the texts, and the width of the paper.
    lines << centredLine(QLocale().toString(Clock::now(), QLocale::ShortFormat), width) << QString()
          << QStringLiteral("àâçéèêëîïôùûü ÀÇÉÈ $ ¢ €")
          << QStringLiteral("1234567890").repeated((width + 9) / 10).left(width);
    return lines;
}

void DevicesWindow::TestPrintClick()
{
    dialogs().message(this, DeviceTest::printLines(Printer->chosen(), testReceipt(), settings_.paperCutOn()).text);
}

void DevicesWindow::OpenDrawerClick()
{
    dialogs().message(this, DeviceTest::openDrawer(Drawer->chosen()).text);
}

void DevicesWindow::TestDisplayClick()
{
    dialogs().message(this, DeviceTest::showText(Display->chosen(),
                                                 chooseText(QStringLiteral("Tillano display test"),
                                                            QStringLiteral("Essai d'afficheur Tillano")))
                                .text);
}

void DevicesWindow::OKBtnClick()
{
    SettingsStore::Changes changes = store_.changes();
    for (DeviceBox *box : {Printer, Drawer, Display})
        box->save(changes);
    if (!store_.save(changes)) {
        dialogs().message(this, chooseText(QStringLiteral("The settings file %1 could not be written: %2\n\n"
                                                          "The devices were not changed."),
                                           QStringLiteral("Le fichier de paramètres %1 n'a pas pu être écrit : "
                                                          "%2\n\nLes périphériques n'ont pas été changés."))
                                    .arg(QDir::toNativeSeparators(store_.path()), store_.errorString()));
        return;
    }
    offerSlipReceipts();
    accept();
}

void DevicesWindow::offerSlipReceipts()
{
    Table &control = dm_.Control;
    control.first();
    const bool anyDevice = Printer->kind() != DeviceBox::None || Drawer->kind() != DeviceBox::None
        || Display->kind() != DeviceBox::None;
    if (!anyDevice || control.field(QStringLiteral("Ctrl_slip")).asBoolean())
        return;
    if (!dialogs().question(this, chooseText(QStringLiteral("\"Print Slip Receipts\" is off in the general parameters, "
                                                            "so Tillano does not use these devices. Turn it on?"),
                                             QStringLiteral("« Imprimer des reçus » est désactivé dans les paramètres "
                                                            "généraux : Tillano n'utilise donc pas ces "
                                                            "périphériques. L'activer?"))))
        return;
    try {
        control.edit();
        control.field(QStringLiteral("Ctrl_slip")).setBoolean(true);
        control.post();
    } catch (const StoreError &e) {
        control.cancel();
        dialogs().message(this, e.message());
    }
}
