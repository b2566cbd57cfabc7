#include "application_shell.h"

#include "tips_dialog.h"

#include "backoffice/devices_window.h"
#include "backoffice/import_products.h"
#include "common/formats.h"
#include "common/language.h"
#include "common/message_text.h"
#include "common/shop_preparation.h"
#include "devices/device_settings.h"
#include "lanes/lane_settings.h"
#include "lanes/store_report_query.h"
#include "lanes/sync_process.h"
#include "posting/interrupted_sale.h"
#include "posting/journal_queue.h"
#include "reports/print_target.h"
#include "reports/report_printing.h"
#include "sale/lane_status_label.h"
#include "sale/lookup_window.h"
#include "sale/sale_window.h"
#include "store/locked_database.h"
#include "store/store_error.h"
#include "widgets/dialogs.h"
#include "widgets/locked_database_question.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QTimer>
#include <QUrl>

namespace {
const QString HelpFile = QStringLiteral("doc/Tillano.htm");
const QString SupportMail = QStringLiteral("mailto:support@tillano.example?subject=Help required");
const QString SalesMail = QStringLiteral("mailto:sales@tillano.example?subject=Source code");
}

ApplicationShell::ApplicationShell(const QString &settingsPath, StartOptions options)
    : store_(settingsPath), options_(std::move(options)), DataModule2(), controls_(store_)
{
    QApplication::setApplicationName(QStringLiteral("Tillano"));
    askWhenDatabaseLocked();
    devices_ = std::make_unique<DeviceLayer>(DataModule2, settings_, controls_.Printer1, controls_.CashDrawer1,
                                             controls_.Linedisp1);

    Form1 = std::make_unique<TForm1>(DataModule2, settings_, *devices_, names_);
    PasswordDlg = std::make_unique<TPasswordDlg>(Form1.get());
    checkout_ = std::make_unique<Checkout>(DataModule2, *Form1, *devices_, names_, settings_,
                                           [this] { return shift_->cashierId(); });
    Form9 = std::make_unique<TForm9>(DataModule2);
    Form10 = std::make_unique<TForm10>(DataModule2);
    Form6 = std::make_unique<TForm6>(DataModule2);
    Form11 = std::make_unique<TForm11>(DataModule2, Form1.get());
    Form12 = std::make_unique<TForm12>(DataModule2);
    Form13 = std::make_unique<TForm13>(DataModule2);
    Form14 = std::make_unique<TForm14>(DataModule2, *Form13, Form1.get());
    Form15 = std::make_unique<TForm15>(DataModule2);
    Form19 = std::make_unique<TForm19>(DataModule2);
    Form20 = std::make_unique<TForm20>(DataModule2, Form1.get());
    PrinterDialog = std::make_unique<TPrinterDialog>(Form1.get());
    MoneyCountDlg = std::make_unique<TMoneyCountDlg>(Form1.get());
    TipsDlg = std::make_unique<TTipsDlg>(store_, Form1.get());
    Form3 = std::make_unique<TForm3>(DataModule2, settings_, store_, Form1.get());
    Form4 = std::make_unique<TForm4>(DataModule2, Form1.get());
    Form5 = std::make_unique<TForm5>(DataModule2, Form1.get());
    Form18 = std::make_unique<TForm18>(DataModule2, Form1.get());
    StoreReports = std::make_unique<StoreReportsWindow>(
        DataModule2,
        [this](StoreReportKind kind, const QDate &from, const QDate &to) {
            return readStoreReportForLane(LaneSettings::load(store_), kind, from, to);
        },
        Form1.get());

    moneyCount_ = std::make_unique<MoneyCount>(DataModule2, *Form11, [this] { printMoneyCount(); });
    shift_ = std::make_unique<CashierShift>(DataModule2, *PasswordDlg, *MoneyCountDlg, *moneyCount_, *this);
    wireMainWindow();
    wireReportMenu();
    wireDayAndPeriodEnd();
    wireBackOffice();

    // Captions follow the language setting read at program entry: "1"
    // gives the French set; "2" names the second set, which is empty.
    if (store_.read(TillanoSection, QStringLiteral("Language"), QStringLiteral("0")) == QLatin1String("1"))
        applyCaptionSet(1);
}

ApplicationShell::~ApplicationShell()
{
    laneSync_.reset();
    LockedDatabase::setQuestion(nullptr);
}

void ApplicationShell::wireMainWindow()
{
    SaleWindowHooks &hooks = Form1->hooks;
    hooks.signOutAndIn = [this] {
        shift_->signOutAndIn();
        tellWhereReceiptsGo();
    };
    hooks.importProducts = [this] { importProducts(DataModule2, Form1.get()); };
    hooks.helpFiles = [this] { dialogs().openUrl(QUrl::fromLocalFile(options_.files.find(HelpFile))); };
    hooks.helpOnline = [] { dialogs().openUrl(QUrl(SupportMail)); };
    hooks.purchaseSourceCode = [] { dialogs().openUrl(QUrl(SalesMail)); };
    Form1->installEventFilter(this);
}

void ApplicationShell::wireReportMenu()
{
    reportMenu_ = std::make_unique<ReportMenu>(ReportMenuParts{
        DataModule2, [this] { return !names_.printer.isEmpty(); },
        {[this] { checkout_->receipts.PrintCashierReport(); },
         [this] { checkout_->receipts.PrintFinancialReport(); },
         [this] { checkout_->receipts.PrintProductReport(); },
         [this] { checkout_->receipts.PrintDepartmentReport(); }},
        *PrinterDialog, *Form14, *Form9, *Form10, *Form6, *Form19, *Form15, Form1.get()});
    SaleWindowHooks &hooks = Form1->hooks;
    hooks.printCashierReport = [this] { reportMenu_->printCashierReport(); };
    hooks.printFinancialReport = [this] { reportMenu_->printFinancialReport(); };
    hooks.printProductReport = [this] { reportMenu_->printProductReport(); };
    hooks.printDepartmentReport = [this] { reportMenu_->printDepartmentReport(); };
    hooks.printSalesRegister = [this] { reportMenu_->printSalesRegister(); };
    hooks.printStockLevels = [this] { reportMenu_->printStockLevels(); };
    hooks.storeReports = [this] { StoreReports->showForToday(); };
}

void ApplicationShell::wireDayAndPeriodEnd()
{
    TForm1 *window = Form1.get();
    endOfDay_ = std::make_unique<EndOfDay>(EndOfDayParts{
        DataModule2, *shift_, [this, window] { Form9->preview(window); }, [this, window] { Form10->preview(window); },
        [this, window] { Form6->preview(window); }, [window] { window->StartWorkHeader(); },
        [window] { window->BitBtn5Click(); }});
    rePrint_ = std::make_unique<RePrint>(RePrintParts{
        DataModule2, *shift_, window, [this](const SaleRecord &sale) { checkout_->printInvoice(sale); },
        [this](const SaleRecord &sale) { checkout_->receipts.print_receipt_sale(sale); },
        [window] { window->CancelTransaction(); }});

    SaleWindowHooks &hooks = Form1->hooks;
    hooks.endOfDay = [this] { endOfDay_->BitBtn7Click(); };
    hooks.rePrint = [this] { rePrint_->BitBtn6Click(); };
    hooks.zeroPeriodTotals = [this, window] {
        if (Zeroperiodtotals1Click(DataModule2, window) && !shift_->findSignedInCashier())
            window->BitBtn5Click(); // the signed-in cashier is gone: someone must sign in again
    };
    hooks.purgeSalesRegister = [this] { Form20->showForToday(); };
}

void ApplicationShell::wireBackOffice()
{
    SaleWindowHooks &hooks = Form1->hooks;
    hooks.editGeneralParameters = [this] {
        const bool slipBefore = slipReceiptsOn();
        Form3->EditParameters();
        if (slipReceiptsOn() == slipBefore)
            return;
        // "Print Slip Receipts" takes effect at once, not at the next start.
        if (slipBefore)
            stopDevices();
        else
            startDevices();
    };
    hooks.editDevices = [this] {
        DevicesWindow window(DataModule2, store_, settings_, Form1.get());
        if (!window.edit())
            return;
        // The new settings take effect at once.
        stopDevices();
        startDevices();
    };
    hooks.editProducts = [this] { dialogs().exec(*Form5); };
    hooks.editCashiers = [this] { dialogs().exec(*Form4); };
    hooks.findSignedInCashier = [this] { return shift_->findSignedInCashier(); };
    hooks.editDepartments = [this] { dialogs().exec(*Form18); };
    Form5->findProduct = [this] { Form1->lookupWindow().findForEditor(); };
    Form3->signedInCashier = Form4->signedInCashier = [this] { return shift_->cashierId(); };
}

void ApplicationShell::applyCaptionSet(int set)
{
    if (set != 1)
        return; // set 2 is empty; any other number leaves the designed captions
    Form1->applyFrenchCaptions();
    PasswordDlg->applyFrenchCaptions();
    checkout_->paymentWindow.applyFrenchCaptions();
    for (PageReport *report : std::initializer_list<PageReport *>{Form9.get(), Form10.get(), Form6.get(), Form12.get(),
                                                                   Form13.get(), Form15.get(), &checkout_->invoice,
                                                                   Form19.get()})
        report->applyFrenchCaptions();
    Form11->applyFrenchCaptions();
    Form14->applyFrenchCaptions();
    Form20->applyFrenchCaptions();
    PrinterDialog->applyFrenchCaptions();
    MoneyCountDlg->applyFrenchCaptions();
    Form3->applyFrenchCaptions();
    Form4->applyFrenchCaptions();
    Form5->applyFrenchCaptions();
    Form18->applyFrenchCaptions();
    StoreReports->applyFrenchCaptions();
    Form1->update();
}

void ApplicationShell::show()
{
    Form1->showMaximized(); // the checkout screen is the whole screen
    Form1->activateWindow();
    // The activation event may not come on every platform: start anyway.
    QTimer::singleShot(0, this, &ApplicationShell::FormActivate);
}

bool ApplicationShell::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Form1.get() && event->type() == QEvent::WindowActivate)
        QTimer::singleShot(0, this, &ApplicationShell::FormActivate);
    return QObject::eventFilter(watched, event);
}

void ApplicationShell::FormActivate()
{
    if (DataModule2.connected() || startUpFailed_ || Form1->ShuttingDown)
        return; // started already, or starting further up this call chain

    names_ = DeviceNames();
    settings_ = AppSettings::load(store_);
    setLanguageSetting(settings_.language);
    if (!shopPrepared())
        return;
    if (options_.inDataDirectory)
        QDir::setCurrent(settings_.data); // when it is missing, opening the tables says so
    setPrintTarget(PrintTarget::fromSettings(store_, settings_.data));

    if (!lockDataDirectory() || !openDataDirectory())
        return;
    startLaneSync();
    Form1->Storereports1->setVisible(LaneSettings::load(store_).isLane());
    showTips();

    Form1->BitBtn5Click(); // sign-in, exactly as F12
    if (Form1->ShuttingDown) {
        stopDevices();
        return;
    }
    startDevices();
    startedUp_ = true;
    tellWhereReceiptsGo();
    Form1->StartWorkHeader();
    offerInterruptedSaleReceipt();
    Form1->FocusUpcField();
}

// A sale posted just before the program last stopped, whose receipt never
// came out: the cashier is told, so it is not rung again, and may print it.
void ApplicationShell::offerInterruptedSaleReceipt()
{
    Database &db = DataModule2.database();
    const double sale = InterruptedSale::marked(db);
    Table &salesRegister = DataModule2.tranmaster;
    if (sale == 0 || !salesRegister.findKey(sale))
        return;
    const QString named = QStringLiteral("%1 (%2)").arg(
        QString::number(qint64(sale)), currencyText(salesRegister.field(QStringLiteral("Trxh_grand_total")).asFloat()));
    const bool print = dialogs().question(
        Form1.get(),
        chooseText(QStringLiteral("Sale %1 was completed after an interruption: it is posted and counted in the "
                                  "totals, but Tillano stopped before its receipt was printed. Do not ring it "
                                  "again.\n\nPrint its receipt now?"),
                   QStringLiteral("La vente %1 a été complétée après une interruption : elle est enregistrée et "
                                  "comptée dans les totaux, mais Tillano s'est arrêté avant d'imprimer son reçu. "
                                  "Ne la saisissez pas de nouveau.\n\nImprimer son reçu maintenant?"))
            .arg(named));
    try {
        InterruptedSale::clear(db); // asked once, whatever the answer
    } catch (const StoreError &) {
        // asked again at the next start
    }
    if (print) // as checkout prints it: the invoice page too without a receipt printer
        rePrint_->printSale(sale, checkout_->pagesWanted());
}

// The devices named in the settings, in their order; each start gives an
// empty name when "Print Slip Receipts" is off or the device cannot start.
void ApplicationShell::startDevices()
{
    const QString drawer = oposDeviceName(store_, QStringLiteral("CashDrawer"));
    const QString display = oposDeviceName(store_, QStringLiteral("LineDisplay"));
    const QString printer = oposDeviceName(store_, QStringLiteral("POSPrinter"));
    names_.printer = devices_->StartPrinter(printer);
    names_.drawer = devices_->StartCashDrawer(drawer);
    names_.display = devices_->StartLineDisplay(display);
    names_.displayColumns = lineDisplayColumns(store_, display);
}

void ApplicationShell::stopDevices()
{
    devices_->StopPrinter();
    devices_->StopCashDrawer();
    devices_->StopLineDisplay();
    names_ = DeviceNames();
}

// A shop without a receipt printer prints each sale's receipt as an
// invoice page; its manager is told once where those pages go, at a
// sign-in, and again only when that place changes.
void ApplicationShell::tellWhereReceiptsGo()
{
    // At start-up the devices start after the sign-in: it tells then.
    if (!startedUp_ || !names_.printer.isEmpty() || !Form1->managerMenuAttached() || Form1->ShuttingDown)
        return;
    const PrintTarget &target = printTarget();
    const QString directory = target.pdfDirectory.isEmpty() ? target.pdfOutputDirectory(systemHasPrinter())
                                                            : target.pdfDirectory; // no need to ask the system
    const QString place = directory.isEmpty() ? QStringLiteral("printer") : QDir::toNativeSeparators(directory);
    const QString toldPlace = QStringLiteral("NoReceiptPrinterNotice");
    if (store_.read(PrintingSection, toldPlace) == place)
        return;
    const QString where = directory.isEmpty()
        ? chooseText(QStringLiteral("are printed on the system's printer."),
                     QStringLiteral("sont imprimés sur l'imprimante du système."))
        : chooseText(QStringLiteral("are written as numbered PDF files into the folder\n%1"),
                     QStringLiteral("sont écrits en fichiers PDF numérotés dans le dossier\n%1"))
              .arg(place);
    dialogs().message(Form1.get(),
                      chooseText(QStringLiteral("This till has no receipt printer: the receipt of each sale is an "
                                                "invoice page. Invoices and reports %1\n\nA receipt printer is set "
                                                "up under Parameters > Devices…"),
                                 QStringLiteral("Cette caisse n'a pas d'imprimante de reçus : le reçu de chaque vente "
                                                "est une page de facture. Les factures et les rapports %1\n\nUne "
                                                "imprimante de reçus s'installe sous Paramêtres > Périphériques…"))
                          .arg(where));
    store_.write(PrintingSection, toldPlace, place);
}

bool ApplicationShell::slipReceiptsOn()
{
    Table &control = DataModule2.Control;
    control.first();
    return control.field(QStringLiteral("Ctrl_slip")).asBoolean();
}

// On a new machine there are no settings yet, or none naming a data
// directory: say how to prepare a shop rather than fail on the tables.
bool ApplicationShell::shopPrepared()
{
    if (!settings_.data.isEmpty())
        return true;
    const QString path = QFileInfo(store_.path()).absoluteFilePath();
    // The commands name the settings file when it is not the default one.
    const bool defaultFile = path == QFileInfo(SettingsStore::defaultPath()).absoluteFilePath();
    const QString shown = shortenedForMessage(path);
    if (!settingsFileReadable(path, defaultFile ? QString() : shown))
        return false;
    const QString why = QFileInfo::exists(path)
        ? chooseText(QStringLiteral("Tillano has no shop yet: the settings file %1 names no data directory."),
                     QStringLiteral("Tillano n'a pas encore de magasin : le fichier de paramètres %1 ne nomme "
                                    "aucun répertoire de données."))
        : chooseText(QStringLiteral("Tillano has no shop yet: there is no settings file %1."),
                     QStringLiteral("Tillano n'a pas encore de magasin : le fichier de paramètres %1 n'existe pas."));
    return refuseStartUp(why.arg(shown) + QStringLiteral("\n\n") + shopPreparationText(defaultFile ? QString() : shown)
                         + chooseText(QStringLiteral("\n\nThen start Tillano again."),
                                      QStringLiteral("\n\nPuis relancez Tillano.")));
}

// A settings file that is there but cannot be read names no data
// directory either: say what is wrong with it, not that there is no shop.
bool ApplicationShell::settingsFileReadable(const QString &path, const QString &named)
{
    if (QFileInfo(path).isDir())
        return refuseStartUp(
            chooseText(QStringLiteral("Tillano cannot read its settings file %1: it is a directory, not a file.\n\n"
                                      "Move that directory elsewhere, then name the shop's data directory in a new "
                                      "settings file with\n    tillano-setup%2 --existing DIRECTORY"),
                       QStringLiteral("Tillano ne peut pas lire son fichier de paramètres %1 : c'est un répertoire, "
                                      "pas un fichier.\n\nDéplacez ce répertoire ailleurs, puis nommez le répertoire "
                                      "de données du magasin dans un nouveau fichier de paramètres avec\n"
                                      "    tillano-setup%2 --existing RÉPERTOIRE"))
                .arg(shortenedForMessage(path), settingsOption(named)));
    QFile file(path);
    if (!QFileInfo::exists(path) || file.open(QIODevice::ReadOnly))
        return true;
    return refuseStartUp(
        chooseText(QStringLiteral("Tillano cannot read its settings file %1 (%2).\n\nIt must be a text file that the "
                                  "user who runs Tillano may read and write."),
                   QStringLiteral("Tillano ne peut pas lire son fichier de paramètres %1 (%2).\n\nCe doit être un "
                                  "fichier texte que l'utilisateur qui lance Tillano peut lire et écrire."))
            .arg(shortenedForMessage(path), file.errorString()));
}

// One till per data directory: a second start is refused before it
// touches a table, so it can neither empty the work tables under the first
// nor post a sale of its own beside it.
bool ApplicationShell::lockDataDirectory()
{
    dataDirectoryLock_ = std::make_unique<DataDirectoryLock>(settings_.data);
    const QString directory = QFileInfo(settings_.data).absoluteFilePath();
    switch (dataDirectoryLock_->state()) {
    case DataDirectoryLock::State::Held:
        return true;
    case DataDirectoryLock::State::HeldElsewhere:
        return refuseStartUp(DataDirectoryLock::heldElsewhereText(directory));
    case DataDirectoryLock::State::Failed:
        break;
    }
    // A missing directory, or a file in its place, is said by the opening
    // of the tables, with what to do.
    if (!QFileInfo(directory).isDir())
        return true;
    return refuseStartUp(
        chooseText(QStringLiteral("Tillano cannot lock its data directory %1 (%2).\n\nThe user who runs Tillano must "
                                  "be allowed to write in it."),
                   QStringLiteral("Tillano ne peut pas verrouiller son répertoire de données %1 (%2).\n\n"
                                  "L'utilisateur qui lance Tillano doit pouvoir y écrire."))
            .arg(shortenedForMessage(directory), dataDirectoryLock_->errorString()));
}

bool ApplicationShell::openDataDirectory()
{
    try {
        DataModule2.connectTo(settings_.data);
        DataModule2.openTablesForStartUp();
    } catch (const StoreError &e) {
        // A damaged, foreign or locked database says itself what to do;
        // only a missing one calls for tillano-setup.
        if (e.problem() != StoreProblem::NoDatabase)
            return refuseStartUp(e.message());
        return refuseStartUp(
            chooseText(QStringLiteral("%1\n\nIf this till has no shop yet, prepare a data directory with\n"
                                      "    tillano-setup DIRECTORY\n"
                                      "(add --demo for a demo shop), which names it as Data in %2. If it had "
                                      "one, restore its database from the latest backup instead."),
                       QStringLiteral("%1\n\nSi cette caisse n'a pas encore de magasin, préparez un répertoire "
                                      "de données avec\n"
                                      "    tillano-setup RÉPERTOIRE\n"
                                      "(--demo pour un magasin de démonstration), qui le nomme comme Data dans "
                                      "%2. Si elle en avait un, restaurez plutôt sa base de données depuis la "
                                      "dernière sauvegarde."))
                .arg(e.message(), shortenedForMessage(store_.path())));
    }
    writeQueuedJournal();
    return true;
}

// A lane sends its sales from its own process, which the till starts and
// watches but never waits for.
void ApplicationShell::startLaneSync()
{
    if (!LaneSettings::load(store_).isLane())
        return;
    if (!laneSync_)
        laneSync_ = std::make_unique<LaneSyncProcess>(store_.path());
    laneSync_->start();
    if (!laneStatus_) {
        laneStatus_ = new LaneStatusLabel(DataModule2.database(), [this] { return laneSync_->running(); }, Form1.get());
        Form1->addStatus(laneStatus_);
    }
    laneStatus_->refresh();
}

// Journal records of sales posted before the program last stopped, or
// while the journal could not be written, go in now.
void ApplicationShell::writeQueuedJournal()
{
    try {
        JournalQueue::writeQueued(DataModule2.database());
    } catch (const JournalWriteError &e) {
        dialogs().message(Form1.get(), e.message());
    }
}

// Start-up cannot go on: the message, then the program ends with a failure.
bool ApplicationShell::refuseStartUp(const QString &message)
{
    startUpFailed_ = true;
    if (!message.isEmpty())
        dialogs().message(Form1.get(), message);
    DataModule2.disconnect();
    Form1->ShuttingDown = true;
    Form1->close();
    QCoreApplication::exit(1);
    return false;
}

void ApplicationShell::showTips()
{
    // A missing or unreadable tips file must not stop the start-up: the
    // dialog is then simply not shown.
    if (settings_.tipsShown() && TipsDlg->loadTips(options_.files.find(tipsFileName())))
        dialogs().exec(*TipsDlg);
}

void ApplicationShell::printMoneyCount()
{
    if (!names_.printer.isEmpty())
        checkout_->receipts.PrintMoneyCount(shift_->cashierId());
    else
        Form12->print();
}

void ApplicationShell::setManagerMenu(bool attached)
{
    Form1->setManagerMenu(attached);
}

void ApplicationShell::setTrainingMode(bool shown)
{
    Form1->setTrainingMode(shown);
}

void ApplicationShell::showCashierName(const QString &name)
{
    Form1->setCashierName(name);
}

void ApplicationShell::shutDown()
{
    Form1->ShuttingDown = true;
    if (laneSync_)
        laneSync_->stop();
    DataModule2.closeTablesForShutDown();
    Form1->close();
}
