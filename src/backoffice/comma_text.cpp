#include "comma_text.h"

namespace {

constexpr QChar Quote = u'"';
constexpr QChar Comma = u',';

bool isBlank(QChar ch)
{
    return ch.unicode() <= u' '; // a NUL too: it is no text
}

}

CommaText::CommaText(QStringView line) : line_(line)
{
    skipBlanks();
}

void CommaText::skipBlanks()
{
    while (pos_ < line_.size() && isBlank(line_[pos_]))
        ++pos_;
}

QString CommaText::field(bool keep)
{
    QString text;
    if (atEnd())
        return text;
    if (line_[pos_] == Quote) {
        // Runs of text up to each quote; two quotes give one and go on.
        for (++pos_;;) {
            const qsizetype quote = line_.indexOf(Quote, pos_);
            const qsizetype end = quote < 0 ? line_.size() : quote;
            if (keep)
                text.append(line_.sliced(pos_, end - pos_));
            pos_ = end;
            if (quote < 0)
                break; // no closing quote: the field runs to the end of the line
            ++pos_;
            if (pos_ == line_.size() || line_[pos_] != Quote)
                break; // the closing quote
            if (keep)
                text.append(Quote);
            ++pos_;
        }
    } else {
        const qsizetype start = pos_;
        while (pos_ < line_.size() && !isBlank(line_[pos_]) && line_[pos_] != Comma)
            ++pos_;
        if (keep)
            text = line_.sliced(start, pos_ - start).toString();
    }
    skipBlanks();
    if (pos_ < line_.size() && line_[pos_] == Comma) {
        ++pos_;
        skipBlanks();
    }
    return text;
}

QStringList splitCommaText(QStringView line)
{
    QStringList fields;
    for (CommaText text(line); !text.atEnd();)
        fields.append(text.nextField());
    return fields;
}

ImportFields commaTextFields(QStringView line)
{
    ImportFields fields;
    for (CommaText text(line); !text.atEnd();) {
        if (fields.wanted()) {
            fields.add(text.nextField());
        } else {
            text.skipField();
            ++fields.count;
        }
    }
    return fields;
}

int commaTextFieldCount(QStringView line)
{
    int count = 0;
    for (CommaText text(line); !text.atEnd(); ++count)
        text.skipField();
    return count;
}
