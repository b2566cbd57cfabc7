#pragma once

#include "reports/laid_out_page.h"

#include <QString>
#include <functional>
#include <stdexcept>

class QPrinter;

// A report that could not be printed or written; its text is for the user.
class ReportOutputError : public std::runtime_error {
public:
    explicit ReportOutputError(const QString &message) : std::runtime_error(message.toStdString()) {}
};

// Hands the pages of a document, one by one, to the sink it is given.
using PageProducer = std::function<void(PageSink &)>;

// True when the system offers a printer to print on.
bool systemHasPrinter();

// Prints a document while the modal "Printing progress" window is shown:
// as a numbered PDF file when the print target asks for one (see
// print_target.h), else on `printer` when the user chose one in the
// preview, else on the system's default printer. Returns the path of the
// PDF file, or empty when it went to a printer or the user cancelled it.
// Throws ReportOutputError.
QString printDocument(const QString &documentName, const PageProducer &pages, QPrinter *printer = nullptr);

// Writes a document as a PDF file, replacing it only once it is complete
// (a run ended by an exception leaves no file). Throws ReportOutputError.
void writePdf(const QString &path, const QString &documentName, const PageProducer &pages);
