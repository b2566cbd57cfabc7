#pragma once

#include <QString>

// Looks at a data directory's database before the program opens it for
// writing, through a read-only connection of its own, so that nothing is
// ever written to a file that is refused (a zero-byte file stays zero
// bytes). Throws StoreError naming the file, the problem and what to do
// when the file is missing, may not be read or written, is not an SQLite
// database or is damaged, or lacks one of the ten tables, one of their
// columns or the single record of control or fin.
void checkDatabase(const QString &databaseFile);
