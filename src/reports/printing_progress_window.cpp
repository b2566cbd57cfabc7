#include "printing_progress_window.h"

#include "common/language.h"

#include <QApplication>

namespace {
// How often a long run lets the window answer the user.
constexpr int EventsEveryMs = 50;
}

PrintingProgressWindow::PrintingProgressWindow(const QString &documentName, QWidget *parent)
    : QProgressDialog(parent ? parent : QApplication::activeWindow())
{
    setWindowTitle(QStringLiteral("Printing progress"));
    setWindowModality(Qt::ApplicationModal);
    setCancelButtonText(chooseText(QStringLiteral("Cancel"), QStringLiteral("Annuler")));
    setRange(0, 0); // until the run says how many records it has
    setMinimumDuration(0);
    setAutoClose(false);
    setAutoReset(false);
    setLabelText(documentName);
    setMinimumWidth(320);
    show();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    sinceEvents_.start();
}

void PrintingProgressWindow::pageSent(int pageNumber)
{
    pagesSent_ = pageNumber;
    answerNowAndThen();
}

void PrintingProgressWindow::recordDone(int done, int total)
{
    recordsDone_ = done;
    recordsTotal_ = total;
    answerNowAndThen();
}

void PrintingProgressWindow::answerNowAndThen()
{
    if (sinceEvents_.elapsed() < EventsEveryMs)
        return;
    if (pagesSent_ > 0)
        setLabelText(chooseText(QStringLiteral("Page %1 sent"), QStringLiteral("Page %1 envoyée")).arg(pagesSent_));
    if (recordsTotal_ > 0) {
        setMaximum(recordsTotal_);
        setValue(qMin(recordsDone_, recordsTotal_));
    }
    QApplication::processEvents();
    sinceEvents_.restart();
}

void PrintingProgressWindow::Sink::addPage(const LaidOutPage &page)
{
    out_.addPage(page);
    window_.pageSent(page.number);
    if (window_.wasCanceled())
        throw ReportStopped();
}

void PrintingProgressWindow::Sink::recordDone(int done, int total)
{
    window_.recordDone(done, total);
    if (window_.wasCanceled())
        throw ReportStopped();
}
