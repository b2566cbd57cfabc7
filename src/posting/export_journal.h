#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <stdexcept>

// The journal could not be written. The sale it belongs to stays posted;
// the message names the file and the system's reason.
class JournalWriteError : public std::runtime_error {
public:
    JournalWriteError(const QString &message, const QString &filePath)
        : std::runtime_error(message.toStdString()), message_(message), filePath_(filePath) {}
    const QString &message() const { return message_; }
    const QString &filePath() const { return filePath_; }

private:
    QString message_;
    QString filePath_;
};

// The export journal: a text file only ever appended to, UTF-8 with CRLF
// line ends, created when missing (readable by its owner only). By
// default "Exportjrnl" in the process's current working directory.
class ExportJournal {
public:
    static constexpr const char *FileName = "Exportjrnl";

    explicit ExportJournal(const QString &path = QLatin1String(FileName));

    // The bytes of one sale's records, each with its CRLF.
    static QByteArray saleBytes(const QStringList &records);

    // Appends the bytes of one sale, or what of them the journal does not
    // end with yet: a sale written just before the program stopped, and
    // before it could note so, is not written twice, and one cut short is
    // completed. One write, then a wait for the disk, so the journal holds
    // the whole sale or none of what was missing. Throws JournalWriteError.
    void appendOnce(const QByteArray &sale) const;

private:
    QString path_;
};
