#pragma once

#include <QStringList>

class TDataModule2;
struct SaleModes;

// Starts a new work header: void-item, return and receiving modes off, a
// new record in tmpmaster dated now, for the current cashier record, with every
// amount zero. The table is not emptied here; callers that need it empty
// empty it first.
void ZeroMaster(TDataModule2 &dm, SaleModes &modes);

// Recomputes subtotal, the taxes (unless computeTaxes is false, as
// when a line is priced in receiving mode) and the grand total from every
// work line, and posts the work header: all the figures, or none when the
// post fails. A total beyond the amount limit raises AmountLimitError with
// nothing written. Leaves the last work line current.
void RecomputeTotals(TDataModule2 &dm, bool computeTaxes);

// Sets every tender of the work header to zero and posts it.
void ClearTenders(TDataModule2 &dm);
// The tender fields of the work header: the payments, the foreign
// currency and the coupons.
const QStringList &TenderFieldNames();

// Dates the work header now. The sale window calls it when the first line
// of a transaction is priced: a transaction bears the time it began, not
// the time the till last became idle.
void DateWorkHeader(TDataModule2 &dm);
