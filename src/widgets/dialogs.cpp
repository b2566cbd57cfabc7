#include "dialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace {
Dialogs *&current()
{
    static Dialogs *replacement = nullptr;
    return replacement;
}

const QString Title = QStringLiteral("Tillano");
}

Dialogs &dialogs()
{
    static QtDialogs qtDialogs;
    return current() ? *current() : qtDialogs;
}

void setDialogs(Dialogs *replacement)
{
    current() = replacement;
}

void QtDialogs::message(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Information, Title, text, QMessageBox::Ok, parent);
    // The text can be selected and copied: an import summary or an error
    // message is passed on or kept while the file is mended.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    box.exec();
}

bool QtDialogs::question(QWidget *parent, const QString &text, EnterMeans enter)
{
    const auto onEnter = enter == EnterMeans::No ? QMessageBox::No : QMessageBox::Yes;
    return QMessageBox::question(parent, Title, text, QMessageBox::Yes | QMessageBox::No, onEnter) == QMessageBox::Yes;
}

int QtDialogs::exec(QDialog &dialog)
{
    return dialog.exec();
}

QString QtDialogs::openFileName(QWidget *parent, const QString &caption)
{
    return QFileDialog::getOpenFileName(parent, caption);
}

QString QtDialogs::saveFileName(QWidget *parent, const QString &caption, const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, caption, QString(), filter);
}

void QtDialogs::openUrl(const QUrl &url)
{
    QDesktopServices::openUrl(url);
}

void QtDialogs::beep()
{
    QApplication::beep();
}
