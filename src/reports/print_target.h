#pragma once

#include <QString>

class SettingsStore;

// Where printed reports go. When a PDF directory is named, or when the
// system has no printer, every printed report becomes a numbered PDF file
// there (in "<data directory>/printed" when no directory is named);
// otherwise it goes to the system's default printer.
struct PrintTarget {
    QString pdfDirectory;
    QString dataDirectory;

    // PdfDirectory of [software\Tillano\Printing], and the data directory.
    static PrintTarget fromSettings(const SettingsStore &settings, const QString &dataDirectory);

    // The directory for the PDF files, or empty to use the printer.
    QString pdfOutputDirectory(bool systemHasPrinter) const;
};

// The target of every print; set by the shell once the settings are read.
void setPrintTarget(const PrintTarget &target);
const PrintTarget &printTarget();

// The next free numbered file name in directory, such as
// "000012-sales-register-report.pdf": one more than the highest number
// there, the document name folded to plain lower-case letters and digits.
QString nextNumberedPdfPath(const QString &directory, const QString &documentName);
