#pragma once

#include "import_fields.h"

#include <QDate>
#include <QString>
#include <optional>

// Why a line of the file was passed over.
enum class SkipReason { None, FieldCount, InvalidUpc, Refused };

// The largest code taken: 13 digits (EAN-13), all of them exact in the
// floating field that holds a code.
constexpr qint64 MaxImportUpc = 9'999'999'999'999;

// One line of a product import file, read into the fields of a product.
// A value that does not convert is left out (std::nullopt, an invalid
// date): an existing product keeps what it has there, a new one its
// new-record value.
struct ProductLine {
    int lineNumber = 0;
    SkipReason skipped = SkipReason::None;
    // What the line held, for the reason it is skipped.
    int fieldCount = 0;
    QString upcText; // of a line skipped for it
    // Every number, date and tax letter of the line read as one (an empty
    // field reads as nothing): the line's fields are in their places.
    bool allValuesRead = true;

    double upc = 0;
    QString desc;
    QString shortDesc;
    int dept = 0;
    std::optional<double> price;
    std::optional<double> promo;
    QDate promoStart;
    QDate promoEnd;
    std::optional<double> avgCost;
    bool tx1 = false;
    bool tx2 = false;
    bool tx3 = false;
    int accnt = 0;
};

// A whole number as the import writes them: an optional sign and decimal
// digits (leading zeros allowed), or "$" and hexadecimal digits; blanks
// around it are allowed. Empty when the text is none, or beyond 64 bits.
std::optional<qint64> wholeNumberFromText(QStringView text);

// Reads the fields of a line into a product. The line is taken when it has
// exactly 13 fields and field 1 is a whole number from 1 to MaxImportUpc;
// otherwise `skipped` says why not. Tabs in the texts become blanks.
ProductLine readProductLine(const ImportFields &fields, int lineNumber);
