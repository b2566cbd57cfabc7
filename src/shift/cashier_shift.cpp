#include "cashier_shift.h"

#include "money_count.h"
#include "money_count_question.h"
#include "password_dialog.h"

#include "store/data_module.h"
#include "widgets/dialogs.h"

#include <QLineEdit>

CashierShift::CashierShift(TDataModule2 &dm, TPasswordDlg &signIn, TMoneyCountDlg &countQuestion, MoneyCount &count,
                           ShiftHost &host)
    : dm_(dm), signIn_(signIn), countQuestion_(countQuestion), count_(count), host_(host)
{
}

bool CashierShift::signedIn() const
{
    return !signIn_.Password->text().isEmpty();
}

bool CashierShift::findSignedInCashier()
{
    return dm_.cashiertb.findKey(cashierId_);
}

void CashierShift::signOutAndIn()
{
    Table &lines = dm_.tmpdetail;
    if (lines.recordCount() == 1) { // the blank entry line
        lines.cancel();
        lines.first();
        lines.deleteRecord();
    }

    if (signedIn()) {
        if (dialogs().exec(countQuestion_) == QDialog::Accepted)
            count_.run(cashierId_);
        signIn_.Password->clear();
    }

    signInLoop();
}

void CashierShift::signInLoop()
{
    for (;;) {
        signIn_.Password->clear();
        if (dialogs().exec(signIn_) != QDialog::Accepted) {
            host_.shutDown();
            return;
        }
        bool isNumber = false;
        const int code = signIn_.Password->text().trimmed().toInt(&isNumber);
        if (!dm_.cashiertb.findKey(isNumber ? code : 0))
            continue; // rejected silently; the dialog comes back empty
        Table &cashier = dm_.cashiertb;
        cashierId_ = cashier.field(QStringLiteral("Cashier_id")).asInteger();
        host_.setManagerMenu(cashier.field(QStringLiteral("Cashier_type")).asBoolean());
        host_.setTrainingMode(cashier.field(QStringLiteral("Cashier_train")).asBoolean());
        host_.showCashierName(cashier.field(QStringLiteral("Cashier_name")).asString());
        nameCashierOnWaitingHeader();
        return;
    }
}

void CashierShift::nameCashierOnWaitingHeader()
{
    // The header waiting for the next sale was started for the previous
    // cashier; the register and the totals must name the same person.
    Table &header = dm_.tmpmaster;
    if (!header.active() || !header.hasCurrent())
        return;
    header.edit();
    header.field(QStringLiteral("Trxh_cashier")).setInteger(cashierId_);
    header.post();
}
