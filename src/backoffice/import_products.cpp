#include "import_products.h"

#include "import_file.h"
#include "import_progress_window.h"
#include "product_file.h"
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

// Runs one step of a long import under its progress window, which is
// gone before the next message (it would hold it back).
template <class Work>
auto withProgress(ImportProgressWindow::Step step, int lineCount, QWidget *parent, Work work)
{
    std::unique_ptr<ImportProgressWindow> window;
    if (lineCount > ImportProgressWindow::LongImportLines)
        window = std::make_unique<ImportProgressWindow>(step, lineCount, parent);
    return work([&](int line) {
        if (window)
            window->lineRead(line);
    });
}

}

void importProducts(TDataModule2 &dm, QWidget *parent)
{
    const QString path = dialogs().openFileName(
        parent, chooseText(QStringLiteral("Import products"), QStringLiteral("Importer des produits")));
    if (path.isEmpty())
        return;
    // A name that is not there is created empty: the import then reads nothing.
    QFile created(path);
    if (!created.exists() && !created.open(QIODevice::WriteOnly)) {
        cannotOpen(parent, path, created.errorString());
        return;
    }
    created.close();

    QByteArray bytes;
    QString error;
    if (!readImportFile(path, bytes, error)) {
        cannotOpen(parent, path, error);
        return;
    }
    // The whole file is read before anything is written.
    const QString name = QFileInfo(path).fileName();
    ImportText text(std::move(bytes));
    const ProductFile file = withProgress(ImportProgressWindow::Step::Reading, text.lineCount(), parent,
                                          [&](const auto &progress) { return readProductFile(text, progress); });
    if (file.refused()) {
        dialogs().message(parent, controlCharacterText(file.controlCharacter.lineNumber,
                                                       file.controlCharacter.code, name));
        return;
    }
    if (file.summary.skipped > 0 && !file.products.isEmpty()
        && !dialogs().question(parent, skippedLinesQuestion(file.summary, name, int(file.products.size()))))
        return;
    const ImportSummary summary = withProgress(ImportProgressWindow::Step::Writing, text.lineCount(), parent,
                                               [&](const auto &progress) { return ProductImport(dm).write(file, progress); });
    dialogs().message(parent, importSummaryText(summary, name));
}
