#pragma once

#include <QString>
#include <QStringList>

// The files that come with the program: the tips and the help page. Each is
// looked for in the working directory first, so that a shop may keep its
// own, then in the program's share directory: /usr/share/tillano beside
// /usr/bin/tillano when installed; in a build, build/share/tillano, which
// is a link to the source tree's data/.
class ProgramFiles {
public:
    explicit ProgramFiles(QStringList shareDirectories);

    // The share directory of the running program's installation or build.
    static ProgramFiles ofThisProgram();

    // The absolute path of the first file of that relative name; the one
    // in the working directory when there is none.
    QString find(const QString &name) const;

private:
    QStringList shareDirectories_;
};
