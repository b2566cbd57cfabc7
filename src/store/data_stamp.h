#pragma once

#include <QtGlobal>

class Database;

// Where a database's data stands, for a view that reads again only after
// a change: the writes through this connection (uncommitted ones too) and
// the commits of other connections.
struct DataStamp {
    quint64 writes = 0;
    qint64 changes = 0;
    qint64 commits = -1;
    bool operator==(const DataStamp &) const = default;
};

// The stamp of the data as it stands now, another program's last commit
// included (one small read); an empty stamp for a closed database.
DataStamp dataStamp(Database &db);
