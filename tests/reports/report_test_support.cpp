#include "report_test_support.h"

#include <QProcess>

QString pdfText(const QString &path)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0)
        return QStringLiteral("pdftotext failed: ") + QString::fromUtf8(pdftotext.readAllStandardError());
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

namespace PageText {

QStringList rowOf(const LaidOutPage &page, const QString &text, bool lastOccurrence)
{
    const PlacedItem *item = page.findText(text);
    if (lastOccurrence)
        for (const PlacedItem &candidate : page.items)
            if (candidate.kind == PlacedItem::Kind::Text && candidate.text == text)
                item = &candidate;
    QStringList row;
    if (!item)
        return row;
    for (const PlacedItem *cell : page.textsOnRow(item->rect.top()))
        row.append(cell->text);
    return row;
}

QStringList allTexts(const QList<LaidOutPage> &pages)
{
    QStringList texts;
    for (const LaidOutPage &page : pages)
        texts += page.texts();
    return texts;
}

int count(const LaidOutPage &page, const QString &text)
{
    return int(page.texts().count(text));
}

}
