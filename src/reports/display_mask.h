#pragma once

#include <QString>

// A number shown through a display mask such as "###,##0.00;(###,##0.00)":
// up to three sections separated by ";" for positive, negative and zero
// values. In a section "0" is a digit always shown, "#" a digit shown when
// needed, "." the decimal point and "," asks for thousands separators;
// other characters and quoted text are printed as they stand. A negative
// value is shown through the second section without its sign, or with a
// leading "-" when there is none. Separators follow the regional settings.
// The value is rounded to the mask's decimals with ties to even, the way
// every amount of the program is rounded; a value that rounds to zero is
// shown as zero.
QString formatWithMask(double value, const QString &mask);
