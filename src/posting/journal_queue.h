#pragma once

#include "export_journal.h"

class Database;

// The export journal records of a posted sale are queued in the database
// in the posting's own transaction, and appended to the journal file after
// the commit. So a posted sale is never missing from the journal, even
// when the program stops between the commit and the write, or the journal
// cannot be written for a while (a full disk, a directory that may not be
// written): what is queued is written after the next sale or at the next
// start-up, each sale exactly once.
namespace JournalQueue {

// Queues one sale's records; inside the posting's transaction. Nothing
// for a sale without records (the export is off).
void add(Database &db, double transactionNumber, const QStringList &records);

// Appends every queued sale to the journal, oldest first, and takes each
// off the queue once the journal holds it. Throws JournalWriteError, with
// the number of sales still queued, when the journal cannot be written.
// A queue that cannot be read or changed leaves the sales queued for the
// next time; the journal's end tells then what it holds already.
void writeQueued(Database &db, const ExportJournal &journal = ExportJournal());

// The sales waiting for their write.
int count(Database &db);

}
