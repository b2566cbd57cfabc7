#pragma once

#include <QString>

struct SetupOptions {
    QString directory;
    QString settingsPath;
    QString language = QStringLiteral("0");
    bool demo = false;
    // The directory already holds its database: only the settings are
    // written, as for a new one (a lost settings file, a moved directory).
    bool existing = false;
    int managerCode = 1; // without demo: the code of the one manager cashier
    // Without demo: the manager's PIN, which turns secret codes on; empty
    // leaves them off. Kept only as its hash.
    QString managerPin;
    // A lane of a store server: its connection string, store and terminal
    // (lane_setup.h); replace lets the database take over a lane that
    // another database holds on the server.
    QString server;
    int store = 0;
    int terminal = 0;
    bool replace = false;
};

// Prepares a data directory: creates it when needed with posdb.sqlite3 and
// the ten tables, and names it in the settings file (Data, Language).
// Without demo it creates one manager cashier, "Manager", with the manager
// code, so that a real shop can be entered and set up in the back office,
// and with a manager PIN, requires secret codes from the start.
// With demo it fills in the demo shop instead (French texts unless the
// language is "0") and writes simulated device sections whose output files
// lie in the directory. Refuses to touch an existing database; with
// existing set it requires one and leaves it as it is. Returns an empty
// string on success, else the reason. With a server the directory is
// prepared as a lane (lane_setup.h) and written in the settings' Store
// section; a new database the server refuses is removed again. What the
// lane set-up did goes to `lane`.
struct LaneSetupResult;
QString prepareDataDirectory(const SetupOptions &options, LaneSetupResult *lane = nullptr);
