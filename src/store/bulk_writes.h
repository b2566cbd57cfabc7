#pragma once

#include <QStringList>
#include <QVariant>

class Database;
class Table;

// Writes that change many records of a table with one SQL statement: the
// resets of the running totals and the purge of the sales register. A walk
// record by record would keep the shop waiting on a large product file.
// They see every record, whatever the table's filter or link, take part in
// the caller's transaction, and leave the table's current record re-read
// (any edit of it is dropped: the record it held has changed).
namespace BulkWrites {

// Sets the fields to zero in every record not already zero in all of them.
void zeroFields(Database &db, Table &table, const QStringList &fields);

// Deletes the records whose field is below the bound; every record when
// the bound is null.
void deleteBelow(Database &db, Table &table, const QString &field, const QVariant &bound);

}
