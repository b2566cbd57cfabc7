#include "message_text.h"

namespace {
constexpr qsizetype KeptAtStart = 100;
constexpr qsizetype KeptAtEnd = 50;
}

QString shortenedForMessage(const QString &value)
{
    QString text = value.size() > KeptAtStart + KeptAtEnd + 3
        ? value.left(KeptAtStart) + QStringLiteral(" … ") + value.right(KeptAtEnd)
        : value;
    for (QChar &c : text)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    return text;
}
