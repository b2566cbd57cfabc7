#pragma once

#include <QDate>
#include <QString>
#include <QStringView>
#include <QTime>
#include <QVariant>
#include <initializer_list>

// printf-like patterns of the printouts: "%-15s", "%4d", "%10.2m" and the
// literal text between them. Each conversion takes the next argument:
//   s  a text; d  an integer (a floating value is truncated toward zero);
//   m  a money amount in the regional currency format, rounded to the given
//      decimals (two when not given).
// A leading "-" left-aligns within the width; the width is a minimum, a
// longer value is never cut.
QString formatLine(QStringView pattern, std::initializer_list<QVariant> args);

// A money amount in the regional currency format with two decimals,
// rounded to cents with ties to even ("$1,234.50", "($7.66)").
QString currencyText(double amount, int decimals = 2);

// A number in general format with up to 15 significant digits, without
// thousands separators, as entry fields and exports show it ("2.5", "12").
QString generalNumberText(double value);

// The whole number a floating value holds, truncated toward zero.
qint64 truncatedInteger(double value);

// The centring rule of the printouts: trunc((width - length) / 2) blanks in
// front, never more than 30, none when the text fills the width.
QString centredLine(const QString &text, int paperWidth);

// The regional short date and long time (with seconds, without a time zone).
QString shortDateText(const QDate &date);
QString longTimeText(const QTime &time);
QString longTimeFormat();

// A date typed or read from a file: ISO (2026-03-09) or the regional short
// date, whose year may also be written with four digits; a two-digit year
// is one of 2000 to 2099. Invalid when the text is no date.
QDate dateFromText(const QString &text);

// A decimal number in the regional format or, failing that, in the plain C
// format ("19.99" under a French locale too); false when the text is no
// finite number.
bool numberFromText(const QString &text, double &number);
