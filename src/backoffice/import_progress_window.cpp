#include "import_progress_window.h"

#include "common/language.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLocale>

namespace {
// How often the window follows the count and answers the system.
constexpr int RefreshEveryMs = 50;
}

ImportProgressWindow::ImportProgressWindow(int lineCount, QWidget *parent) : QProgressDialog(parent)
{
    setObjectName(QStringLiteral("ImportProgressWindow"));
    setWindowTitle(chooseText(QStringLiteral("Import products"), QStringLiteral("Importer des produits")));
    setWindowModality(Qt::ApplicationModal);
    setCancelButton(nullptr);
    setAutoClose(false);
    setAutoReset(false);
    setMinimumDuration(0);
    setMinimumWidth(320);
    setRange(0, lineCount);
    if (lineCount <= LongImportLines)
        return;
    shown_ = true;
    lineRead(0);
    show();
    QApplication::processEvents();
    sinceShown_.start();
}

void ImportProgressWindow::lineRead(int lineNumber)
{
    if (!shown_ || (sinceShown_.isValid() && sinceShown_.elapsed() < RefreshEveryMs && lineNumber < maximum()))
        return;
    setLabelText(chooseText(QStringLiteral("Line %1 of %2"), QStringLiteral("Ligne %1 sur %2"))
                     .arg(QLocale().toString(lineNumber), QLocale().toString(maximum())));
    setValue(lineNumber);
    QApplication::processEvents();
    sinceShown_.restart();
}

void ImportProgressWindow::closeEvent(QCloseEvent *event)
{
    event->ignore();
}
