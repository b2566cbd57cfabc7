#include "printed_dialogs.h"

#include <QDialog>
#include <cstdio>

namespace {
void print(const QString &line)
{
    std::fputs((line + QLatin1Char('\n')).toUtf8().constData(), stdout);
    std::fflush(stdout);
}
}

void PrintedDialogs::message(QWidget *, const QString &text)
{
    print(QStringLiteral("message: ") + text);
}

bool PrintedDialogs::question(QWidget *, const QString &text, EnterMeans)
{
    print(QStringLiteral("question: ") + text);
    return false;
}

int PrintedDialogs::exec(QDialog &dialog)
{
    QString line = QStringLiteral("window: %1 \"%2\"").arg(QLatin1String(dialog.metaObject()->className()),
                                                           dialog.windowTitle());
    if (!dialog.windowFilePath().isEmpty())
        line += QLatin1Char(' ') + dialog.windowFilePath();
    print(line);
    return QDialog::Rejected;
}
