#pragma once

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
// line ends, created when missing. By default "Exportjrnl" in the
// process's current working directory.
class ExportJournal {
public:
    static constexpr const char *FileName = "Exportjrnl";

    explicit ExportJournal(const QString &path = QLatin1String(FileName));

    // Appends the records of one sale in a single write and waits for the
    // disk, so the journal holds the whole sale or none of it. Throws
    // JournalWriteError.
    void append(const QStringList &records);

private:
    QString path_;
};
