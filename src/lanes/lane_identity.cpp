#include "lane_identity.h"

#include "lane_tables.h"

#include "common/clock.h"
#include "store/database.h"
#include "store/sqlite_statement.h"

#include <QSysInfo>
#include <QUuid>

std::optional<LaneIdentity> LaneIdentity::read(Database &db)
{
    if (!LaneTables::present(db))
        return std::nullopt;
    SqliteStatement st(db.handle(), QStringLiteral("SELECT \"Lane_key\", \"Lane_store\", \"Lane_terminal\", "
                                                   "\"Lane_machine\" FROM \"lane_identity\" LIMIT 1"));
    st.start();
    if (!st.step())
        return std::nullopt;
    return LaneIdentity{st.text(0), int(st.integer(1)), int(st.integer(2)), st.text(3)};
}

void LaneIdentity::write(Database &db) const
{
    db.beforeWrite();
    executeSql(db.handle(), QStringLiteral("DELETE FROM \"lane_identity\""));
    SqliteStatement(db.handle(), QStringLiteral("INSERT INTO \"lane_identity\" (\"Lane_key\", \"Lane_store\", "
                                                "\"Lane_terminal\", \"Lane_machine\", \"Lane_registered_at\") "
                                                "VALUES (?, ?, ?, ?, ?)"))
        .run({key, store, terminal, machine, Clock::now().toString(Qt::ISODate)});
}

QString LaneIdentity::newKey()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

QString LaneIdentity::thisMachine()
{
    const QByteArray stand = qgetenv("TILLANO_MACHINE_ID");
    if (!stand.isEmpty())
        return QString::fromUtf8(stand);
    const QByteArray id = QSysInfo::machineUniqueId();
    return id.isEmpty() ? QSysInfo::machineHostName() : QString::fromLatin1(id);
}
