#pragma once

#include <QElapsedTimer>
#include <QProgressDialog>

// The window that counts the lines of a long import as they are read, and
// again as they are written; a file of up to LongImportLines lines is done
// before it would be seen.
// The import cannot be stopped half-way, so the window has no Cancel and
// Escape does not close it.
class ImportProgressWindow : public QProgressDialog {
    Q_OBJECT
public:
    static constexpr int LongImportLines = 20000;

    enum class Step { Reading, Writing };

    // Shows itself at once.
    ImportProgressWindow(Step step, int lineCount, QWidget *parent);
    void lineRead(int lineNumber);

protected:
    void reject() override {}
    void closeEvent(QCloseEvent *event) override;

private:
    QString label_;
    QElapsedTimer sinceRefresh_;
};
