#include "sale_window.h"

#include "lookup_window.h"

#include "common/formats.h"
#include "common/language.h"
#include "devices/device_operations.h"
#include "sale_engine/transaction_totals.h"
#include "sale_engine/work_tables_change.h"
#include "store/data_module.h"
#include "store/store_error.h"
#include "store/suspended_views.h"
#include "widgets/db_edit.h"
#include "widgets/dialogs.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <cmath>

namespace {

const char *const CannotEnglish = "Operation can not be done durring a transaction";
const char *const ThisCannotEnglish = "This operation can not be done durring a transaction";
const char *const CannotFrench = "Cette opération ne peut pas être fait durant une transaction";

// The largest quantity, either way, rung without a question.
constexpr double QuantityWithoutQuestion = 999;

}

TForm1::TForm1(TDataModule2 &dm, AppSettings &settings, DeviceOperations &devices, DeviceNames &deviceNames,
               QWidget *parent)
    : QWidget(parent), dm_(dm), settings_(settings), devices_(devices), deviceNames_(deviceNames),
      entry_(dm, modes)
{
    setObjectName(QStringLiteral("Form1"));
    buildLayout();
    buildMenu();
    Form16 = new TForm16(dm, this);
}

TForm1::~TForm1() = default;

// ---- window state -----------------------------------------------------------

void TForm1::setManagerMenu(bool attached)
{
    menuAttached_ = attached;
    MainMenu1->setVisible(attached);
    MainMenu1->setEnabled(attached);
}

bool TForm1::managerMenuAttached() const
{
    return menuAttached_;
}

void TForm1::setTrainingMode(bool on)
{
    TrainLabel->setVisible(on);
}

void TForm1::setCashierName(const QString &name)
{
    CashierLabel->setText(chooseText(QStringLiteral("Cashier: %1"), QStringLiteral("Caissier : %1")).arg(name));
}

void TForm1::addStatus(QWidget *status)
{
    statusRow_->addWidget(status);
}

void TForm1::showModes()
{
    QStringList on;
    if (modes.returnMode)
        on << chooseText(QStringLiteral("RETURN"), QStringLiteral("RETOUR"));
    if (modes.voidItem)
        on << chooseText(QStringLiteral("VOID ITEM"), QStringLiteral("ANNULER ARTICLE"));
    if (modes.receiving)
        on << chooseText(QStringLiteral("RECEIVING"), QStringLiteral("RÉCEPTION"));
    ModeLabel->setText(on.join(QStringLiteral(" / ")));
    ModeLabel->setVisible(!on.isEmpty());
}

void TForm1::ShowChange(const QString &amountText)
{
    ChangeLabel->setText(amountText);
    ChangeBox->show();
}

bool TForm1::transactionInProgress()
{
    return dm_.tmpdetail.active() && dm_.tmpdetail.recordCount() >= 2;
}

bool TForm1::refusedDuringTransaction(const QString &english, const QString &french)
{
    if (!transactionInProgress())
        return false;
    dialogs().message(this, chooseText(english, french));
    return true;
}

void TForm1::closeEvent(QCloseEvent *event)
{
    if (ShuttingDown)
        event->accept();
    else
        event->ignore();
}

void TForm1::runHook(const std::function<void()> &hook)
{
    if (hook)
        hook();
    showModes(); // End of Day and Re-Print start a new work header
}

void TForm1::runBetweenTransactions(const std::function<void()> &hook)
{
    if (!refusedDuringTransaction(QLatin1String(ThisCannotEnglish), QString::fromUtf8(CannotFrench)))
        runHook(hook);
}

void TForm1::runWithTableClosed(Table &table, const std::function<void()> &hook)
{
    // The editor opens the table itself and starts on its first record.
    table.close();
    try {
        runHook(hook);
    } catch (...) {
        table.open();
        throw;
    }
    table.open();
}

// ---- focus and the entry line -------------------------------------------------

void TForm1::SetFocusTo(QWidget *control)
{
    const bool entering = control == DBEdit1 && focusTarget_ != DBEdit1;
    const bool arriving = !control->hasFocus();
    focusTarget_ = control;
    control->setFocus(Qt::OtherFocusReason);
    // An entry field the focus arrives in selects its text itself; one
    // that had the focus already, or a window not active, needs it here.
    const bool selectedOnArrival = arriving && control->hasFocus() && qobject_cast<DBEdit *>(control);
    if (auto *edit = qobject_cast<QLineEdit *>(control); edit && !selectedOnArrival)
        edit->selectAll();
    if (entering)
        DBEdit1Enter();
    showModes();
}

void TForm1::FocusUpcField()
{
    SetFocusTo(DBEdit1);
}

void TForm1::focusEntered(QObject *control, Qt::FocusReason reason)
{
    // The focus coming back from a dialog or a menu, and the focus Qt gives
    // the window before the program first places it, move nothing.
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason || !focusTarget_)
        return;
    if (control == focusTarget_)
        return;
    focusTarget_ = control;
    if (control == DBEdit1)
        DBEdit1Enter();
    showModes();
}

void TForm1::DBEdit1Enter()
{
    Table &lines = dm_.tmpdetail;
    if (ShuttingDown || !lines.active())
        return;
    const double code = codeFromText(DBEdit1->text());
    if (lines.recordCount() >= 1 && entry_.currentLineUnfinished(code))
        return;
    startNextEntryLine();
}

void TForm1::startNextEntryLine()
{
    try {
        entry_.appendEntryLine();
    } catch (const StoreError &e) {
        // The work before it (a line priced, and shown to the customer, or
        // cleared) is saved: "this change was not saved" would have the
        // cashier ring that line a second time.
        throw StoreError(e.cause() + QStringLiteral("\n\n")
                             + chooseText(QStringLiteral("The lines rung so far are kept: do not ring them again. Only "
                                                         "the next line could not be started; once this is put right, "
                                                         "type the next code."),
                                          QStringLiteral("Les lignes déjà saisies sont gardées : ne les saisissez pas "
                                                         "de nouveau. Seule la ligne suivante n'a pas pu être "
                                                         "commencée ; une fois le problème réglé, tapez le code "
                                                         "suivant.")),
                         e.problem());
    }
}

void TForm1::RemoveLinesNotToPost()
{
    changeWorkTables(dm_.database(), [this] {
        if (entry_.currentLineUnfinished(codeFromText(DBEdit1->text())))
            dm_.tmpdetail.deleteRecord();
        // A line cleared from the grid leaves the old entry line behind it.
        if (entry_.removeLinesWithoutProduct())
            recomputeTotals(!modes.receiving);
    });
}

void TForm1::AppendEntryLine()
{
    startNextEntryLine();
}

void TForm1::recomputeTotals(bool computeTaxes)
{
    // The header's figures are written one by one and the lines end on the
    // last one: the screen follows once, when that is done.
    const SuspendedViews quiet{&dm_.tmpdetail, &dm_.tmpmaster};
    RecomputeTotals(dm_, computeTaxes);
    dm_.tmpdetail.last();
}

void TForm1::ProcessCode()
{
    const double code = codeFromText(DBEdit1->text());
    ChangeBox->hide();
    if (!entry_.fillFromProduct(code)) {
        dialogs().message(this, chooseText(QStringLiteral("Item does not exist"), QStringLiteral("Item n'existe pas")));
        SetFocusTo(DBEdit1);
        return;
    }
    DBEdit1->discardPending(); // the line now holds the code itself
    SetFocusTo(DBEdit3);
}

bool TForm1::quantityConfirmed(double quantity)
{
    if (std::abs(quantity) <= QuantityWithoutQuestion)
        return true;
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return dialogs().question(this,
                              chooseText(QStringLiteral("Quantity %1?"), QStringLiteral("Quantité %1?"))
                                  .arg(locale.toString(quantity, 'g', 15)),
                              Dialogs::EnterMeans::No);
}

void TForm1::PriceLine()
{
    const bool firstLine = !transactionInProgress();
    Table &line = dm_.tmpdetail;
    QString displayed;
    {
        // The fields and the totals show the outcome once, when all is
        // written (or undone), not after every step.
        const SuspendedViews quiet{&line, &dm_.tmpmaster};
        // What was typed is kept first. From there the line and the totals
        // are written together: after a failure the line shows as typed and
        // not priced, the totals as before, and the focus stays for another
        // try.
        line.post();
        changeWorkTables(dm_.database(), [&] {
            entry_.priceLine();
            displayed = lineDisplayText(line.field(QStringLiteral("Trx_short_desc")).asString(),
                                        currencyText(line.field(QStringLiteral("Trx_total")).asFloat()),
                                        deviceNames_.displayColumns);
            if (firstLine)
                DateWorkHeader(dm_);
            recomputeTotals(!modes.receiving);
        });
    }
    if (!deviceNames_.display.isEmpty())
        devices_.ShowOnLineDisplay(displayed);
    SetFocusTo(DBEdit1);
}

// ---- the operations of the keys -------------------------------------------------

void TForm1::BitBtn1Click()
{
    if (!transactionInProgress()) {
        dialogs().message(this, chooseText(QStringLiteral("Operation can only be done durring a transaction"),
                                           QStringLiteral("Cette opération peut seulement être fait durant une transaction")));
        SetFocusTo(DBEdit1);
        return;
    }
    runHook(hooks.checkout);
}

void TForm1::CancelTransaction()
{
    Table &lines = dm_.tmpdetail;
    Table &header = dm_.tmpmaster;
    lines.close();
    header.close();
    lines.emptyTable();
    header.emptyTable();
    lines.open();
    header.open();
    StartWorkHeader();
    SetFocusTo(DBEdit1);
}

void TForm1::StartWorkHeader()
{
    // The cashier shown in the window is the one signed in.
    ZeroMaster(dm_, modes, dm_.cashiertb.field(QStringLiteral("Cashier_id")).asInteger());
}

void TForm1::VoidTransaction()
{
    if (!transactionInProgress())
        modes.returnMode = true;
    SetFocusTo(DBEdit1);
}

void TForm1::VoidItem()
{
    Table &line = dm_.tmpdetail;
    line.edit();
    line.field(QStringLiteral("Trx_qty")).setFloat(-1);
    modes.voidItem = true;
    SetFocusTo(DBEdit1);
}

void TForm1::ClearLine()
{
    if (!transactionInProgress())
        return;
    changeWorkTables(dm_.database(), [this] {
        dm_.tmpdetail.deleteRecord(); // the line being entered, or the one chosen in the grid
        recomputeTotals(true);
    });
    startNextEntryLine();
    SetFocusTo(DBEdit1);
}

void TForm1::BitBtn7Click()
{
    if (refusedDuringTransaction(QLatin1String(CannotEnglish), QString::fromUtf8(CannotFrench)))
        return;
    runHook(hooks.endOfDay);
}

void TForm1::StartReceiving()
{
    if (!refusedDuringTransaction(QLatin1String(CannotEnglish), QString::fromUtf8(CannotFrench)))
        modes.receiving = true;
    SetFocusTo(DBEdit1);
}

void TForm1::LookupProduct(bool processChosenCode)
{
    if (dialogs().exec(*Form16) != QDialog::Accepted)
        return;
    if (processChosenCode)
        ProcessCode();
}

void TForm1::BitBtn6Click()
{
    if (refusedDuringTransaction(QLatin1String(CannotEnglish), QString::fromUtf8(CannotFrench))) {
        SetFocusTo(DBEdit1);
        return;
    }
    runHook(hooks.rePrint);
    SetFocusTo(DBEdit1);
}

void TForm1::BitBtn5Click()
{
    ShuttingDown = false;
    if (transactionInProgress()) {
        SetFocusTo(DBEdit1); // no sign-out in the middle of a sale
        return;
    }
    runHook(hooks.signOutAndIn);
    if (!ShuttingDown)
        SetFocusTo(DBEdit1);
}

// ---- the main menu -----------------------------------------------------------------

void TForm1::Editgeneralparameters1Click()
{
    runHook(hooks.editGeneralParameters);
}

void TForm1::Devices1Click()
{
    runBetweenTransactions(hooks.editDevices);
}

void TForm1::Createeditproducts1Click()
{
    runWithTableClosed(dm_.producttb, hooks.editProducts);
}

void TForm1::Createeditcashiers1Click()
{
    if (refusedDuringTransaction(QStringLiteral("This operation can not be done during a transaction"),
                                 QString::fromUtf8(CannotFrench)))
        return;
    runWithTableClosed(dm_.cashiertb, hooks.editCashiers);
    if (hooks.findSignedInCashier && !hooks.findSignedInCashier())
        BitBtn5Click(); // the signed-in cashier is gone: someone must sign in again
}

void TForm1::CreateEditDepartments1Click()
{
    runWithTableClosed(dm_.DeptTb, hooks.editDepartments);
}

void TForm1::Importproducts1Click()
{
    runBetweenTransactions(hooks.importProducts);
}

void TForm1::PrintCashierreport1Click()
{
    runBetweenTransactions(hooks.printCashierReport);
}

void TForm1::PrintFinancialreport1Click()
{
    runBetweenTransactions(hooks.printFinancialReport);
}

void TForm1::PrintProductreport1Click()
{
    runBetweenTransactions(hooks.printProductReport);
}

void TForm1::PrintDepartmentsalesreport1Click()
{
    runBetweenTransactions(hooks.printDepartmentReport);
}

void TForm1::Printsalesregister1Click()
{
    runBetweenTransactions(hooks.printSalesRegister);
}

void TForm1::Printstockcount1Click()
{
    runBetweenTransactions(hooks.printStockLevels);
}

void TForm1::Storereports1Click()
{
    runBetweenTransactions(hooks.storeReports);
}

void TForm1::Zeroperiodtotals1Click()
{
    runBetweenTransactions(hooks.zeroPeriodTotals);
}

void TForm1::Purgeperiodtodatesalesregister1Click()
{
    runHook(hooks.purgeSalesRegister);
}

void TForm1::Helpfiles1Click()
{
    runHook(hooks.helpFiles);
}

void TForm1::Helponline1Click()
{
    runHook(hooks.helpOnline);
}

void TForm1::Purchasesourcecode1Click()
{
    runHook(hooks.purchaseSourceCode);
}
