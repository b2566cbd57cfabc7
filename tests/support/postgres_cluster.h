#pragma once

#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <QVariantList>
#include <optional>

// A throw-away PostgreSQL cluster for one test program: initdb and pg_ctl
// on a private socket directory, no TCP (listen_addresses=''), trust
// logins. Run as root (as CI does), the server runs as the system user
// postgres, since PostgreSQL refuses to run as root. Stopped and removed
// with the object; one given a directory of its own (a benchmark's data,
// built once) is kept there and started again from it.
class PostgresCluster {
public:
    explicit PostgresCluster(const QString &keptDirectory = {});
    ~PostgresCluster();
    PostgresCluster(const PostgresCluster &) = delete;
    PostgresCluster &operator=(const PostgresCluster &) = delete;

    // Starts it (made on the first start); QFAIL-free: returns the reason
    // it could not, empty on success.
    QString start();
    // A fast shutdown, as an administrator stops a server.
    void stop();
    // kill -9 of the postmaster, as a crash.
    void kill();

    // A connection string for a role on a database of the cluster.
    QString conninfo(const QString &database, const QString &user = QStringLiteral("postgres")) const;

    // Runs SQL as the superuser; the rows of the last statement.
    QList<QVariantList> query(const QString &database, const QString &sql, const QVariantList &values = {});
    void createDatabase(const QString &name, const QString &owner = QStringLiteral("postgres"));
    void dropDatabase(const QString &name);
    // A backup with pg_dump into a file, and its restore over a new
    // database of the same name.
    void dump(const QString &database, const QString &file);
    void restore(const QString &database, const QString &file);

private:
    int runServerProgram(const QString &program, const QStringList &arguments, QString *output = nullptr);
    qint64 postmasterPid() const;

    std::optional<QTemporaryDir> temporary_;
    QDir dir_;
    QString bin_;
    bool asPostgresUser_ = false;
    bool made_ = false;
};
