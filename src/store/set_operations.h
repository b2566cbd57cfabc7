#pragma once

#include <QStringList>
#include <QVariant>

class Database;
class Table;

// Operations on many records of a table as one SQL statement each: the
// resets of the running totals and the purge of the sales register. A walk
// record by record through the cursor would keep the shop waiting on a
// large product file or a year of sales. They see every record, whatever
// the table's filter or link, and take part in the caller's transaction.
// The writes leave the table's current record re-read (an edit of it is
// dropped: the record it held has changed).
namespace SetOperations {

// Sets the fields to zero in every record not already zero in all of them.
void zeroFields(Database &db, Table &table, const QStringList &fields);

// Deletes the records whose field is below the bound, every record when
// the bound is null; returns how many.
int deleteBelow(Database &db, Table &table, const QString &field, const QVariant &bound);

// The value of `key` in the first record, in the table's order, whose
// field is greater than the value; null when there is none. A field
// without value is never greater.
QVariant firstAfter(Database &db, Table &table, const QString &key, const QString &field, const QVariant &value);

}
