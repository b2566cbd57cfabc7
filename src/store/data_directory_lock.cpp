#include "data_directory_lock.h"

#include "common/language.h"
#include "common/message_text.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

DataDirectoryLock::DataDirectoryLock(const QString &directory)
{
    const QByteArray path = QFile::encodeName(QDir(directory).filePath(QLatin1String(FileName)));
    // Close-on-exec: a program the till starts must not keep the lock
    // after the till is gone.
    fd_ = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ < 0) {
        error_ = QString::fromLocal8Bit(std::strerror(errno));
        return;
    }
    if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
        state_ = State::Held;
        return;
    }
    const int error = errno;
    ::close(fd_);
    fd_ = -1;
    if (error == EWOULDBLOCK)
        state_ = State::HeldElsewhere;
    else
        error_ = QString::fromLocal8Bit(std::strerror(error));
}

DataDirectoryLock::~DataDirectoryLock()
{
    // The file stays: removing it would let a program that opened it just
    // before lock a file no other program can find any more.
    if (fd_ >= 0)
        ::close(fd_);
}

QString DataDirectoryLock::heldElsewhereText(const QString &directory)
{
    return chooseText(QStringLiteral("Tillano is already running on the data directory %1. Use the Tillano "
                                     "that is open: only one program at a time may work on a shop's data."),
                      QStringLiteral("Tillano fonctionne déjà sur le répertoire de données %1. Utilisez le "
                                     "Tillano ouvert : un seul programme à la fois peut travailler sur les données "
                                     "d'un magasin."))
        .arg(shortenedForMessage(QDir::toNativeSeparators(directory)));
}
