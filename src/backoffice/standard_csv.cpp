#include "standard_csv.h"

#include "import_file.h"

#include <algorithm>
#include <utility>

namespace {

constexpr QChar Quote = u'"';
constexpr QChar Comma = u',';

bool isBlank(QChar ch)
{
    return ch == u' ' || ch == u'\t';
}

// Where `ch` is next in `line` from `from` on, or -1. Fields are short: a
// plain scan costs less than indexOf()'s search, made for long texts.
qsizetype find(QStringView line, QChar ch, qsizetype from)
{
    const QChar *end = line.end();
    const QChar *at = std::find(line.begin() + from, end, ch);
    return at == end ? -1 : at - line.begin();
}

// The fields of one record, read a line at a time.
class RecordParser {
public:
    // Reads the next line of the record; false while a quoted field is
    // still open at its end, unless `closeOpenQuote` ends it there.
    bool read(QStringView line, bool closeOpenQuote);
    const ImportFields &fields() const { return fields_; }
    bool alikeAsCommaText() const { return alike_; }

private:
    enum class State { FieldStart, Quoted, AfterQuote };
    void addField(QString field);
    void appendToField(QStringView text);

    ImportFields fields_;
    QString field_; // a quoted field being read, in place while of one piece
    State state_ = State::FieldStart;
    bool afterComma_ = false;
    bool alike_ = true;
};

bool RecordParser::read(QStringView line, bool closeOpenQuote)
{
    qsizetype i = 0;
    while (i < line.size()) {
        switch (state_) {
        case State::FieldStart:
            if (isBlank(line[i])) {
                ++i;
            } else if (line[i] == Comma) {
                addField(QString());
                afterComma_ = true;
                ++i;
            } else if (line[i] == Quote) {
                state_ = State::Quoted;
                afterComma_ = false;
                ++i;
            } else {
                // An unquoted field, whole up to the next comma.
                qsizetype comma = find(line, Comma, i);
                const QStringView text = line.sliced(i, (comma < 0 ? line.size() : comma) - i).trimmed();
                // The comma text ends an unquoted field at a blank or a control.
                alike_ = alike_ && std::none_of(text.begin(), text.end(), [](QChar ch) { return ch.unicode() <= u' '; });
                addField(QString::fromRawData(text.data(), text.size())); // the line is kept with the record
                afterComma_ = comma >= 0;
                i = comma < 0 ? line.size() : comma + 1;
            }
            break;
        case State::Quoted: {
            const qsizetype quote = find(line, Quote, i);
            appendToField(line.sliced(i, (quote < 0 ? line.size() : quote) - i));
            if (quote < 0) {
                i = line.size();
            } else if (quote + 1 < line.size() && line[quote + 1] == Quote) {
                appendToField(QStringView(&Quote, 1));
                i = quote + 2;
            } else {
                state_ = State::AfterQuote;
                i = quote + 1;
            }
            break;
        }
        case State::AfterQuote: {
            // Up to the next comma; the comma text makes any text here a
            // field of its own.
            qsizetype comma = find(line, Comma, i);
            const QStringView text = line.sliced(i, (comma < 0 ? line.size() : comma) - i).trimmed();
            alike_ = alike_ && text.isEmpty();
            appendToField(text);
            if (comma < 0) {
                i = line.size();
            } else {
                addField(std::exchange(field_, QString()));
                afterComma_ = true;
                i = comma + 1;
            }
            break;
        }
        }
    }
    if (state_ == State::Quoted && !closeOpenQuote) {
        appendToField(u" "); // the line end inside the text
        alike_ = false;
        return false;
    }
    if (state_ != State::FieldStart) {
        addField(std::exchange(field_, QString()));
    } else if (afterComma_) {
        addField(QString()); // an empty last field, which the comma text has not
        alike_ = false;
    }
    return true;
}

void RecordParser::appendToField(QStringView text)
{
    // A field of one piece (most: no doubled quote, on one line) is read in
    // place, as an unquoted one; a second piece copies it.
    if (field_.isEmpty())
        field_ = QString::fromRawData(text.data(), text.size());
    else
        field_.append(text);
}

void RecordParser::addField(QString field)
{
    if (fields_.wanted())
        fields_.add(std::move(field));
    else
        ++fields_.count;
    state_ = State::FieldStart;
}

}

bool isBlankLine(QStringView line)
{
    return std::all_of(line.begin(), line.end(), [](QChar ch) { return ch.unicode() <= u' '; });
}

ImportFields standardCsvFields(QStringView line, bool *alikeAsCommaText)
{
    RecordParser record;
    record.read(line, true);
    if (alikeAsCommaText)
        *alikeAsCommaText = record.alikeAsCommaText();
    return record.fields();
}

bool StandardCsvReader::next(CsvRecord &record)
{
    QString line;
    do {
        if (!text_.nextLine(line))
            return false;
    } while (isBlankLine(line));
    record.firstLine = text_.lineNumber();
    const ImportText::Position afterFirst = text_.position();
    record.lines.clear(); // keeps its room
    record.lines.append(line);
    RecordParser parser;
    bool complete = parser.read(line, false);
    while (!complete && record.lines.size() < MaxRecordLines && text_.nextLine(line)) {
        record.lines.append(line);
        complete = parser.read(line, false);
    }
    if (!complete) {
        // A quote never closed: it ends with its line, and the lines read
        // after it are read again.
        text_.seek(afterFirst);
        record.lines.resize(1);
        parser = RecordParser();
        parser.read(record.lines.first(), true);
    }
    record.fields = parser.fields();
    record.alikeAsCommaText = parser.alikeAsCommaText();
    return true;
}
