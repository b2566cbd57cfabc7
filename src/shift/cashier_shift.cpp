#include "cashier_shift.h"

#include "money_count.h"
#include "money_count_question.h"
#include "password_dialog.h"
#include "secret_code_check.h"

#include "store/data_module.h"
#include "store/sign_in_tables.h"
#include "widgets/dialogs.h"

#include <QLineEdit>

CashierShift::CashierShift(TDataModule2 &dm, TPasswordDlg &signIn, TMoneyCountDlg &countQuestion, MoneyCount &count,
                           ShiftHost &host)
    : dm_(dm), signIn_(signIn), countQuestion_(countQuestion), count_(count), host_(host),
      newPin_(signIn.parentWidget())
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
    Database &db = dm_.database();
    const bool secretCodes = SignInTables::secretCodesRequired(db);
    signIn_.setSecretCodes(secretCodes);
    wait_.load(db);
    bool refused = false;
    for (;;) {
        signIn_.Password->clear();
        signIn_.setRefused(refused);
        signIn_.holdOff(wait_.seconds(), wait_.lastWrong());
        const bool accepted = dialogs().exec(signIn_) == QDialog::Accepted;
        const QString pin = signIn_.Pin->text();
        signIn_.Pin->clear();
        if (!accepted) {
            host_.shutDown();
            return;
        }
        bool isNumber = false;
        const int code = signIn_.Password->text().trimmed().toInt(&isNumber);
        const Admission admission = admit(isNumber ? code : 0, pin, secretCodes);
        refused = admission == Admission::Refused;
        if (refused)
            wait_.wrongTry(db);
        if (admission != Admission::In)
            continue; // the dialog comes back empty, without a message unless secret codes are required
        wait_.signedIn(db);
        Table &cashier = dm_.cashiertb;
        cashierId_ = cashier.field(QStringLiteral("Cashier_id")).asInteger();
        host_.setManagerMenu(cashier.field(QStringLiteral("Cashier_type")).asBoolean());
        host_.setTrainingMode(cashier.field(QStringLiteral("Cashier_train")).asBoolean());
        host_.showCashierName(cashier.field(QStringLiteral("Cashier_name")).asString());
        nameCashierOnWaitingHeader();
        return;
    }
}

CashierShift::Admission CashierShift::admit(int code, const QString &pin, bool secretCodes)
{
    if (!secretCodes)
        return dm_.cashiertb.findKey(code) ? Admission::In : Admission::Refused;
    const SecretCodeCheck check = SecretCodeCheck::run(dm_, code, pin);
    if (check.verdict == SecretCodeCheck::Refused)
        return Admission::Refused;
    if (check.verdict == SecretCodeCheck::ChoosePin) {
        const QString name = dm_.cashiertb.field(QStringLiteral("Cashier_name")).asString();
        if (!newPin_.askAndKeep(dm_.database(), code, name, NewPinDialog::Chooser::Self, check.given))
            return Admission::NotYet;
    }
    return dm_.cashiertb.findKey(code) ? Admission::In : Admission::NotYet;
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
