#pragma once

class QDate;
class TDataModule2;

// Deletes the leading run of the sales register, in transaction-number
// order, dated on or before the day, with the lines of every header
// deleted: it stops at the first header dated later, and the headers
// behind that one stay whatever their date. One database transaction, so
// that a header never remains without its lines nor lines without their
// header. No total and not the invoice counter change: numbering goes on
// from the counter. Returns the number of headers deleted.
int purgeSalesRegister(TDataModule2 &dm, const QDate &upTo);
