#pragma once

#include "table_def.h"

#include <QList>

struct sqlite3;

// The ten tables of the data directory, and the program's own.
namespace Schema {
const TableDef &cashier();
const TableDef &product();
const TableDef &dept();
const TableDef &control();
const TableDef &fin();
const TableDef &tranmaster();
const TableDef &trandetail();
const TableDef &tmpmaster();
const TableDef &tmpdetail();
const TableDef &money();
QList<const TableDef *> all();

// CREATE TABLE text of one table, with its key and order index.
QStringList createStatements(const TableDef &def);

// The declared SQL type of a column of the field type.
QString columnType(FieldType type);

// The program's own table beside the ten, which other programs need not
// know: the export journal records of posted sales waiting to be appended
// to the journal file (the sale's number and the records' text). The data
// module creates it when missing.
inline constexpr const char *JournalQueueTable = "journal_queue";
QString journalQueueStatement();
}
