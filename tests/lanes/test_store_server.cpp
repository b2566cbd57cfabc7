// Lanes and a real store server under the failures that must not lose or
// double a sale: every scenario ends with each lane's sales register and
// the server's sales of that lane equal, field by field.

#include "postgres_cluster.h"
#include "store_figures_check.h"
#include "store_lanes.h"
#include "test_database.h"
#include "test_files.h"

#include "common/settings_store.h"
#include "lanes/lane_sender.h"
#include "lanes/lane_settings.h"
#include "lanes/outbox.h"
#include "lanes/outbox_messages.h"
#include "lanes/server_connection.h"
#include "lanes/sync_exit.h"
#include "lanes/sync_process.h"
#include "store/data_directory_lock.h"
#include "store/schema.h"

#include "store/data_module.h"

#include <QProcess>
#include <QtTest>

namespace {

enum class Scenario {
    ServerKilledMidBatch,
    AcknowledgementLost,
    CutOffForTenThousandSales,
    FourLanesServerRestarted,
    TwoLanesClaimOneTerminal,
    DatabaseCopiedToAnotherComputer,
    SameKeyOtherContent,
    ServerRestoredFromOlderBackup,
    BesideTheTill,
    SettingsNameAServerOverASingleTerminal,
};

QString program(const char *name)
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QLatin1String(name));
}

// A tillano-sync as the till runs it, until stopped.
class RunningSync {
public:
    explicit RunningSync(const TestLane &lane, const QProcessEnvironment &extra = {})
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(extra);
        process_.setProcessEnvironment(env);
        process_.setProcessChannelMode(QProcess::ForwardedOutputChannel);
        process_.start(program("tillano-sync"), {QStringLiteral("--settings"), lane.settings});
        process_.waitForStarted();
    }
    ~RunningSync() { stop(); }
    void stop()
    {
        process_.terminate();
        process_.waitForFinished(5000);
    }
    bool finished() { return process_.state() == QProcess::NotRunning || process_.waitForFinished(10); }

private:
    QProcess process_;
};

}

class TestStoreServer : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void initCreatesThenChangesNothing();
    void failures_data();
    void failures();

private:
    QString newStore();
    int count(const QString &sql);
    int setAside(int terminal);
    TestLane lane(int terminal, bool replace = false);

    PostgresCluster cluster_;
    QTemporaryDir work_;
    QString database_;
    int stores_ = 0;
};

void TestStoreServer::initTestCase()
{
    const QString failure = cluster_.start();
    if (!failure.isEmpty())
        QFAIL(qPrintable(failure));
    cluster_.query(QStringLiteral("postgres"), QStringLiteral("CREATE ROLE tillano LOGIN CREATEROLE"));
}

// A database of its own for each case, its schema made by tillano-server.
QString TestStoreServer::newStore()
{
    database_ = QStringLiteral("store%1").arg(++stores_);
    cluster_.createDatabase(database_, QStringLiteral("tillano"));
    QProcess init;
    init.start(program("tillano-server"), {QStringLiteral("init"), cluster_.conninfo(database_, QStringLiteral("tillano"))});
    init.waitForFinished();
    const QString said = QString::fromLocal8Bit(init.readAllStandardOutput());
    if (cluster_.query(QStringLiteral("postgres"), QStringLiteral("SELECT 1 FROM pg_roles WHERE rolname = 'lane'")).isEmpty())
        cluster_.query(QStringLiteral("postgres"), QStringLiteral("CREATE ROLE lane LOGIN IN ROLE tillano_lane"));
    return said + QString::fromLocal8Bit(init.readAllStandardError());
}

TestLane TestStoreServer::lane(int terminal, bool replace)
{
    TestLane lane;
    const QString root = work_.filePath(database_);
    QDir().mkpath(root);
    const QString failure = TestLane::prepare(lane, root + (replace ? QStringLiteral("/replacing") : QString()),
                                              cluster_.conninfo(database_, QStringLiteral("lane")), 1, terminal, replace);
    if (!failure.isEmpty())
        qWarning("%s", qPrintable(failure));
    return lane;
}

int TestStoreServer::count(const QString &sql)
{
    return cluster_.query(database_, sql).value(0).value(0).toInt();
}

int TestStoreServer::setAside(int terminal)
{
    return count(QStringLiteral("SELECT count(*) FROM tillano.set_aside WHERE \"Terminal_id\" = %1").arg(terminal));
}

void TestStoreServer::initCreatesThenChangesNothing()
{
    QCOMPARE(newStore(), QStringLiteral("Role tillano_lane created: each lane logs in with a role that is a member "
                                        "of it.\nSchema tillano created (version 1).\nSchema tillano upgraded to version 2.\n"
                                        "Schema tillano upgraded to version 3.\n"));
    QProcess again;
    again.start(program("tillano-server"), {QStringLiteral("init"), cluster_.conninfo(database_, QStringLiteral("tillano"))});
    again.waitForFinished();
    QCOMPARE(QString::fromLocal8Bit(again.readAllStandardOutput()),
             QStringLiteral("Schema tillano is up to date (version 3); nothing changed.\n"));

    // The server's sales tables have the lane's columns, in the lane's order.
    for (const TableDef *def : {&Schema::tranmaster(), &Schema::trandetail()}) {
        QStringList lane;
        for (const FieldDef &f : def->fields)
            lane << f.name;
        QStringList server;
        for (const QVariantList &row : cluster_.query(database_, QStringLiteral(
                 "SELECT column_name FROM information_schema.columns WHERE table_schema = 'tillano' AND table_name = ? "
                 "AND column_name NOT IN ('Store_id', 'Terminal_id') ORDER BY ordinal_position"), {def->name}))
            server << row.value(0).toString();
        QCOMPARE(server, lane);
    }
}

void TestStoreServer::failures_data()
{
    QTest::addColumn<Scenario>("scenario");
    QTest::addColumn<int>("setAsideSales");
    QTest::newRow("server killed in the middle of a batch") << Scenario::ServerKilledMidBatch << 0;
    QTest::newRow("acknowledgement lost") << Scenario::AcknowledgementLost << 0;
    QTest::newRow("cut off for 10,000 sales") << Scenario::CutOffForTenThousandSales << 0;
    QTest::newRow("four lanes, server stopped and restarted") << Scenario::FourLanesServerRestarted << 0;
    QTest::newRow("two lanes claim one terminal") << Scenario::TwoLanesClaimOneTerminal << 0;
    QTest::newRow("database copied to another computer") << Scenario::DatabaseCopiedToAnotherComputer << 0;
    QTest::newRow("same key, other content") << Scenario::SameKeyOtherContent << 3;
    QTest::newRow("server restored from an older backup") << Scenario::ServerRestoredFromOlderBackup << 0;
    QTest::newRow("beside the till") << Scenario::BesideTheTill << 0;
    QTest::newRow("settings name a server over a single terminal")
        << Scenario::SettingsNameAServerOverASingleTerminal << 0;
}

void TestStoreServer::failures()
{
    QFETCH(Scenario, scenario);
    QFETCH(int, setAsideSales);
    newStore();
    QList<TestLane> lanes{lane(1)};

    switch (scenario) {
    case Scenario::ServerKilledMidBatch: {
        LaneSeller(lanes[0].directory).sell(LaneSender::BatchSize + 100, 100);
        // The second batch waits on a lock in the middle, then the postmaster dies.
        cluster_.query(database_, QStringLiteral(
            "CREATE FUNCTION public.hold() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN "
            "IF NEW.\"Trxh_id\" = %1 THEN PERFORM pg_advisory_xact_lock_shared(4242); END IF; RETURN NEW; END $$;"
            "CREATE TRIGGER hold BEFORE INSERT ON tillano.tranmaster FOR EACH ROW EXECUTE FUNCTION public.hold()")
            .arg(1000 + LaneSender::BatchSize + 50));
        {
            ServerConnection holder(cluster_.conninfo(database_));
            holder.open();
            holder.query(QStringLiteral("SELECT pg_advisory_lock(4242)"));
            RunningSync sync(lanes[0]);
            QTRY_VERIFY_WITH_TIMEOUT(count(QStringLiteral("SELECT count(*) FROM pg_stat_activity "
                                                          "WHERE wait_event = 'advisory'")) == 1, 60000);
            QCOMPARE(count(QStringLiteral("SELECT count(*) FROM tillano.tranmaster")), LaneSender::BatchSize);
            cluster_.kill();
            QCOMPARE(cluster_.start(), QString());
            cluster_.query(database_, QStringLiteral("DROP TRIGGER hold ON tillano.tranmaster"));
            QTRY_COMPARE_WITH_TIMEOUT(outboxCount(lanes[0]), 0, 90000);
        }
        break;
    }
    case Scenario::AcknowledgementLost: {
        LaneSeller(lanes[0].directory).sell(LaneSender::BatchSize + 100, 100);
        QProcessEnvironment stop;
        stop.insert(QStringLiteral("TILLANO_SYNC_KILL_AFTER_BATCH"), QStringLiteral("1"));
        QCOMPARE(runSync(lanes[0], {QStringLiteral("--drain")}, stop).exitCode, -1);
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM tillano.tranmaster")), LaneSender::BatchSize);
        QCOMPARE(outboxCount(lanes[0]), LaneSender::BatchSize + 100);
        break;
    }
    case Scenario::CutOffForTenThousandSales:
        LaneSeller(lanes[0].directory).sell(10000, 500);
        break;
    case Scenario::FourLanesServerRestarted: {
        for (int terminal : {2, 3, 4})
            lanes << lane(terminal);
        QList<std::shared_ptr<LaneSeller>> sellers;
        QList<std::shared_ptr<RunningSync>> syncs;
        for (const TestLane &l : lanes) {
            sellers << std::make_shared<LaneSeller>(l.directory, unsigned(l.terminal));
            syncs << std::make_shared<RunningSync>(l);
        }
        auto sellRound = [&](int sales) {
            for (int i = 0; i < sales; ++i)
                for (auto &seller : sellers)
                    seller->sell(1);
        };
        sellRound(60);
        cluster_.stop();
        sellRound(40);
        // Each lane's status says the server is out of reach.
        for (const TestLane &l : lanes) {
            QTRY_VERIFY_WITH_TIMEOUT(OwnConnection(l.databaseFile()).exec(QStringLiteral(
                                         "SELECT 1 FROM lane_sync_state WHERE State_reached = 0")) &&
                                         outboxCount(l) > 0, 30000);
        }
        QCOMPARE(cluster_.start(), QString());
        sellRound(40);
        for (const TestLane &l : lanes)
            QTRY_COMPARE_WITH_TIMEOUT(outboxCount(l), 0, 90000);
        break;
    }
    case Scenario::TwoLanesClaimOneTerminal: {
        LaneSeller(lanes[0].directory).sell(5);
        TestLane refusedAtSetUp;
        QVERIFY(TestLane::prepare(refusedAtSetUp, work_.filePath(QStringLiteral("second")),
                                  cluster_.conninfo(database_, QStringLiteral("lane")), 1, 1)
                    .contains(QStringLiteral("Terminal 1 of store 1 is already a lane")));
        QVERIFY(!QFile::exists(refusedAtSetUp.databaseFile()));
        const TestLane other = lane(1, true);
        const SyncRun refused = runSync(lanes[0]);
        QCOMPARE(refused.exitCode, 3);
        QVERIFY2(refused.errors.contains(QStringLiteral("Terminal 1 of store 1 belongs to another lane database")),
                 qPrintable(refused.errors));
        QCOMPARE(outboxCount(lanes[0]), 5);
        // The lane that took it over sends; the refused one keeps its sales queued.
        LaneSeller(other.directory).sell(3);
        QCOMPARE(runSync(other).exitCode, 0);
        QCOMPARE(laneAgainstServer(other, cluster_, database_), QString());
        return;
    }
    case Scenario::DatabaseCopiedToAnotherComputer: {
        LaneSeller(lanes[0].directory).sell(5);
        TestLane copy = lanes[0];
        copy.directory += QStringLiteral("-copy");
        copy.settings = copy.directory + QStringLiteral(".ini");
        QDir().mkpath(copy.directory);
        QFile::copy(lanes[0].databaseFile(), copy.databaseFile());
        QString settings = QString::fromUtf8(fileBytes(lanes[0].settings));
        writeFileBytes(copy.settings, settings.replace(lanes[0].directory, copy.directory).toUtf8());
        QProcessEnvironment elsewhere;
        elsewhere.insert(QStringLiteral("TILLANO_MACHINE_ID"), QStringLiteral("another-computer"));
        const SyncRun refused = runSync(copy, {QStringLiteral("--drain")}, elsewhere);
        QCOMPARE(refused.exitCode, 3);
        QVERIFY2(refused.errors.contains(QStringLiteral("prepared on another computer")), qPrintable(refused.errors));
        QCOMPARE(outboxCount(copy), 5);
        // What posting queued is what a resend rebuilds from the register.
        LaneSeller(lanes[0].directory, 7, true).sell(20);
        TDataModule2 dm;
        dm.connectTo(lanes[0].directory);
        const QList<Outbox::Message> queued = Outbox::oldest(dm.database(), 100);
        QCOMPARE(queued.size(), 25);
        for (const Outbox::Message &m : queued)
            QCOMPARE(m.content, OutboxMessages::saleFromRegister(dm.database(), m.key));
        break;
    }
    case Scenario::SameKeyOtherContent: {
        LaneSeller(lanes[0].directory).sell(3);
        QCOMPARE(runSync(lanes[0]).exitCode, 0);
        {
            // The register purged of two sales and the counter set back
            // under them: the next two sales get numbers already sent.
            OwnConnection db(lanes[0].databaseFile());
            QVERIFY(db.exec(QStringLiteral("DELETE FROM trandetail WHERE Trx_id > 1000")));
            QVERIFY(db.exec(QStringLiteral("DELETE FROM tranmaster WHERE Trxh_id > 1000")));
            QVERIFY(db.exec(QStringLiteral("UPDATE control SET Ctrl_invoice_no = 1001")));
        }
        LaneSeller(lanes[0].directory, 99).sell(3);
        // A sale the server cannot store sends the whole batch one by one.
        QVERIFY(OwnConnection(lanes[0].databaseFile()).exec(QStringLiteral(
            "INSERT INTO lane_outbox (Outbox_kind, Outbox_key, Outbox_queued_at, Outbox_content) VALUES ('sale', "
            "5000, '2026-03-09T12:00:00', '{\"header\": {\"Trxh_id\": 5000, \"Trxh_total\": \"many\"}}')")));
        const SyncRun run = runSync(lanes[0]);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM tillano.tranmaster")), 4);
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM tillano.set_aside WHERE reason = "
                                      "'the server holds sale ' || \"Trxh_id\" || ' of terminal 1 with other content'")), 2);
        // The counter set back again is moved past the server's numbers.
        QVERIFY(OwnConnection(lanes[0].databaseFile()).exec(QStringLiteral("UPDATE control SET Ctrl_invoice_no = 1")));
        QCOMPARE(runSync(lanes[0]).exitCode, 0);
        LaneSeller seller(lanes[0].directory);
        seller.dataModule().Control.first();
        QCOMPARE(seller.dataModule().Control.field(QStringLiteral("Ctrl_invoice_no")).asFloat(), 1004.0);
        QCOMPARE(setAside(1), setAsideSales);
        return;
    }
    case Scenario::ServerRestoredFromOlderBackup: {
        LaneSeller(lanes[0].directory).sell(100, 50);
        QCOMPARE(runSync(lanes[0]).exitCode, 0);
        const QString backup = work_.filePath(QStringLiteral("backup.dump"));
        cluster_.dump(database_, backup);
        lanes << lane(2); // a lane prepared after the backup
        LaneSeller(lanes[0].directory).sell(100, 50);
        LaneSeller(lanes[0].directory).receive(3);
        LaneSeller(lanes[1].directory).sell(50, 50);
        for (const TestLane &l : lanes)
            QCOMPARE(runSync(l).exitCode, 0);
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM tillano.stock_movements")), 3);
        cluster_.restore(database_, backup);
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM tillano.tranmaster")), 100);
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM tillano.stock_movements")), 0);
        break;
    }
    case Scenario::BesideTheTill: {
        // The till holds its data directory while its tillano-sync sends;
        // a second tillano-sync and tillano-setup are refused meanwhile.
        RunningSync sync(lanes[0]);
        QTRY_VERIFY_WITH_TIMEOUT(OwnConnection(lanes[0].databaseFile())
                                     .exec(QStringLiteral("SELECT 1 FROM lane_sync_state WHERE State_reached = 1")),
                                 30000);
        const DataDirectoryLock till(lanes[0].directory);
        QVERIFY(till.held());
        LaneSeller(lanes[0].directory).sell(20);
        QTRY_COMPARE_WITH_TIMEOUT(outboxCount(lanes[0]), 0, 30000);
        QCOMPARE(runSync(lanes[0]).exitCode, int(SyncAlreadyRuns));
        TestLane again;
        QVERIFY(TestLane::prepare(again, work_.filePath(database_), cluster_.conninfo(database_), 1, 1)
                    .contains(QStringLiteral("Tillano is running on the data directory")));
        break;
    }
    case Scenario::SettingsNameAServerOverASingleTerminal: {
        TestLane single; // a demo shop without a server, then its settings given one
        QCOMPARE(TestLane::prepare(single, work_.filePath(QStringLiteral("single")), QString(), 1, 1), QString());
        SettingsStore settings(single.settings);
        settings.write(StoreSection, QStringLiteral("Server"), cluster_.conninfo(database_, QStringLiteral("lane")));
        settings.write(StoreSection, QStringLiteral("Store"), QStringLiteral("1"));
        LaneSeller(single.directory).sell(2);
        for (const QStringList &arguments : {QStringList(), QStringList{QStringLiteral("--drain")}}) {
            const SyncRun run = runSync(single, arguments);
            QCOMPARE(run.exitCode, int(SyncNotALane));
            QVERIFY2(run.errors.contains(QStringLiteral("is not prepared as a lane: prepare it with tillano-setup "
                                                        "--server")),
                     qPrintable(run.errors));
        }
        // The till does not start it again and again.
        LaneSyncProcess tills(single.settings);
        tills.start();
        QTRY_VERIFY_WITH_TIMEOUT(!tills.running(), 30000);
        QVERIFY(!tills.restartPending());
        break;
    }
    }

    for (const TestLane &l : lanes) {
        const SyncRun drained = runSync(l);
        QVERIFY2(drained.exitCode == 0, qPrintable(drained.errors));
        QCOMPARE(outboxCount(l), 0);
        QCOMPARE(laneAgainstServer(l, cluster_, database_), QString());
        QCOMPARE(setAside(l.terminal), setAsideSales);
    }
    if (scenario == Scenario::ServerRestoredFromOlderBackup) // the stock receipt sent again, once
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM tillano.stock_movements")), 3);
    // The store's financial report is the lanes' registers added up, to the cent.
    QStringList directories;
    for (const TestLane &l : lanes)
        directories << l.directory;
    ServerConnection server(cluster_.conninfo(database_));
    server.open();
    const QDate day(2026, 3, 9);
    const QStringList differences = storeFinancialDifferences(server.database(), 1, day, day, directories);
    QVERIFY2(differences.isEmpty(), qPrintable(differences.join(QLatin1Char('\n'))));
}

QTEST_GUILESS_MAIN(TestStoreServer)
#include "test_store_server.moc"
