#include "scripted_dialogs.h"

#include <QApplication>
#include <QDialog>

ScriptedDialogs::ScriptedDialogs()
{
    setDialogs(this);
}

ScriptedDialogs::~ScriptedDialogs()
{
    setDialogs(nullptr);
}

void ScriptedDialogs::answerQuestions(std::initializer_list<bool> answers)
{
    for (bool a : answers)
        answers_.enqueue(a);
}

void ScriptedDialogs::onModal(const QString &className, ModalHandler handler)
{
    modal_[className] = std::move(handler);
}

void ScriptedDialogs::onModalOnce(const QString &className, ModalHandler handler)
{
    once_[className].append(std::move(handler));
}

QStringList ScriptedDialogs::withPrefix(const QString &prefix) const
{
    QStringList result;
    for (const QString &entry : log)
        if (entry.startsWith(prefix))
            result.append(entry.mid(prefix.size()));
    return result;
}

QStringList ScriptedDialogs::messages() const { return withPrefix(QStringLiteral("message: ")); }
QStringList ScriptedDialogs::questions() const { return withPrefix(QStringLiteral("question: ")); }
int ScriptedDialogs::beeps() const { return int(log.count(QStringLiteral("beep"))); }

void ScriptedDialogs::message(QWidget *, const QString &text)
{
    log.append(QStringLiteral("message: ") + text);
}

bool ScriptedDialogs::question(QWidget *, const QString &text, EnterMeans enter)
{
    log.append(QStringLiteral("question: ") + text
               + (enter == EnterMeans::No ? QStringLiteral(" (Enter: No)") : QString()));
    if (!answers_.isEmpty())
        return answers_.dequeue();
    return questionHandler_ && questionHandler_(text);
}

int ScriptedDialogs::exec(QDialog &dialog)
{
    const QString className = QString::fromLatin1(dialog.metaObject()->className());
    log.append(QStringLiteral("exec: ") + className);
    ModalHandler handler;
    if (!once_.value(className).isEmpty())
        handler = once_[className].takeFirst();
    else
        handler = modal_.value(className);
    if (!handler)
        return QDialog::Rejected;
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    dialog.activateWindow();
    QApplication::processEvents();
    const int own = handler(dialog);
    const int result = own >= 0 ? own : dialog.result();
    dialog.hide();
    return result;
}

QString ScriptedDialogs::openFileName(QWidget *, const QString &caption)
{
    log.append(QStringLiteral("open-file: ") + caption);
    return fileName_;
}

QString ScriptedDialogs::saveFileName(QWidget *, const QString &caption, const QString &)
{
    log.append(QStringLiteral("save-file: ") + caption);
    return saveFileName_;
}

void ScriptedDialogs::openUrl(const QUrl &url)
{
    log.append(QStringLiteral("url: ") + url.toString());
}

void ScriptedDialogs::beep()
{
    log.append(QStringLiteral("beep"));
}
