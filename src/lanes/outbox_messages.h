#pragma once

#include <QByteArray>

class Database;
struct SaleRecord;

// What the outbox holds for each message, as the server stores it: JSON
// objects {"header": {...}, "lines": [{...}, ...]} whose names are the
// server's column names and whose values have the columns' types (a
// logical is true or false, a date "YYYY-MM-DD", a missing value null).
namespace OutboxMessages {

// The posted sale of the sales register with this number: its header and
// its lines in line order. Empty when the register has no such sale.
QByteArray saleFromRegister(Database &db, double transactionNumber);

// The same for a sale just posted, from the value posting holds: byte for
// byte what saleFromRegister gives once the sale is in the register.
QByteArray sale(const SaleRecord &posted);

// A stock receipt: when it was received, by whom (the cashier of its
// header), and every line whose code is a product, in line order (the
// lines that move stock).
QByteArray stockReceipt(Database &db, const SaleRecord &received);

}
