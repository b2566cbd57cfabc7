#pragma once

#include <QStringList>

class ServerConnection;

// Creates the schema tillano on the server database, or upgrades it: the
// upgrades not applied yet run in order, all in one transaction with the
// lane role's rights, so that running it twice changes nothing. Creates
// the role tillano_lane (no login, no superuser) when missing. Returns
// what it did, one line each. Throws ServerError.
QStringList initServer(ServerConnection &server);

// The schema version the program's upgrades lead to.
int latestSchemaVersion();
