#include "import_summary.h"

#include "common/language.h"

#include <QLocale>

#include <algorithm>

namespace {

// A code as it stood in the file, cut short when it is long: the file may
// hold anything at that place.
QString quotedCode(const QString &text)
{
    constexpr int Shown = 20;
    const QString shown = text.size() > Shown ? text.left(Shown) + QStringLiteral("...") : text;
    return chooseText(QStringLiteral("\"%1\""), QStringLiteral("« %1 »")).arg(shown);
}

QString reasonText(const SkippedLine &line)
{
    switch (line.reason) {
    case SkipReason::FieldCount:
        return chooseText(QStringLiteral("wrong number of fields (%1 instead of %2)"),
                          QStringLiteral("nombre de champs incorrect (%1 au lieu de %2)"))
            .arg(QLocale().toString(line.detail.toInt()))
            .arg(ImportFieldCount);
    case SkipReason::InvalidUpc:
        return chooseText(QStringLiteral("invalid UPC %1"), QStringLiteral("code UPC invalide %1"))
            .arg(quotedCode(line.detail));
    case SkipReason::Refused:
        return chooseText(QStringLiteral("refused by the table: %1"), QStringLiteral("refusée par la table : %1"))
            .arg(line.detail);
    case SkipReason::None:
        break;
    }
    return QString();
}

QString count(int n)
{
    return QLocale().toString(n);
}

// The skipped lines after the counts, and a word on quotes when a line
// had too many fields.
QStringList skippedLines(const ImportSummary &summary)
{
    QStringList lines;
    for (const SkippedLine &line : summary.firstSkipped)
        lines << chooseText(QStringLiteral("Line %1: %2"), QStringLiteral("Ligne %1 : %2"))
                     .arg(count(line.lineNumber), reasonText(line));
    if (summary.skipped > summary.firstSkipped.size())
        lines << chooseText(QStringLiteral("... and %1 more."), QStringLiteral("... et %1 de plus."))
                     .arg(count(summary.skipped - int(summary.firstSkipped.size())));
    if (summary.tooManyFields)
        lines << QString()
              << chooseText(QStringLiteral("Texts holding commas must be written between double quotes."),
                            QStringLiteral("Les textes contenant des virgules doivent être écrits entre guillemets."));
    return lines;
}

}

void ImportSummary::skip(int lineNumber, SkipReason reason, const QString &detail)
{
    ++skipped;
    tooManyFields = tooManyFields || (reason == SkipReason::FieldCount && detail.toLongLong() > ImportFieldCount);
    // Lines refused by the table come after the others were read.
    const auto at = std::upper_bound(firstSkipped.begin(), firstSkipped.end(), lineNumber,
                                     [](int n, const SkippedLine &line) { return n < line.lineNumber; });
    if (at - firstSkipped.begin() < LinesListed) {
        firstSkipped.insert(at, {lineNumber, reason, detail});
        if (firstSkipped.size() > LinesListed)
            firstSkipped.removeLast();
    }
}

QString importSummaryText(const ImportSummary &summary, const QString &fileName)
{
    if (!summary.stoppedBecause.isEmpty())
        return chooseText(QStringLiteral("The import of %1 stopped at line %2: %3\nNothing of the file was imported."),
                          QStringLiteral("L'importation de %1 s'est arrêtée à la ligne %2 : %3\n"
                                         "Rien du fichier n'a été importé."))
            .arg(fileName, count(summary.stoppedAtLine), summary.stoppedBecause);

    QStringList lines{
        chooseText(QStringLiteral("Import of %1 finished."), QStringLiteral("Importation de %1 terminée.")).arg(fileName),
        chooseText(QStringLiteral("Products added: %1"), QStringLiteral("Produits ajoutés : %1")).arg(count(summary.added)),
        chooseText(QStringLiteral("Products updated: %1"), QStringLiteral("Produits mis à jour : %1"))
            .arg(count(summary.updated)),
        chooseText(QStringLiteral("Lines skipped: %1"), QStringLiteral("Lignes ignorées : %1")).arg(count(summary.skipped))};
    if (summary.skipped > 0)
        lines << QString() << skippedLines(summary);
    return lines.join(QLatin1Char('\n'));
}

QString skippedLinesQuestion(const ImportSummary &summary, const QString &fileName, int toImport)
{
    QStringList lines{summary.skipped == 1
                          ? chooseText(QStringLiteral("%1: 1 line cannot be imported."),
                                       QStringLiteral("%1 : 1 ligne ne peut pas être importée."))
                                .arg(fileName)
                          : chooseText(QStringLiteral("%1: %2 lines cannot be imported."),
                                       QStringLiteral("%1 : %2 lignes ne peuvent pas être importées."))
                                .arg(fileName, count(summary.skipped)),
                      QString()};
    lines << skippedLines(summary) << QString()
          << (toImport == 1 ? chooseText(QStringLiteral("Import the other line? (No imports nothing.)"),
                                         QStringLiteral("Importer l'autre ligne? (Non n'importe rien.)"))
                            : chooseText(QStringLiteral("Import the other %1 lines? (No imports nothing.)"),
                                         QStringLiteral("Importer les %1 autres lignes? (Non n'importe rien.)"))
                                  .arg(count(toImport)));
    return lines.join(QLatin1Char('\n'));
}

QString controlCharacterText(int lineNumber, char16_t code, const QString &fileName)
{
    return chooseText(QStringLiteral("%1 is not a list of products: line %2 holds a control character "
                                     "(code %3), which no text of a product may hold.\n\nNothing was imported."),
                      QStringLiteral("%1 n'est pas une liste de produits : la ligne %2 contient un caractère de "
                                     "contrôle (code %3), qu'aucun texte de produit ne peut contenir.\n\n"
                                     "Rien n'a été importé."))
        .arg(fileName, count(lineNumber),
             QStringLiteral("0x") + QString::number(code, 16).toUpper().rightJustified(2, QLatin1Char('0')));
}
