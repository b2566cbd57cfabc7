#include "export_journal.h"

#include "common/language.h"
#include "common/message_text.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

[[noreturn]] void fail(const QString &path, const QString &reason)
{
    const QString file = QFileInfo(path).absoluteFilePath();
    throw JournalWriteError(chooseText(QStringLiteral("The export journal %1 could not be written: %2."),
                                       QStringLiteral("Le journal d'exportation %1 n'a pas pu être écrit : %2."))
                                .arg(shortenedForMessage(file), reason),
                            file);
}

// How much of a sale the journal ends with: none, a beginning (a write
// cut short), or all of it. A sale's first record holds its transaction
// number, so no other sale's records can pass for it.
qint64 alreadyWritten(QFile &journal, const QByteArray &sale)
{
    if (journal.isSequential())
        return 0;
    const qint64 size = journal.size();
    const qint64 n = qMin<qint64>(size, sale.size());
    if (n == 0 || !journal.seek(size - n))
        return 0;
    const QByteArray tail = journal.read(n);
    if (tail.isEmpty())
        return 0;
    // Only a beginning that ends with the journal's last byte can match.
    const char last = tail.back();
    for (qint64 k = tail.size(); k > 0; --k)
        if (sale[k - 1] == last && tail.endsWith(QByteArrayView(sale.constData(), k)))
            return k;
    return 0;
}

}

ExportJournal::ExportJournal(const QString &path) : path_(path) {}

QByteArray ExportJournal::saleBytes(const QStringList &records)
{
    QByteArray bytes;
    for (const QString &record : records)
        bytes += record.toUtf8() + "\r\n";
    return bytes;
}

void ExportJournal::appendOnce(const QByteArray &sale) const
{
    if (sale.isEmpty())
        return;
    QFile file(path_);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append, QFile::ReadOwner | QFile::WriteOwner))
        fail(path_, file.errorString());
    const QByteArray missing = sale.mid(alreadyWritten(file, sale));
    if (missing.isEmpty())
        return;
    const qint64 sizeBefore = file.isSequential() ? 0 : file.size();
    if (file.write(missing) != missing.size() || !file.flush()) {
        const QString reason = file.errorString();
        if (!file.isSequential())
            file.resize(sizeBefore); // take a partly written sale back out
        fail(path_, reason);
    }
    if (::fsync(file.handle()) != 0)
        fail(path_, QString::fromLocal8Bit(std::strerror(errno)));
}
