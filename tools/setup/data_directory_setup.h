#pragma once

#include <QString>

struct SetupOptions {
    QString directory;
    QString settingsPath;
    QString language = QStringLiteral("0");
    bool demo = false;
};

// Prepares a data directory: creates it when needed with posdb.sqlite3 and
// the ten tables, and names it in the settings file (Data, Language).
// With demo set it also fills in the demo shop and writes simulated device
// sections whose output files lie in the directory. Refuses to touch an
// existing database. Returns an empty string on success, else the reason.
QString prepareDataDirectory(const SetupOptions &options);
