#include "schema_upgrade.h"

#include "lanes/server_connection.h"

#include <QDir>
#include <QFile>

namespace {

const QString LaneRole = QStringLiteral("tillano_lane");

// The upgrades, /schema/NNN_what.sql, in version order.
QStringList upgradeFiles()
{
    QStringList files = QDir(QStringLiteral(":/schema")).entryList({QStringLiteral("[0-9][0-9][0-9]_*.sql")},
                                                                   QDir::Files, QDir::Name);
    return files;
}

QString text(const QString &resource)
{
    QFile f(QStringLiteral(":/schema/") + resource);
    f.open(QIODevice::ReadOnly);
    return QString::fromUtf8(f.readAll());
}

int versionOf(const QString &file)
{
    return file.left(3).toInt();
}

}

int latestSchemaVersion()
{
    const QStringList files = upgradeFiles();
    return files.isEmpty() ? 0 : versionOf(files.last());
}

QStringList initServer(ServerConnection &server)
{
    QStringList done;
    server.begin();
    try {
        // Two inits at once take turns.
        server.query(QStringLiteral("SELECT pg_advisory_xact_lock(hashtext('tillano-server init'))"));
        if (server.query(QStringLiteral("SELECT 1 FROM pg_roles WHERE rolname = ?"), {LaneRole}).isEmpty()) {
            try {
                server.execute(QStringLiteral("CREATE ROLE tillano_lane NOLOGIN"));
            } catch (const ServerError &e) {
                throw ServerError(QStringLiteral("Cannot create the role tillano_lane (%1). Have the PostgreSQL "
                                                 "administrator run: CREATE ROLE tillano_lane NOLOGIN;")
                                      .arg(e.message()));
            }
            done << QStringLiteral("Role tillano_lane created: each lane logs in with a role that is a member of it.");
        }
        const bool present = !server.query(QStringLiteral("SELECT 1 FROM pg_tables WHERE schemaname = 'tillano' "
                                                          "AND tablename = 'schema_version'"))
                                  .isEmpty();
        const int current =
            present ? server.query(QStringLiteral("SELECT coalesce(max(version), 0) FROM tillano.schema_version"))
                          .first()
                          .value(0)
                          .toInt()
                    : 0;
        if (current > latestSchemaVersion())
            throw ServerError(QStringLiteral("The schema tillano is at version %1, newer than this tillano-server "
                                             "knows (%2): use the newer program.")
                                  .arg(current)
                                  .arg(latestSchemaVersion()));
        for (const QString &file : upgradeFiles()) {
            const int version = versionOf(file);
            if (version <= current)
                continue;
            server.execute(text(file));
            server.query(QStringLiteral("INSERT INTO tillano.schema_version (version) VALUES (?)"), {version});
            done << (version == 1 ? QStringLiteral("Schema tillano created (version 1).")
                                  : QStringLiteral("Schema tillano upgraded to version %1.").arg(version));
        }
        server.execute(text(QStringLiteral("lane_rights.sql")));
        server.commit();
        if (done.isEmpty())
            done << QStringLiteral("Schema tillano is up to date (version %1); nothing changed.").arg(current);
    } catch (...) {
        server.rollback();
        throw;
    }
    return done;
}
