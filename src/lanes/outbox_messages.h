#pragma once

#include <QByteArray>

class Database;

// What the outbox holds for each message, as the server stores it: JSON
// objects {"header": {...}, "lines": [{...}, ...]} whose names are the
// server's column names and whose values have the columns' types (a
// logical is true or false, a date "YYYY-MM-DD", a missing value null).
namespace OutboxMessages {

// The posted sale of the sales register with this number: its header and
// its lines in line order. Empty when the register has no such sale.
QByteArray saleFromRegister(Database &db, double transactionNumber);

// The stock receipt of the work tables: when it was received, by whom, and
// every work line whose code is a product, in line order (the lines that
// move stock).
QByteArray stockReceiptFromWorkTables(Database &db);

}
