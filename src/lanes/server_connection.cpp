#include "server_connection.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <libpq-fe.h>

namespace {

int connectionCounter = 0;

ServerError errorOf(const QSqlError &e)
{
    const QString text = e.databaseText().isEmpty() ? e.driverText() : e.databaseText();
    return ServerError(serverMessage(text), e.nativeErrorCode() == QLatin1String(ServerConnection::RefusedState));
}

// A value of a libpq connection string, quoted as libpq reads it.
QString quoted(const QString &value)
{
    QString v = value;
    v.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QLatin1Char('\'') + v + QLatin1Char('\'');
}

}

QString serverMessage(const QString &text)
{
    QString line = text.section(QLatin1Char('\n'), 0, 0).trimmed();
    for (const char *prefix : {"ERROR:", "FATAL:"})
        if (line.startsWith(QLatin1String(prefix)))
            line = line.mid(int(qstrlen(prefix))).trimmed();
    // QPSQL appends the SQLSTATE in brackets.
    static const QRegularExpression state(QStringLiteral("\\s*\\([0-9A-Z]{5}\\)$"));
    line.remove(state);
    return line.isEmpty() ? text.trimmed() : line;
}

ServerConnection::ServerConnection(const QString &conninfo, int connectTimeout)
    : conninfo_(conninfo), connectTimeout_(connectTimeout), name_(QStringLiteral("store-server-%1").arg(++connectionCounter))
{
}

ServerConnection::~ServerConnection()
{
    close();
}

void ServerConnection::open()
{
    close();
    // QPSQL builds its own connection string from separate values: the
    // given string is parsed the way libpq parses it and handed over.
    char *problem = nullptr;
    PQconninfoOption *options = PQconninfoParse(conninfo_.toUtf8().constData(), &problem);
    if (!options) {
        const QString why = problem ? QString::fromUtf8(problem).trimmed() : QStringLiteral("out of memory");
        PQfreemem(problem);
        throw ServerError(QStringLiteral("The server connection string is not valid: %1").arg(why), true);
    }
    db_ = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name_);
    if (!db_.isValid()) {
        PQconninfoFree(options);
        throw ServerError(QStringLiteral("The PostgreSQL driver of Qt is missing (install libqt6sql6-psql)."), true);
    }
    QStringList extra;
    bool timeoutGiven = false;
    bool keepalivesGiven = false;
    for (PQconninfoOption *o = options; o->keyword; ++o) {
        if (!o->val)
            continue;
        const QString keyword = QString::fromUtf8(o->keyword);
        const QString value = QString::fromUtf8(o->val);
        if (keyword == QLatin1String("host"))
            db_.setHostName(value);
        else if (keyword == QLatin1String("port"))
            db_.setPort(value.toInt());
        else if (keyword == QLatin1String("dbname"))
            db_.setDatabaseName(value);
        else if (keyword == QLatin1String("user"))
            db_.setUserName(value);
        else if (keyword == QLatin1String("password"))
            db_.setPassword(value);
        else {
            if (value.contains(QLatin1Char(';'))) {
                PQconninfoFree(options);
                throw ServerError(QStringLiteral("The server connection string's %1 may not hold a semicolon.")
                                      .arg(keyword),
                                  true);
            }
            extra.append(keyword + QLatin1Char('=') + quoted(value));
            timeoutGiven = timeoutGiven || keyword == QLatin1String("connect_timeout");
            keepalivesGiven = keepalivesGiven || keyword.startsWith(QLatin1String("keepalives"));
        }
    }
    PQconninfoFree(options);
    if (!timeoutGiven)
        extra.append(QStringLiteral("connect_timeout=%1").arg(connectTimeout_));
    if (!keepalivesGiven)
        extra.append(QStringLiteral("keepalives_idle=10;keepalives_interval=5;keepalives_count=4"));
    db_.setConnectOptions(extra.join(QLatin1Char(';')));
    if (!db_.open()) {
        const ServerError e = errorOf(db_.lastError());
        close();
        throw ServerError(e.message(), false);
    }
}

void ServerConnection::close()
{
    if (db_.isValid()) {
        db_.close();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(name_);
    }
}

QSqlQuery ServerConnection::run(const QString &sql, const QVariantList &values, QSql::NumericalPrecisionPolicy numbers)
{
    if (!db_.isOpen())
        throw ServerError(QStringLiteral("Not connected to the store server."));
    QSqlQuery q(db_);
    q.setForwardOnly(true);
    q.setNumericalPrecisionPolicy(numbers);
    // A statement without values runs as it is: PostgreSQL prepares only
    // queries and data changes.
    if (values.isEmpty()) {
        if (!q.exec(sql))
            throw errorOf(q.lastError());
    } else {
        if (!q.prepare(sql))
            throw errorOf(q.lastError());
        for (const QVariant &v : values)
            q.addBindValue(v);
        if (!q.exec())
            throw errorOf(q.lastError());
    }
    return q;
}

QList<QVariantList> ServerConnection::query(const QString &sql, const QVariantList &values)
{
    QSqlQuery q = run(sql, values);
    QList<QVariantList> rows;
    const int columns = q.record().count(); // a record is made anew at each call
    while (q.next()) {
        QVariantList row;
        row.reserve(columns);
        for (int i = 0; i < columns; ++i)
            row.append(q.value(i));
        rows.append(row);
    }
    return rows;
}

void ServerConnection::execute(const QString &sql)
{
    query(sql);
}

void ServerConnection::begin()
{
    if (!db_.transaction())
        throw errorOf(db_.lastError());
}

void ServerConnection::commit()
{
    if (!db_.commit())
        throw errorOf(db_.lastError());
}

void ServerConnection::rollback()
{
    db_.rollback();
}
