#pragma once

#include <QByteArray>
#include <QString>

// A file's bytes, or `ifMissing` when it cannot be read: by default a text
// no file of these tests holds, so a missing file never passes for an
// empty one.
QByteArray fileBytes(const QString &path, const QByteArray &ifMissing = QByteArrayLiteral("<missing>"));

// Writes a file whole, its folder made first, and returns its path. A test
// cannot go on without it.
QString writeFileBytes(const QString &path, const QByteArray &bytes);

// The permission bits of a file or directory (0600, 0755 ...).
int fileMode(const QString &path);
