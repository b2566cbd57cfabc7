#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>
#include <stdexcept>

// A failure talking to the store server, with PostgreSQL's or the
// system's own words. `refused` when the server answered and refuses the
// lane (another database claims it, its key is wrong): trying again will
// not help until someone acts; anything else (no route, server down,
// login refused, disk full) may pass by itself.
class ServerError : public std::runtime_error {
public:
    ServerError(const QString &message, bool refused = false)
        : std::runtime_error(message.toStdString()), message_(message), refused_(refused) {}
    const QString &message() const { return message_; }
    bool refused() const { return refused_; }

private:
    QString message_;
    bool refused_;
};

// One connection to the store server through Qt's QPSQL driver, opened
// from a libpq connection string ("host=… dbname=… user=…" or
// "postgresql://…"). Unless the string says otherwise it gives up
// connecting after 10 s (or the seconds given: a manager waiting at a
// till is given an answer sooner) and notices a dead peer within about
// 30 s.
class ServerConnection {
public:
    explicit ServerConnection(const QString &conninfo, int connectTimeout = 10);
    ~ServerConnection();
    ServerConnection(const ServerConnection &) = delete;
    ServerConnection &operator=(const ServerConnection &) = delete;

    // Throws ServerError.
    void open();
    void close();
    bool isOpen() const { return db_.isOpen(); }
    QSqlDatabase &database() { return db_; }

    // Runs a statement with ? placeholders; returns the rows, each a list
    // of values. Without values the text may hold several statements (a
    // schema upgrade). Throws ServerError.
    QList<QVariantList> query(const QString &sql, const QVariantList &values = {});
    // The same, the query itself to read (its columns' names too); with
    // QSql::HighPrecision a numeric comes as its exact text.
    QSqlQuery run(const QString &sql, const QVariantList &values = {},
                  QSql::NumericalPrecisionPolicy numbers = QSql::LowPrecisionDouble);
    void execute(const QString &sql);

    void begin();
    void commit();
    void rollback();

    // The refusal code the lane functions raise.
    static constexpr const char *RefusedState = "TL001";

private:
    QString conninfo_;
    int connectTimeout_;
    QString name_;
    QSqlDatabase db_;
};

// The first line of a PostgreSQL message, without its "ERROR:" prefix.
QString serverMessage(const QString &text);
