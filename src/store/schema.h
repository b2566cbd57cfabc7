#pragma once

#include "table_def.h"

#include <QList>

struct sqlite3;

// The ten tables of the data directory.
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
}
