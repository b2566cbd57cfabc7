#include "standard_csv.h"

#include "import_file.h"

#include <algorithm>

namespace {

constexpr QChar Quote = u'"';
constexpr QChar Comma = u',';

bool isBlank(QChar ch)
{
    return ch == u' ' || ch == u'\t';
}

// The fields of one record, read a line at a time.
class RecordParser {
public:
    // Reads the next line of the record; false while a quoted field is
    // still open at its end, unless `closeOpenQuote` ends it there.
    bool read(QStringView line, bool closeOpenQuote);
    const ImportFields &fields() const { return fields_; }

private:
    enum class State { FieldStart, Unquoted, Quoted, AfterQuote };
    void endField();

    ImportFields fields_;
    QString field_;
    State state_ = State::FieldStart;
};

bool RecordParser::read(QStringView line, bool closeOpenQuote)
{
    qsizetype i = 0;
    while (i < line.size()) {
        switch (state_) {
        case State::FieldStart:
            if (line[i] == Comma) {
                endField();
                ++i;
            } else if (line[i] == Quote) {
                state_ = State::Quoted;
                ++i;
            } else if (isBlank(line[i])) {
                ++i;
            } else {
                state_ = State::Unquoted;
            }
            break;
        case State::Unquoted:
        case State::AfterQuote: {
            // Up to the next comma, in one piece; after a closing quote
            // the blanks are dropped.
            qsizetype comma = line.indexOf(Comma, i);
            if (comma < 0)
                comma = line.size();
            const QStringView run = line.sliced(i, comma - i);
            field_.append(state_ == State::AfterQuote ? run.trimmed() : run);
            i = comma;
            if (comma < line.size()) {
                endField();
                ++i;
            }
            break;
        }
        case State::Quoted: {
            const qsizetype quote = line.indexOf(Quote, i);
            const qsizetype end = quote < 0 ? line.size() : quote;
            field_.append(line.sliced(i, end - i));
            i = end;
            if (quote < 0)
                break;
            if (quote + 1 < line.size() && line[quote + 1] == Quote) {
                field_.append(Quote);
                i = quote + 2;
            } else {
                state_ = State::AfterQuote;
                i = quote + 1;
            }
            break;
        }
        }
    }
    if (state_ == State::Quoted && !closeOpenQuote) {
        field_.append(u' '); // the line end inside the text
        return false;
    }
    endField(); // the last field, an empty one too
    return true;
}

void RecordParser::endField()
{
    if (state_ == State::Unquoted)
        field_ = field_.trimmed();
    if (fields_.wanted())
        fields_.add(field_);
    else
        ++fields_.count;
    field_.clear();
    state_ = State::FieldStart;
}

}

bool isBlankLine(QStringView line)
{
    return std::all_of(line.begin(), line.end(), [](QChar ch) { return ch.unicode() <= u' '; });
}

ImportFields standardCsvFields(QStringView line)
{
    RecordParser record;
    record.read(line, true);
    return record.fields();
}

bool StandardCsvReader::next(ImportFields &fields, QStringList &lines, int &firstLine)
{
    QString line;
    do {
        if (!text_.nextLine(line))
            return false;
    } while (isBlankLine(line));
    firstLine = text_.lineNumber();
    const ImportText::Position afterFirst = text_.position();
    lines = QStringList{line};
    RecordParser record;
    bool complete = record.read(line, false);
    while (!complete && lines.size() < MaxRecordLines && text_.nextLine(line)) {
        lines.append(line);
        complete = record.read(line, false);
    }
    if (!complete) {
        // A quote never closed: it ends with its line, and the lines read
        // after it are read again.
        text_.seek(afterFirst);
        lines.resize(1);
        record = RecordParser();
        record.read(lines.first(), true);
    }
    fields = record.fields();
    return true;
}
