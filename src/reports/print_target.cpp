#include "print_target.h"

#include "common/app_settings.h"
#include "common/settings_store.h"

#include <QDir>
#include <QRegularExpression>

namespace {

PrintTarget &currentTarget()
{
    static PrintTarget target;
    return target;
}

QString fileNameStem(const QString &documentName)
{
    QString stem;
    for (QChar c : documentName.normalized(QString::NormalizationForm_KD).toLower()) {
        if ((c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('0') && c <= QLatin1Char('9')))
            stem.append(c);
        else if (c.category() != QChar::Mark_NonSpacing && !stem.isEmpty() && !stem.endsWith(QLatin1Char('-')))
            stem.append(QLatin1Char('-'));
    }
    while (stem.endsWith(QLatin1Char('-')))
        stem.chop(1);
    return stem.isEmpty() ? QStringLiteral("report") : stem;
}

}

PrintTarget PrintTarget::fromSettings(const SettingsStore &settings, const QString &dataDirectory)
{
    return {settings.read(PrintingSection, QStringLiteral("PdfDirectory")).trimmed(), dataDirectory};
}

QString PrintTarget::pdfOutputDirectory(bool systemHasPrinter) const
{
    if (!pdfDirectory.isEmpty())
        return pdfDirectory;
    if (systemHasPrinter)
        return QString();
    const QString base = dataDirectory.isEmpty() ? QDir::currentPath() : dataDirectory;
    return QDir(base).filePath(QStringLiteral("printed"));
}

void setPrintTarget(const PrintTarget &target)
{
    currentTarget() = target;
}

const PrintTarget &printTarget()
{
    return currentTarget();
}

QString nextNumberedPdfPath(const QString &directory, const QString &documentName)
{
    static const QRegularExpression numbered(QStringLiteral("^(\\d+)-.*\\.pdf$"), QRegularExpression::CaseInsensitiveOption);
    qint64 highest = 0;
    for (const QString &name : QDir(directory).entryList(QDir::Files)) {
        const auto match = numbered.match(name);
        if (match.hasMatch())
            highest = qMax(highest, match.captured(1).toLongLong());
    }
    const QString number = QStringLiteral("%1").arg(highest + 1, 6, 10, QLatin1Char('0'));
    return QDir(directory).filePath(number + QLatin1Char('-') + fileNameStem(documentName) + QStringLiteral(".pdf"));
}
