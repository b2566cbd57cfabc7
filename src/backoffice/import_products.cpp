#include "import_products.h"

#include "import_file.h"
#include "import_progress_window.h"
#include "product_import.h"

#include "common/language.h"
#include "widgets/dialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <memory>

namespace {

void cannotOpen(QWidget *parent, const QString &path, const QString &why)
{
    dialogs().message(parent, chooseText(QStringLiteral("The file %1 cannot be opened: %2"),
                                         QStringLiteral("Le fichier %1 ne peut pas être ouvert : %2"))
                                  .arg(QDir::toNativeSeparators(path), why));
}

}

void importProducts(TDataModule2 &dm, QWidget *parent)
{
    const QString path = dialogs().openFileName(
        parent, chooseText(QStringLiteral("Import products"), QStringLiteral("Importer des produits")));
    if (path.isEmpty())
        return;
    // A name that is not there is created empty: the import then reads nothing.
    QFile file(path);
    if (!file.exists() && !file.open(QIODevice::WriteOnly)) {
        cannotOpen(parent, path, file.errorString());
        return;
    }
    file.close();

    QByteArray bytes;
    QString error;
    if (!readImportFile(path, bytes, error)) {
        cannotOpen(parent, path, error);
        return;
    }
    ImportText text(std::move(bytes));
    std::unique_ptr<ImportProgressWindow> progress;
    if (text.lineCount() > ImportProgressWindow::LongImportLines)
        progress = std::make_unique<ImportProgressWindow>(text.lineCount(), parent);
    const ImportSummary summary = ProductImport(dm).run(text, [&](int line) {
        if (progress)
            progress->lineRead(line);
    });
    progress.reset(); // gone before the message, which it would hold back
    dialogs().message(parent, importSummaryText(summary, QFileInfo(path).fileName()));
}
