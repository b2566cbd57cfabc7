#include "export_journal.h"

#include "common/language.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

[[noreturn]] void fail(const QString &path, const QString &reason)
{
    const QString file = QFileInfo(path).absoluteFilePath();
    throw JournalWriteError(
        chooseText(QStringLiteral("The sale is posted, but the export journal %1 could not be written: %2"),
                   QStringLiteral("La vente est enregistrée, mais le journal d'exportation %1 n'a pas pu être écrit : %2"))
            .arg(file, reason),
        file);
}

}

ExportJournal::ExportJournal(const QString &path) : path_(path) {}

void ExportJournal::append(const QStringList &records)
{
    if (records.isEmpty())
        return;
    QByteArray bytes;
    for (const QString &record : records)
        bytes += record.toUtf8() + "\r\n";

    QFile file(path_);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        fail(path_, file.errorString());
    const qint64 sizeBefore = file.isSequential() ? 0 : file.size();
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        if (!file.isSequential())
            file.resize(sizeBefore); // take a partly written sale back out
        fail(path_, reason);
    }
    if (::fsync(file.handle()) != 0)
        fail(path_, QString::fromLocal8Bit(std::strerror(errno)));
}
