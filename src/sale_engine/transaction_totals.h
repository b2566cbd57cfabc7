#pragma once

#include "common/sale_figures.h"

#include <QStringList>

class TDataModule2;
struct SaleModes;

// Starts a new work header for the cashier: void-item, return and
// receiving modes off, a new record in tmpmaster dated now, with every
// amount zero. The table is not emptied here; callers that need it empty
// empty it first.
void ZeroMaster(TDataModule2 &dm, SaleModes &modes, int cashierId);

// Recomputes subtotal, the taxes (unless computeTaxes is false, as
// when a line is priced in receiving mode) and the grand total from every
// work line, and posts the work header: all the figures, or none when the
// post fails. A total beyond the amount limit raises AmountLimitError with
// nothing written.
void RecomputeTotals(TDataModule2 &dm, bool computeTaxes);

// Dates the work header now. The sale window calls it when the first line
// of a transaction is priced: a transaction bears the time it began, not
// the time the till last became idle.
void DateWorkHeader(TDataModule2 &dm);

// What the customer tenders, apart from the payment window's fields and
// keys. The work header's figures as they stand (balance, change).
SaleFigures workSaleFigures(TDataModule2 &dm);

// Adds the amount to every payment mode of the cash type and posts the
// work header; false, with nothing changed, when a payment would pass the
// amount limit.
bool addToCashModes(TDataModule2 &dm, Money amount);

// A refund: what was entered goes out of the till, every tender turned
// negative. Or every tender set to zero. Each posts the work header.
void turnTendersOut(TDataModule2 &dm);
void ClearTenders(TDataModule2 &dm);
