#include "printing_progress_window.h"

#include "common/language.h"

#include <QApplication>

PrintingProgressWindow::PrintingProgressWindow(const QString &documentName, QWidget *parent)
    : QProgressDialog(parent ? parent : QApplication::activeWindow())
{
    setWindowTitle(QStringLiteral("Printing progress"));
    setWindowModality(Qt::ApplicationModal);
    setCancelButton(nullptr);
    setRange(0, 0); // the page count is known only at the end
    setMinimumDuration(0);
    setAutoClose(false);
    setAutoReset(false);
    setLabelText(documentName);
    show();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void PrintingProgressWindow::pageSent(int pageNumber)
{
    setLabelText(chooseText(QStringLiteral("Page %1 sent"), QStringLiteral("Page %1 envoyée")).arg(pageNumber));
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
