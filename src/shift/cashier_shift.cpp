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

int CashierShift::waitBeforeNextTry() const
{
    // Codes are short numbers: after three wrong ones in a row each
    // further try waits twice as long as the one before, 1 s up to 30 s.
    if (wrongCodesInRow_ < FreeTries)
        return 0;
    return qMin(MaxWaitSeconds, 1 << qMin(wrongCodesInRow_ - FreeTries, 5));
}

void CashierShift::signInLoop()
{
    for (;;) {
        signIn_.Password->clear();
        signIn_.holdOff(waitBeforeNextTry());
        if (dialogs().exec(signIn_) != QDialog::Accepted) {
            host_.shutDown();
            return;
        }
        bool isNumber = false;
        const int code = signIn_.Password->text().trimmed().toInt(&isNumber);
        if (!dm_.cashiertb.findKey(isNumber ? code : 0)) {
            ++wrongCodesInRow_;
            continue; // rejected without a message; the dialog comes back empty
        }
        wrongCodesInRow_ = 0;
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
