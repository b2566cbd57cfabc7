#include "product_file.h"

#include "comma_text.h"
#include "standard_csv.h"

#include <algorithm>

namespace {

// How well a reading reads a file: the lines it takes whose every value
// is in its place, then all the lines it takes.
struct ReadingScore {
    int allValuesRead = 0;
    int taken = 0;

    void count(const ProductLine &line)
    {
        if (line.skipped != SkipReason::None)
            return;
        ++taken;
        allValuesRead += line.allValuesRead ? 1 : 0;
    }
    auto operator<=>(const ReadingScore &) const = default;
};

// A line as the readings read it: alike, or as one of them only.
struct ReadLine {
    std::optional<ImportReading> onlyBy;
    ProductLine line;
};

// A heading names its first column with a word: letters, no digit.
bool isHeading(const ImportFields &fields)
{
    if (fields.kept.isEmpty())
        return false;
    const QString &first = fields.kept.first();
    return std::any_of(first.cbegin(), first.cend(), [](QChar ch) { return ch.isLetter(); })
        && std::none_of(first.cbegin(), first.cend(), [](QChar ch) { return ch.isDigit(); });
}

// A line read as comma text. Where the readings differ, most lines of a
// file written one way have the wrong number of fields read the other:
// those are counted, not split.
ProductLine commaTextLine(QStringView text, int lineNumber)
{
    ImportFields counted;
    counted.count = commaTextFieldCount(text);
    return readProductLine(counted.count == ImportFieldCount ? commaTextFields(text) : counted, lineNumber);
}

}

ProductFile readProductFile(ImportText &text, const std::function<void(int lineNumber)> &progress)
{
    ProductFile file;
    file.controlCharacter = text.firstControlCharacter();
    if (file.refused())
        return file;

    // The standard reading goes record by record; the comma text reads the
    // same lines of the file one by one, where they read differently.
    QList<ReadLine> lines;
    // Room for both readings of every line: a file where they differ
    // would otherwise move all its lines read so far, again and again;
    // the room a file read alike leaves unused is never touched.
    lines.reserve(2 * qsizetype(text.lineCount()));
    ReadingScore commaText, csv;
    StandardCsvReader reader(text);
    for (CsvRecord record; reader.next(record);) {
        const int first = record.firstLine;
        if (progress)
            progress(first);
        if (file.headingLine == 0 && lines.isEmpty() && isHeading(record.fields)
            && isHeading(commaTextFields(record.lines.first()))) {
            file.headingLine = first;
            continue;
        }
        if (record.lines.size() == 1 && record.alikeAsCommaText) {
            lines.append({std::nullopt, readProductLine(record.fields, first)});
            continue;
        }
        lines.append({ImportReading::StandardCsv, readProductLine(record.fields, first)});
        csv.count(lines.last().line);
        for (qsizetype i = 0; i < record.lines.size(); ++i) {
            if (isBlankLine(record.lines[i]))
                continue;
            lines.append({ImportReading::CommaText, commaTextLine(record.lines[i], first + int(i))});
            commaText.count(lines.last().line);
        }
    }

    file.reading = csv > commaText ? ImportReading::StandardCsv : ImportReading::CommaText;
    file.products.reserve(lines.size());
    for (ReadLine &read : lines) {
        if (read.onlyBy && *read.onlyBy != file.reading)
            continue;
        ProductLine &line = read.line;
        if (line.skipped == SkipReason::None)
            file.products.append(std::move(line));
        else
            file.summary.skip(line.lineNumber, line.skipped,
                              line.skipped == SkipReason::FieldCount ? QString::number(line.fieldCount) : line.upcText);
    }
    return file;
}
