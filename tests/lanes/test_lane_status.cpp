// The line the sale window shows of a lane's sending, from what
// tillano-sync records and what waits in the outbox.

#include "test_database.h"

#include "common/clock.h"
#include "common/language.h"
#include "lanes/lane_status.h"
#include "lanes/lane_tables.h"
#include "store/sqlite_statement.h"

#include <QtTest>

class TestLaneStatus : public QObject {
    Q_OBJECT

private slots:
    void text_data();
    void text();
};

void TestLaneStatus::text_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<int>("waiting");
    QTest::addColumn<int>("edits"); // rows edited on the lane, not yet on the server
    QTest::addColumn<bool>("running");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("expected");
    const QString unreachable = QStringLiteral("State_reached = 0, State_unreachable_since = '2026-03-09T14:05:00'");
    QTest::newRow("starting") << QString() << 0 << 0 << true << "0" << "Store server: connecting";
    QTest::newRow("connected") << "State_reached = 1" << 0 << 0 << true << "0" << "Store server: connected";
    QTest::newRow("connected, sending") << "State_reached = 1" << 3 << 0 << true << "0"
                                        << "Store server: connected, sending 3";
    QTest::newRow("out of reach") << unreachable << 2 << 0 << true << "0"
                                  << "Store server out of reach since 2:05 PM · 2 sales waiting";
    QTest::newRow("out of reach, French") << unreachable << 1 << 0 << true << "1"
                                          << "Serveur du magasin injoignable depuis 2:05 PM · 1 vente en attente";
    QTest::newRow("refused") << "State_reached = 0, State_refused = 1, State_problem = 'Terminal 1 is another'" << 1
                             << 0 << true << "0" << "Store server refuses this lane · 1 sale waiting: Terminal 1 is another";
    QTest::newRow("sales set aside") << "State_reached = 1, State_set_aside = 2" << 0 << 0 << true << "0"
                                     << "Store server: connected · 2 set aside on the server";
    // The settings name a server; the database never was a lane's.
    QTest::newRow("not a lane") << "no lane tables" << 0 << 0 << false << "0"
                                << "Store server: this lane is not set up for the server (tillano-setup --server)";
    QTest::newRow("out of reach, edits waiting") << unreachable << 0 << 3 << true << "0"
                                                 << "Store server out of reach since 2:05 PM · 3 changes waiting";
    QTest::newRow("an edit waiting, French") << unreachable << 0 << 1 << true << "1"
                                             << "Serveur du magasin injoignable depuis 2:05 PM · 1 modification en attente";
    QTest::newRow("connected, edits not shown") << "State_reached = 1" << 0 << 2 << true << "0" << "Store server: connected";
    QTest::newRow("edits not applied") << "State_reached = 1, State_edits_set_aside = 1" << 0 << 0 << true << "0"
                                       << "Store server: connected · 1 change not applied (changed elsewhere first)";
    QTest::newRow("not running") << "State_reached = 1" << 4 << 0 << false << "0"
                                 << "Store server: not sending (tillano-sync is not running) · 4 sales waiting";
}

void TestLaneStatus::text()
{
    QFETCH(QString, state);
    QFETCH(int, waiting);
    QFETCH(int, edits);
    QFETCH(bool, running);
    QFETCH(QString, language);
    QFETCH(QString, expected);
    Clock::setFixed(QDateTime(QDate(2026, 3, 9), QTime(15, 0)));
    setLanguageSetting(language);
    TestDatabase db;
    Database &lane = db.dm().database();
    if (state != QLatin1String("no lane tables"))
        LaneTables::create(lane);
    if (!state.isEmpty() && LaneTables::present(lane))
        executeSql(lane.handle(), QStringLiteral("UPDATE lane_sync_state SET ") + state);
    for (int i = 0; i < waiting; ++i)
        executeSql(lane.handle(), QStringLiteral("INSERT INTO lane_outbox (Outbox_kind, Outbox_queued_at, "
                                                 "Outbox_content) VALUES ('sale', '2026-03-09T14:06:00', '{}')"));
    for (int i = 0; i < edits; ++i)
        executeSql(lane.handle(), QStringLiteral("INSERT INTO lane_edits (Edit_table, Edit_key) VALUES ('product', %1)").arg(i));
    QCOMPARE(LaneStatus::read(lane).text(running), expected);
    setLanguageSetting(QStringLiteral("0"));
    Clock::useSystemClock();
}

QTEST_GUILESS_MAIN(TestLaneStatus)
#include "test_lane_status.moc"
