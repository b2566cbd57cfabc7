// The store's reports on a real store server: lanes sell through the
// posting engine and send their sales with tillano-sync; the server's
// figures must equal the lanes' own registers to the cent, the CSV of
// tillano-server must be exactly as written beside this test, the page
// reports must lay out those figures, and a lane's manager reaches them
// from the Reports menu.

#include "menu_click.h"
#include "postgres_cluster.h"
#include "report_test_support.h"
#include "running_shop.h"
#include "store_figures_check.h"
#include "store_lanes.h"
#include "test_files.h"

#include "app/application_shell.h"
#include "common/formats.h"
#include "common/settings_store.h"
#include "lanes/lane_settings.h"
#include "lanes/server_connection.h"
#include "lanes/store_report_query.h"
#include "reports/rendered_report.h"
#include "reports/report_preview_window.h"
#include "reports/store_report.h"
#include "reports/store_reports_window.h"
#include "sale/sale_window.h"

#include <QDateEdit>
#include <QProcess>
#include <QRadioButton>
#include <QtTest>

namespace {

const QDate FirstDay(2026, 3, 7);
const QDate LastDay(2026, 3, 9);

QString program(const char *name)
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QLatin1String(name));
}

// tillano-server's standard output, or its standard error when it fails.
QString serverCommand(const QStringList &arguments, QString *errors = nullptr)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TZ"), QStringLiteral("UTC"));
    p.setProcessEnvironment(env);
    p.start(program("tillano-server"), arguments);
    p.waitForFinished(120000);
    const QString said = QString::fromUtf8(p.readAllStandardError());
    if (errors)
        *errors = said;
    return p.exitCode() == 0 ? QString::fromUtf8(p.readAllStandardOutput()) : QStringLiteral("failed: ") + said;
}

}

class TestStoreReports : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void figuresEqualTheLanes_data();
    void figuresEqualTheLanes();
    void csvOfASmallStore();
    void pages_data();
    void pages();
    void storeReportsWindow();
    void storeReportsMenuOnALane();

private:
    QString makeStore(const QString &database, int lanes, int salesEach);
    StoreReportData read(StoreReportKind kind, const QDate &from, const QDate &to);

    PostgresCluster cluster_;
    QTemporaryDir work_;
    QList<TestLane> lanes_; // of the database "store"
};

// Lanes of store 1 prepared as tillano-setup prepares them, each selling
// varied sales (but the last, which sells nothing) and sending them.
QString TestStoreReports::makeStore(const QString &database, int lanes, int salesEach)
{
    cluster_.createDatabase(database, QStringLiteral("tillano"));
    const QString init = serverCommand({QStringLiteral("init"), cluster_.conninfo(database, QStringLiteral("tillano"))});
    if (init.startsWith(QLatin1String("failed")))
        return init;
    QDir().mkpath(work_.filePath(database));
    QList<TestLane> made;
    for (int terminal = 1; terminal <= lanes; ++terminal) {
        TestLane lane;
        const QString failure = TestLane::prepare(lane, work_.filePath(database),
                                                  cluster_.conninfo(database, QStringLiteral("lane")), 1, terminal);
        if (!failure.isEmpty())
            return failure;
        if (terminal < lanes)
            LaneSeller(lane.directory, unsigned(terminal), true).sell(salesEach, 20);
        const SyncRun sent = runSync(lane);
        if (sent.exitCode != 0)
            return sent.errors;
        made << lane;
    }
    if (database == QLatin1String("store"))
        lanes_ = made;
    return {};
}

StoreReportData TestStoreReports::read(StoreReportKind kind, const QDate &from, const QDate &to)
{
    ServerConnection server(cluster_.conninfo(QStringLiteral("store")));
    server.open();
    return readStoreReport(server, kind, {1, from, to});
}

void TestStoreReports::initTestCase()
{
    QCOMPARE(cluster_.start(), QString());
    cluster_.query(QStringLiteral("postgres"), QStringLiteral("CREATE ROLE tillano LOGIN CREATEROLE"));
    cluster_.query(QStringLiteral("postgres"), QStringLiteral("CREATE ROLE tillano_lane NOLOGIN"));
    cluster_.query(QStringLiteral("postgres"), QStringLiteral("CREATE ROLE lane LOGIN IN ROLE tillano_lane"));
    // Three lanes selling, a fourth without a sale.
    const QString made = makeStore(QStringLiteral("store"), 4, 150);
    QVERIFY2(made.isEmpty(), qPrintable(made));
    // A lane's role may run the reports, not read the sales themselves.
    ServerConnection lane(cluster_.conninfo(QStringLiteral("store"), QStringLiteral("lane")));
    lane.open();
    QCOMPARE(lane.query(QStringLiteral("SELECT count(*) FROM tillano.report_lanes(1, ?, ?)"), {FirstDay, LastDay})
                 .value(0).value(0).toInt(), 4);
    QVERIFY_THROWS_EXCEPTION(ServerError, lane.query(QStringLiteral("SELECT 1 FROM tillano.tranmaster")));
}

void TestStoreReports::figuresEqualTheLanes_data()
{
    QTest::addColumn<QString>("report");
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    for (const char *report : {"financial", "cashiers", "products", "departments", "line_totals"}) {
        QTest::addRow("%s, three days", report) << report << FirstDay << LastDay;
        QTest::addRow("%s, one day", report) << report << FirstDay.addDays(1) << FirstDay.addDays(1);
        QTest::addRow("%s, days without sales", report) << report << QDate(2026, 1, 1) << QDate(2026, 1, 31);
    }
}

// Every row of every report, for every lane (the one without sales too)
// and the store, to the cent.
void TestStoreReports::figuresEqualTheLanes()
{
    QFETCH(QString, report);
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    QStringList directories;
    std::transform(lanes_.cbegin(), lanes_.cend(), std::back_inserter(directories), [](const TestLane &l) { return l.directory; });
    ServerConnection server(cluster_.conninfo(QStringLiteral("store")));
    server.open();
    const QStringList differences = storeReportDifferences(server.database(), report, 1, from, to, directories);
    QVERIFY2(differences.isEmpty(), qPrintable(differences.join(QLatin1Char('\n'))));
}

// Every report of a small store as tillano-server writes it, exactly.
void TestStoreReports::csvOfASmallStore()
{
    const QString made = makeStore(QStringLiteral("small"), 2, 4);
    QVERIFY2(made.isEmpty(), qPrintable(made));
    // The moments the lanes last called, fixed; one lane still holding sales.
    cluster_.query(QStringLiteral("small"), QStringLiteral(
        "UPDATE tillano.lanes SET last_contact_at = '2026-03-09 18:00:00+00', "
        "last_sale_received_at = CASE WHEN last_sale_id IS NULL THEN NULL ELSE timestamptz '2026-03-09 17:59:30+00' END, "
        "sales_waiting = \"Terminal_id\" - 1, "
        "waiting_since = CASE WHEN \"Terminal_id\" = 2 THEN timestamptz '2026-03-09 17:30:00+00' END"));
    cluster_.query(QStringLiteral("small"), QStringLiteral(
        "UPDATE tillano.product SET \"Product_desc\" = 'Nuts, \"salted\"' WHERE \"Product_upc\" = "
        "(SELECT \"Trx_upc\" FROM tillano.trandetail ORDER BY \"Trx_id\", \"Trx_seq\" LIMIT 1)"));
    const QString conninfo = cluster_.conninfo(QStringLiteral("small"), QStringLiteral("tillano"));
    QString all;
    for (const char *name : {"financial", "cashiers", "products", "departments", "line-totals", "register",
                             "register-lines", "lanes"}) {
        all += QStringLiteral("== %1\n").arg(QLatin1String(name));
        all += serverCommand({QStringLiteral("report"), QLatin1String(name), QStringLiteral("--from"),
                              FirstDay.toString(Qt::ISODate), QStringLiteral("--to"), LastDay.toString(Qt::ISODate),
                              conninfo});
    }
    QCOMPARE(all, QString::fromUtf8(fileBytes(QStringLiteral(TEST_DATA_DIR "/store_reports_small_store.txt"))));

    // The lane still holding sales is named on standard error; a second
    // store makes --store needed.
    QString errors;
    serverCommand({QStringLiteral("report"), QStringLiteral("lanes"), QStringLiteral("--from"),
                   FirstDay.toString(Qt::ISODate), conninfo}, &errors);
    QVERIFY2(errors.startsWith(QLatin1String("tillano-server: Lane 2: Still on the lane: 1 sales, waiting since ")),
             qPrintable(errors));
    cluster_.query(QStringLiteral("small"), QStringLiteral("INSERT INTO tillano.control (\"Store_id\") VALUES (7)"));
    QCOMPARE(serverCommand({QStringLiteral("report"), QStringLiteral("lanes"), QStringLiteral("--from"),
                            FirstDay.toString(Qt::ISODate), conninfo}),
             QStringLiteral("failed: tillano-server: The store server holds stores 1, 7: name one with --store N.\n"));
}

void TestStoreReports::pages_data()
{
    // The last row of the caption ends with the store's figure of the table.
    QTest::addColumn<StoreReportKind>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");
    QTest::newRow("financial") << StoreReportKind::Financial << "Grand Total" << "financial" << "grand_total";
    QTest::newRow("cashiers") << StoreReportKind::Cashiers << "Change" << "cashiers" << "change";
    QTest::newRow("products") << StoreReportKind::Products << "Total Sales" << "line_totals" << "sales";
    QTest::newRow("departments") << StoreReportKind::Departments << "Total Sales" << "line_totals" << "sales";
    QTest::newRow("register") << StoreReportKind::Register << "Grand Total" << "financial" << "grand_total";
}

// Each page report names the lanes, each with its last sale or what the
// server lacks of it, and ends with the store's figures.
void TestStoreReports::pages()
{
    QFETCH(StoreReportKind, kind);
    QFETCH(QString, caption);
    QFETCH(QString, table);
    QFETCH(QString, column);
    cluster_.query(QStringLiteral("store"), QStringLiteral(
        "UPDATE tillano.lanes SET sales_waiting = 3, waiting_since = now() WHERE \"Terminal_id\" = 3"));
    const StoreReportData data = read(kind, FirstDay, LastDay);
    cluster_.query(QStringLiteral("store"), QStringLiteral("UPDATE tillano.lanes SET sales_waiting = 0, waiting_since = NULL"));
    LaneSeller lane(lanes_[0].directory);
    const QList<LaidOutPage> pages = makeStoreReport(lane.dataModule(), data)->layoutPages();
    const LaidOutPage &first = pages.first();
    QVERIFY(first.findText(QStringLiteral("Store 1, from 3/7/26 to 3/9/26")));
    QCOMPARE(PageText::rowOf(first, QStringLiteral("Lane 4")), (QStringList{"Lane 4", "No sale received yet."}));
    QVERIFY(PageText::rowOf(first, QStringLiteral("Lane 2"))
                .value(1)
                .startsWith(QLatin1String("150 sales in these days; last sale received: no. 1149 of 3/")));
    QCOMPARE(PageText::allTexts(pages).filter(QRegularExpression(QStringLiteral("^Still on the lane: 3 sales"))).size(), 1);
    const StoreReportTable &t = data.table(table);
    QStringList last = PageText::rowOf(pages.last(), caption, true);
    last.removeAll(QString()); // the columns a block leaves empty
    QCOMPARE(last.last(), currencyText(t.number(t.rowCount() - 1, t.column(column))));
}

// The window asks the server for the chosen report over the range and
// previews it; a backwards range gets a message instead.
void TestStoreReports::storeReportsWindow()
{
    LaneSeller lane(lanes_[0].directory);
    ScriptedDialogs dialogs;
    QStringList previewed;
    dialogs.onModal(QStringLiteral("ReportPreviewWindow"), [&](QDialog &d) {
        const RenderedReport *report = static_cast<ReportPreviewWindow &>(d).report();
        previewed << report->documentName() << report->page(0).texts().filter(QStringLiteral("Store 1"));
        return int(QDialog::Rejected);
    });
    StoreReportsWindow window(lane.dataModule(), [this](StoreReportKind kind, const QDate &from, const QDate &to) {
        return readStoreReportForLane(LaneSettings{cluster_.conninfo(QStringLiteral("store"), QStringLiteral("lane")),
                                                   QStringLiteral("1")},
                                      kind, from, to);
    });
    dialogs.onModal(QStringLiteral("StoreReportsWindow"), [&](QDialog &) {
        window.RegisterItem->click();
        window.DateTimePicker1->setDate(FirstDay);
        window.DateTimePicker2->setDate(LastDay);
        window.BitBtn1->click();
        window.DateTimePicker1->setDate(LastDay.addDays(1));
        window.BitBtn1->click();
        window.BitBtn3->click();
        return -1;
    });
    window.showForToday();
    QCOMPARE(previewed, (QStringList{"Store Sales Register Report", "Store 1, from 3/7/26 to 3/9/26"}));
    QCOMPARE(dialogs.messages(), QStringList{"The ending date is before the starting date."});
}

// The entry shows on a lane only; it is refused during a sale, and a
// server out of reach gets a message with the system's reason.
void TestStoreReports::storeReportsMenuOnALane()
{
    DemoShop shop;
    TForm1 &single = shop.start().mainWindow();
    QVERIFY(!single.Storereports1->isVisible());
    SettingsStore(shop.settingsPath()).write(StoreSection, QStringLiteral("Server"),
                                             QStringLiteral("host=%1/nowhere dbname=store").arg(work_.path()));
    SettingsStore(shop.settingsPath()).write(StoreSection, QStringLiteral("Store"), QStringLiteral("1"));
    TForm1 &window = shop.start().mainWindow();
    QVERIFY(window.Storereports1->isVisible());

    shop.leaveWorkLines(2);
    clickMenuEntry(window.MainMenu1, window.Reports1, window.Storereports1);
    QCOMPARE(shop.dialogs.messages(), QStringList{"This operation can not be done durring a transaction"});
    shop.leaveWorkLines(0);
    shop.dialogs.onModalOnce(QStringLiteral("StoreReportsWindow"), [](QDialog &d) {
        d.findChild<QPushButton *>(QStringLiteral("BitBtn1"))->click();
        return int(QDialog::Accepted);
    });
    clickMenuEntry(window.MainMenu1, window.Reports1, window.Storereports1);
    const QString said = shop.dialogs.messages().value(1);
    QVERIFY2(said.startsWith(QLatin1String("The store server could not give the report: connection to server on socket"))
                 && said.contains(QLatin1String("No such file or directory")),
             qPrintable(said));
}

QTEST_MAIN(TestStoreReports)
#include "test_store_reports.moc"
