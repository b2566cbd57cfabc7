#pragma once

#include "table_def.h"

#include <QDate>
#include <QTime>
#include <QVariant>

// Conversions between what callers hand in, what a field holds and what
// it shows. A field holds qint64 (integer, auto-increment), bool
// (logical), double (float, money), QString (text, memo), QDate or QTime;
// a field without value holds a null QVariant.
namespace FieldValues {

// The value a field stores for `value`; throws StoreError naming the table
// and the field when it does not fit. Text longer than its size is cut.
QVariant canonical(const QString &table, const FieldDef &field, const QVariant &value);
// Whether `value` is already in the very form its field stores (canonical()
// gives it back as it is): a finite double for a number, a bool, a 64-bit
// integer of 32-bit range, a valid date, a text within its size.
bool alreadyStored(const FieldDef &field, const QVariant &value);

// Reading a stored value as each kind; no value reads as 0, false, empty
// text or an invalid date.
double asFloat(const QVariant &v);
qint64 asInteger(const QVariant &v);
bool asBoolean(const QVariant &v);
QString asString(const FieldDef &field, const QVariant &v);
QDate asDate(const QVariant &v);
QTime asTime(const QVariant &v);

// The text an entry field or a grid shows: money in the regional currency
// format, other numbers in general format, dates and times regional.
QString displayText(const FieldDef &field, const QVariant &v);

}
