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
        ++pos_;
        while (pos_ < line_.size()) {
            const QChar ch = line_[pos_++];
            if (ch == Quote && (pos_ == line_.size() || line_[pos_] != Quote))
                break; // the closing quote
            if (ch == Quote)
                ++pos_; // the second of two quotes
            if (keep)
                text.append(ch);
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
