#pragma once

#include <QString>
#include <QVariant>

class Record;

// The records of the export journal, a comma-separated format read by
// other programs. Numbers and dates follow the regional settings of
// QLocale().
namespace JournalRecords {

// The header record (type 0, 21 fields) of a posted sale's header.
QString header(const Record &header);

// The line record (type 1, 14 fields) of a posted line, with the account
// number of its product.
QString line(const Record &line, int account);

// Field texts, exposed for their own tests.
// Bare unless the text holds a blank or control character, a double quote
// or a comma; then in double quotes with inner double quotes doubled.
QString quoted(const QString &text);
// The whole number a floating value holds, truncated toward zero.
QString wholeNumber(double value);
// The shortest decimal form of the amount rounded to four decimals:
// no trailing zeros, no separator for a whole value, the regional decimal
// separator, no thousands separator ("12.5", "3", "-4.25").
QString money(double amount);
// A quantity or a percentage: general form, up to 15 significant digits.
QString number(double value);
// A logical value: "True", "False", or empty when it has no value.
QString flag(const QVariant &value);

}
