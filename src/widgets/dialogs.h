#pragma once

#include <QString>
#include <QUrl>

class QDialog;
class QWidget;

// Every message box, Yes/No question, modal window, open-file dialog and
// shell call of the program goes through this seam. The program uses the
// Qt implementation; tests install a scripted one that records what was
// shown and answers it, so every flow runs headless.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A message with an OK button.
    virtual void message(QWidget *parent, const QString &text) = 0;
    // The button of a question that Enter presses.
    enum class EnterMeans { Yes, No };
    // A confirmation with Yes and No; true for Yes. A question whose Yes
    // must be meant (a quantity that may be a scanned code) takes No on
    // Enter.
    virtual bool question(QWidget *parent, const QString &text, EnterMeans enter = EnterMeans::Yes) = 0;
    // Shows a window modally; returns its result (QDialog::Accepted ...).
    virtual int exec(QDialog &dialog) = 0;
    // The standard open-file dialog; empty when cancelled.
    virtual QString openFileName(QWidget *parent, const QString &caption) = 0;
    // The standard save-file dialog ("PDF files (*.pdf);;..."); empty when cancelled.
    virtual QString saveFileName(QWidget *parent, const QString &caption, const QString &filter) = 0;
    // Opens a document or a mailto: link with its default handler.
    virtual void openUrl(const QUrl &url) = 0;
    // The refusal beep of entry fields.
    virtual void beep() = 0;
};

// The seam in use; setDialogs(nullptr) goes back to the Qt implementation.
Dialogs &dialogs();
void setDialogs(Dialogs *replacement);

class QtDialogs : public Dialogs {
public:
    void message(QWidget *parent, const QString &text) override;
    bool question(QWidget *parent, const QString &text, EnterMeans enter = EnterMeans::Yes) override;
    int exec(QDialog &dialog) override;
    QString openFileName(QWidget *parent, const QString &caption) override;
    QString saveFileName(QWidget *parent, const QString &caption, const QString &filter) override;
    void openUrl(const QUrl &url) override;
    void beep() override;
};
