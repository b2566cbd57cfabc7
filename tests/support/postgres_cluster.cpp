#include "postgres_cluster.h"

#include "lanes/server_connection.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <csignal>
#include <unistd.h>

namespace {

// The newest installed PostgreSQL's programs.
QString serverBinaries()
{
    const QStringList versions =
        QDir(QStringLiteral("/usr/lib/postgresql")).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (auto it = versions.crbegin(); it != versions.crend(); ++it) {
        const QString bin = QStringLiteral("/usr/lib/postgresql/%1/bin").arg(*it);
        if (QFile::exists(bin + QStringLiteral("/initdb")))
            return bin;
    }
    return {};
}

}

PostgresCluster::PostgresCluster(const QString &keptDirectory) : bin_(serverBinaries())
{
    if (keptDirectory.isEmpty()) {
        temporary_.emplace(QDir::tempPath() + QStringLiteral("/tillano-pg-XXXXXX"));
        dir_.setPath(temporary_->path());
    } else {
        QDir().mkpath(keptDirectory);
        dir_.setPath(QDir(keptDirectory).absolutePath());
        made_ = QFile::exists(dir_.filePath(QStringLiteral("data/PG_VERSION")));
    }
    asPostgresUser_ = geteuid() == 0;
    // The server's own user must reach its directory.
    QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther
                                           | QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup);
    if (asPostgresUser_)
        QProcess::execute(QStringLiteral("chown"), {QStringLiteral("postgres:"), dir_.path()});
}

PostgresCluster::~PostgresCluster()
{
    if (!made_)
        return;
    runServerProgram(QStringLiteral("pg_ctl"), {QStringLiteral("-D"), dir_.filePath(QStringLiteral("data")),
                                                QStringLiteral("-m"),
                                                temporary_ ? QStringLiteral("immediate") : QStringLiteral("fast"),
                                                QStringLiteral("-w"), QStringLiteral("stop")});
    kill(); // a server pg_ctl could not stop is not left behind
}

int PostgresCluster::runServerProgram(const QString &program, const QStringList &arguments, QString *output)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.setWorkingDirectory(dir_.path());
    const QString path = bin_ + QLatin1Char('/') + program;
    if (asPostgresUser_)
        p.start(QStringLiteral("runuser"), QStringList{QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--"), path} + arguments);
    else
        p.start(path, arguments);
    p.waitForFinished(120000);
    if (output)
        *output = QString::fromLocal8Bit(p.readAll());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

QString PostgresCluster::start()
{
    if (bin_.isEmpty())
        return QStringLiteral("PostgreSQL is not installed (/usr/lib/postgresql/*/bin/initdb)");
    const QString data = dir_.filePath(QStringLiteral("data"));
    QString out;
    if (!made_) {
        if (runServerProgram(QStringLiteral("initdb"), {QStringLiteral("-D"), data, QStringLiteral("-A"),
                                                        QStringLiteral("trust"), QStringLiteral("-U"),
                                                        QStringLiteral("postgres"), QStringLiteral("--no-sync")},
                             &out)
            != 0)
            return QStringLiteral("initdb failed: ") + out;
        made_ = true;
    }
    // After a kill the old backends take a moment to go; the start is
    // tried until they have.
    for (int attempt = 0; attempt < 40; ++attempt) {
        if (runServerProgram(QStringLiteral("pg_ctl"),
                             {QStringLiteral("-D"), data, QStringLiteral("-l"), dir_.filePath(QStringLiteral("log")),
                              QStringLiteral("-w"), QStringLiteral("-o"),
                              QStringLiteral("-c listen_addresses='' -k %1 -c fsync=off").arg(dir_.path()),
                              QStringLiteral("start")},
                             &out)
            == 0)
            return {};
        QThread::msleep(500);
    }
    return QStringLiteral("pg_ctl start failed: ") + out;
}

void PostgresCluster::stop()
{
    runServerProgram(QStringLiteral("pg_ctl"), {QStringLiteral("-D"), dir_.filePath(QStringLiteral("data")),
                                                QStringLiteral("-m"), QStringLiteral("fast"), QStringLiteral("-w"),
                                                QStringLiteral("stop")});
}

qint64 PostgresCluster::postmasterPid() const
{
    QFile pid(dir_.filePath(QStringLiteral("data/postmaster.pid")));
    if (!pid.open(QIODevice::ReadOnly))
        return 0;
    return pid.readLine().trimmed().toLongLong();
}

void PostgresCluster::kill()
{
    if (const qint64 pid = postmasterPid())
        ::kill(pid_t(pid), SIGKILL);
}

QString PostgresCluster::conninfo(const QString &database, const QString &user) const
{
    return QStringLiteral("host=%1 dbname=%2 user=%3").arg(dir_.path(), database, user);
}

QList<QVariantList> PostgresCluster::query(const QString &database, const QString &sql, const QVariantList &values)
{
    ServerConnection server(conninfo(database));
    server.open();
    return server.query(sql, values);
}

void PostgresCluster::createDatabase(const QString &name, const QString &owner)
{
    ServerConnection server(conninfo(QStringLiteral("postgres")));
    server.open();
    server.execute(QStringLiteral("CREATE DATABASE \"%1\" OWNER \"%2\"").arg(name, owner));
}

void PostgresCluster::dropDatabase(const QString &name)
{
    ServerConnection server(conninfo(QStringLiteral("postgres")));
    server.open();
    server.execute(QStringLiteral("DROP DATABASE IF EXISTS \"%1\" WITH (FORCE)").arg(name));
}

void PostgresCluster::dump(const QString &database, const QString &file)
{
    // Written by the server's user into the cluster's directory, then moved.
    const QString own = dir_.filePath(QStringLiteral("dump.tmp"));
    runServerProgram(QStringLiteral("pg_dump"), {QStringLiteral("-h"), dir_.path(), QStringLiteral("-U"),
                                                 QStringLiteral("postgres"), QStringLiteral("-Fc"),
                                                 QStringLiteral("-f"), own, database});
    QFile::remove(file);
    QFile::copy(own, file);
    QFile::remove(own);
}

void PostgresCluster::restore(const QString &database, const QString &file)
{
    dropDatabase(database);
    createDatabase(database);
    const QString own = dir_.filePath(QStringLiteral("restore.tmp"));
    QFile::remove(own);
    QFile::copy(file, own);
    QFile::setPermissions(own, QFile::ReadOwner | QFile::ReadOther | QFile::ReadGroup);
    runServerProgram(QStringLiteral("pg_restore"), {QStringLiteral("-h"), dir_.path(), QStringLiteral("-U"),
                                                    QStringLiteral("postgres"), QStringLiteral("-d"), database, own});
    QFile::remove(own);
}
