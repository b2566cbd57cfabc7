#include "report_printing.h"

#include "common/language.h"
#include "reports/page_painter.h"
#include "reports/print_target.h"
#include "reports/printing_progress_window.h"

#include <QDir>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>

namespace {

QPrinterInfo defaultPrinter()
{
    const QPrinterInfo chosen = QPrinterInfo::defaultPrinter();
    if (!chosen.isNull())
        return chosen;
    const QStringList names = QPrinterInfo::availablePrinterNames();
    return names.isEmpty() ? QPrinterInfo() : QPrinterInfo::printerInfo(names.first());
}

void printOn(QPrinter &printer, const QString &documentName, const PageProducer &pages)
{
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setFullPage(true);
    printer.setDocName(documentName);
    PaintingPageSink sink(printer);
    try {
        pages(sink);
    } catch (const ReportStopped &) {
        printer.abort(); // the pages painted so far are dropped with the job
        throw;
    }
    if (!sink.finish())
        throw ReportOutputError(chooseText(QStringLiteral("The printer did not accept \"%1\"."),
                                           QStringLiteral("L'imprimante n'a pas accepté \"%1\".")).arg(documentName));
}

}

bool systemHasPrinter()
{
    return !defaultPrinter().isNull();
}

QString printDocument(const QString &documentName, const PageProducer &pages, QPrinter *printer)
{
    PrintingProgressWindow progress(documentName);
    const PageProducer followed = [&](PageSink &out) {
        PrintingProgressWindow::Sink sink(progress, out);
        pages(sink);
    };
    const QString directory = printTarget().pdfOutputDirectory(printer != nullptr || systemHasPrinter());
    try {
        if (!directory.isEmpty()) {
            if (!QDir().mkpath(directory))
                throw ReportOutputError(chooseText(QStringLiteral("The folder %1 cannot be created."),
                                                   QStringLiteral("Le dossier %1 ne peut pas être créé.")).arg(directory));
            const QString path = nextNumberedPdfPath(directory, documentName);
            writePdf(path, documentName, followed);
            return path;
        }
        if (printer) {
            printOn(*printer, documentName, followed);
        } else {
            QPrinter systemPrinter(defaultPrinter(), QPrinter::HighResolution);
            printOn(systemPrinter, documentName, followed);
        }
    } catch (const ReportStopped &) {
        // Cancelled: the PDF file was never committed, the print job aborted.
    }
    return QString();
}

void writePdf(const QString &path, const QString &documentName, const PageProducer &pages)
{
    const auto failure = [&](const QString &why) {
        return ReportOutputError(chooseText(QStringLiteral("The file %1 cannot be written: %2"),
                                            QStringLiteral("Le fichier %1 ne peut pas être écrit : %2")).arg(path, why));
    };
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw failure(file.errorString());
    QPdfWriter writer(&file);
    writer.setPageSize(QPageSize(QPageSize::Letter));
    writer.setPageOrientation(QPageLayout::Portrait);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(600);
    writer.setTitle(documentName);
    writer.setCreator(QStringLiteral("Tillano"));
    PaintingPageSink sink(writer);
    pages(sink);
    if (!sink.finish())
        throw failure(file.errorString());
    if (!file.commit())
        throw failure(file.errorString());
}
