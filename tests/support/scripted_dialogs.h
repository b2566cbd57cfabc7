#pragma once

#include "widgets/dialogs.h"

#include <QHash>
#include <QList>
#include <QQueue>
#include <QStringList>
#include <functional>

// The test double of the Dialogs seam: records everything shown and
// answers from a script. Installed for its lifetime.
class ScriptedDialogs : public Dialogs {
public:
    // Drives a modal window shown with exec(): it is shown (not modal),
    // the handler types into it, and its result() is returned unless the
    // handler returns a result of its own (>= 0).
    using ModalHandler = std::function<int(QDialog &)>;

    ScriptedDialogs();
    ~ScriptedDialogs() override;

    // Answers to the next questions, in order; unscripted questions get No.
    void answerQuestions(std::initializer_list<bool> answers);
    // Answers the questions that no queued answer is left for, from now on.
    void onQuestion(std::function<bool(const QString &text)> answer) { questionHandler_ = std::move(answer); }
    // Handles every exec() of a window class ("TForm8") from now on,
    // replacing the handler set before.
    void onModal(const QString &className, ModalHandler handler);
    // Handles only the next exec() of the class; one-shot handlers queue up
    // and go before the lasting one.
    void onModalOnce(const QString &className, ModalHandler handler);
    void setOpenFileName(const QString &path) { fileName_ = path; }
    void setSaveFileName(const QString &path) { saveFileName_ = path; }

    // What was shown, in order: "message: text", "question: text" (a
    // question that takes No on Enter: "question: text (Enter: No)"),
    // "exec: TForm8", "open-file: caption", "save-file: caption", "url: ...",
    // "beep".
    QStringList log;
    QStringList messages() const;
    QStringList questions() const;
    int beeps() const;

    void message(QWidget *parent, const QString &text) override;
    bool question(QWidget *parent, const QString &text, EnterMeans enter = EnterMeans::Yes) override;
    int exec(QDialog &dialog) override;
    QString openFileName(QWidget *parent, const QString &caption) override;
    QString saveFileName(QWidget *parent, const QString &caption, const QString &filter) override;
    void openUrl(const QUrl &url) override;
    void beep() override;

private:
    QStringList withPrefix(const QString &prefix) const;
    QQueue<bool> answers_;
    std::function<bool(const QString &)> questionHandler_;
    QHash<QString, ModalHandler> modal_;
    QHash<QString, QList<ModalHandler>> once_;
    QString fileName_;
    QString saveFileName_;
};
