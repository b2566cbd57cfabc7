#pragma once

#include "import_file.h"
#include "import_summary.h"

#include <QList>
#include <functional>

// The two ways an import file is read: the comma text of older tills
// (blanks end an unquoted field, a comma at the end of a line gives no
// field) and standard comma-separated values as spreadsheets write them.
enum class ImportReading { CommaText, StandardCsv };

// Everything an import file holds, read whole before anything is written.
struct ProductFile {
    // A file holding a control character is refused whole: nothing else
    // is read of it.
    ControlCharacter controlCharacter;
    ImportReading reading = ImportReading::CommaText;
    int headingLine = 0; // 0: none
    QList<ProductLine> products; // the lines to write, in file order
    ImportSummary summary;       // the lines passed over

    bool refused() const { return controlCharacter.lineNumber > 0; }
};

// Reads an import file both ways and keeps the reading under which more
// lines are products with every value in its place (numbers, dates and
// tax letters where they belong), then the one that takes more lines;
// the comma text when both take as many. Both read most files alike. A
// first line whose first field is a word (letters, no digit) is a
// heading, passed over.
// `progress` is told the number of each line read.
ProductFile readProductFile(ImportText &text, const std::function<void(int lineNumber)> &progress = {});
