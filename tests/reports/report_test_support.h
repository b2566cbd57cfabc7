#pragma once

#include "reports/laid_out_page.h"

#include <QStringList>

// The text of a PDF file by pdftotext -layout, pages separated by form
// feeds; a text saying why when pdftotext fails.
QString pdfText(const QString &path);

// Reading laid-out pages in tests.
namespace PageText {

// The texts of one row, left to right: the row of the first (or the last)
// item showing `text`.
QStringList rowOf(const LaidOutPage &page, const QString &text, bool lastOccurrence = false);
// Every text of every page, page after page.
QStringList allTexts(const QList<LaidOutPage> &pages);
// How many times a text occurs on a page.
int count(const LaidOutPage &page, const QString &text);

}
