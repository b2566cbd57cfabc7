#pragma once

#include "import_fields.h"

class ImportText;

// Reads the records of standard comma-separated values, as spreadsheets
// write them (RFC 4180, quotes only where needed):
// 1. fields are separated by commas; a comma at the end of a line gives an
//    empty last field;
// 2. a field starting with a double quote (blanks before it are passed
//    over) runs to the closing quote; two quotes inside stand for one; it
//    may hold commas, blanks and line ends, each line end becoming a blank;
//    text between the closing quote and the next comma is added to it;
// 3. any other field runs up to the next comma, blanks and quotes inside
//    it included; blanks around it are dropped.
// A quote still open at the end of the file, or after MaxRecordLines
// lines, was never closed: it ends with its own line. A line of blanks is
// no record.
// One record of a file, and the lines of the file it was read from. Its
// fields are read in place, in those lines, where they can be (all but
// quoted ones holding two quotes or a line end): a field that is to outlive
// the record is copied (see ownCopy()).
struct CsvRecord {
    ImportFields fields;
    QStringList lines;
    int firstLine = 0;
    // Read as comma text, its one line gives the same fields: it holds no
    // blank inside an unquoted text, no text after a closing quote, and
    // does not end with a comma.
    bool alikeAsCommaText = true;
};

class StandardCsvReader {
public:
    static constexpr int MaxRecordLines = 100;

    explicit StandardCsvReader(ImportText &text) : text_(text) {}

    // The next record; false after the last one.
    bool next(CsvRecord &record);

private:
    ImportText &text_;
};

// The fields of one line of standard comma-separated values, a quote left
// open ending with the line, read in place in `line` as in CsvRecord;
// `alikeAsCommaText` as in CsvRecord.
ImportFields standardCsvFields(QStringView line, bool *alikeAsCommaText = nullptr);

// A line of blanks (and tabs) only.
bool isBlankLine(QStringView line);
