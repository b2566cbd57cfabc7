#pragma once

#include "product_line.h"

#include <QList>
#include <QString>

// A line passed over, with what makes it so: the number of fields, the
// code read, or the table's words.
struct SkippedLine {
    int lineNumber = 0;
    SkipReason reason = SkipReason::None;
    QString detail;
};

// What an import did, for the message that ends it.
struct ImportSummary {
    static constexpr int LinesListed = 10;

    int added = 0;
    int updated = 0;
    int skipped = 0;
    QList<SkippedLine> firstSkipped; // the first LinesListed, in line order
    // A line had more fields than it should: most often a text with
    // blanks written without quotes, worth a word in the message.
    bool tooManyFields = false;
    // Set when the database gave up the import's transaction at a line:
    // nothing of the file was kept.
    int stoppedAtLine = 0;
    QString stoppedBecause;

    void skip(int lineNumber, SkipReason reason, const QString &detail);
};

// The message that ends an import of `fileName`, in the language of the
// texts: the counts, then the first skipped lines with their reasons.
QString importSummaryText(const ImportSummary &summary, const QString &fileName);

// The question asked before anything is written when lines of `fileName`
// would be skipped: how many, the first reasons, and whether to import
// the `toImport` others.
QString skippedLinesQuestion(const ImportSummary &summary, const QString &fileName, int toImport);

// Why a file holding a control character is not imported at all.
QString controlCharacterText(int lineNumber, char16_t code, const QString &fileName);
