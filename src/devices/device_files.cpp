#include "device_files.h"

#include "common/language.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <pwd.h>
#include <unistd.h>

namespace {

QStringList entries(const QString &directory, const QStringList &patterns)
{
    QStringList paths;
    const QDir dir(directory);
    // Device files, and the links to them under /dev/serial.
    for (const QString &name : dir.entryList(patterns, QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name))
        paths.append(dir.filePath(name));
    return paths;
}

// A serial port with no chip behind it reads as type 0 (unknown).
bool hasSerialChip(const QString &root, const QString &name)
{
    QFile type(QDir(root).filePath(QStringLiteral("sys/class/tty/%1/type").arg(name)));
    return type.open(QIODevice::ReadOnly) && type.readAll().trimmed() != "0";
}

QString userName()
{
    const passwd *user = ::getpwuid(::geteuid());
    return user ? QString::fromLocal8Bit(user->pw_name) : qEnvironmentVariable("USER");
}

}

QStringList devicePortsPresent(const QString &root)
{
    const QDir dev(QDir(root).filePath(QStringLiteral("dev")));
    QStringList ports = entries(dev.filePath(QStringLiteral("usb")), {QStringLiteral("lp*")});
    ports += entries(dev.path(), {QStringLiteral("ttyUSB*"), QStringLiteral("ttyACM*")});
    ports += entries(dev.filePath(QStringLiteral("serial/by-id")), {QStringLiteral("*")});
    for (const QString &path : entries(dev.path(), {QStringLiteral("ttyS*")}))
        if (hasSerialChip(root, QFileInfo(path).fileName()))
            ports.append(path);
    ports.removeDuplicates();
    return ports;
}

QString deviceAccessAdvice(const QString &path)
{
    const QFileInfo file(path);
    if (!file.exists() || ::access(QFile::encodeName(path).constData(), W_OK) == 0)
        return QString();
    const QString user = userName();
    const QString group = file.group().isEmpty() ? QStringLiteral("lp") : file.group();
    return chooseText(QStringLiteral("The user %1 may not write to %2, which belongs to the group %3. Add the user to "
                                     "that group (sudo adduser %1 %3), then log out of the desktop and in again."),
                      QStringLiteral("L'utilisateur %1 ne peut pas écrire sur %2, qui appartient au groupe %3. "
                                     "Ajoutez l'utilisateur à ce groupe (sudo adduser %1 %3), puis fermez la "
                                     "session du bureau et ouvrez-la à nouveau."))
        .arg(user, path, group);
}
