#include "period_end.h"

#include "purge_window.h"
#include "totals_reset.h"

#include "common/language.h"
#include "widgets/dialogs.h"

PeriodEnd::PeriodEnd(TDataModule2 &dm, TForm20 &purgeWindow, QWidget *parent)
    : dm_(dm), purgeWindow_(purgeWindow), parent_(parent)
{
}

bool PeriodEnd::Zeroperiodtotals1Click()
{
    // A whole period is never zeroed without a Yes, whatever the language.
    if (!dialogs().question(parent_, chooseText(QStringLiteral("Proceed with zeroing of totals?"),
                                                QStringLiteral("Procéder avec la mise à zéro?"))))
        return false;
    zeroPeriodTotals(dm_);
    dialogs().message(parent_, chooseText(QStringLiteral("Process complete"), QStringLiteral("Procédure terminée")));
    return true;
}

void PeriodEnd::Purgeperiodtodatesalesregister1Click()
{
    purgeWindow_.showForToday();
}
