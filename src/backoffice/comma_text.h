#pragma once

#include "import_fields.h"

#include <QString>
#include <QStringList>
#include <QStringView>

// Reads the fields of one line of comma-separated text, one by one:
// 1. blanks and control characters before a field, after it and after
//    each comma are skipped;
// 2. a field starting with a double quote runs to the matching closing
//    quote (two quotes inside stand for one) and may hold commas and
//    blanks; without a closing quote it runs to the end of the line;
// 3. any other field runs up to the next comma, blank or control
//    character, so a blank inside it splits it in two;
// 4. two commas in a row give an empty field; a comma at the very end of
//    the line gives no field after it.
class CommaText {
public:
    explicit CommaText(QStringView line);

    bool atEnd() const { return pos_ >= line_.size(); }
    QString nextField() { return field(true); }
    // Passes over the next field without keeping it: a line of millions
    // of fields is counted, not held.
    void skipField() { field(false); }

private:
    QString field(bool keep);
    void skipBlanks();

    QStringView line_;
    qsizetype pos_ = 0;
};

// Every field of a line.
QStringList splitCommaText(QStringView line);
// The fields of a line as an import keeps them.
ImportFields commaTextFields(QStringView line);
// How many fields a line has, none of them kept.
int commaTextFieldCount(QStringView line);
