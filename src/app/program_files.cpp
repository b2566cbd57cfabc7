#include "program_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

ProgramFiles::ProgramFiles(QStringList shareDirectories) : shareDirectories_(std::move(shareDirectories)) {}

ProgramFiles ProgramFiles::ofThisProgram()
{
    // The binary's own place, not a path fixed at build time, so that the
    // installed program never reads the tree it was built from.
    return ProgramFiles({QDir::cleanPath(QCoreApplication::applicationDirPath() + QLatin1Char('/')
                                         + QStringLiteral(TILLANO_SHARE_FROM_BIN))});
}

QString ProgramFiles::find(const QString &name) const
{
    const QString inWorkingDirectory = QDir::current().absoluteFilePath(name);
    if (QFileInfo::exists(inWorkingDirectory))
        return inWorkingDirectory;
    for (const QString &directory : shareDirectories_) {
        const QString path = QDir(directory).absoluteFilePath(name);
        if (QFileInfo::exists(path))
            return path;
    }
    return inWorkingDirectory;
}
