#include "import_progress_window.h"

#include "common/language.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLocale>

namespace {
// How often the window follows the count and answers the system.
constexpr int RefreshEveryMs = 50;
}

ImportProgressWindow::ImportProgressWindow(Step step, int lineCount, QWidget *parent)
    : QProgressDialog(parent),
      label_(step == Step::Reading
                 ? chooseText(QStringLiteral("Reading line %1 of %2"), QStringLiteral("Lecture de la ligne %1 sur %2"))
                 : chooseText(QStringLiteral("Importing line %1 of %2"),
                              QStringLiteral("Importation de la ligne %1 sur %2")))
{
    setObjectName(QStringLiteral("ImportProgressWindow"));
    setWindowTitle(chooseText(QStringLiteral("Import products"), QStringLiteral("Importer des produits")));
    setWindowModality(Qt::ApplicationModal);
    setCancelButton(nullptr);
    setAutoClose(false);
    setAutoReset(false);
    setMinimumWidth(320);
    setRange(0, lineCount);
    lineRead(0);
    show(); // now, not after the dialog's own delay
}

void ImportProgressWindow::lineRead(int lineNumber)
{
    if (sinceRefresh_.isValid() && sinceRefresh_.elapsed() < RefreshEveryMs && lineNumber < maximum())
        return;
    setLabelText(label_.arg(QLocale().toString(lineNumber), QLocale().toString(maximum())));
    setValue(lineNumber);
    QApplication::processEvents();
    sinceRefresh_.start();
}

void ImportProgressWindow::closeEvent(QCloseEvent *event)
{
    event->ignore();
}
