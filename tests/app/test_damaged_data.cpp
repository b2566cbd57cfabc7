// Start-up on a database it must refuse: missing, empty, not a database,
// damaged, foreign (a table, a column or a record missing), read-only, or
// a data directory named by an absurd setting. The message names the file,
// the problem and what to do; the refused file is never written.
#include "running_shop.h"
#include "test_database.h"
#include "test_files.h"

#include "app/application_shell.h"

#include <QSqlQuery>
#include <QtTest>
#include <unistd.h>

namespace {

// Runs SQL on the shop's database through a connection of its own, which
// leaves no WAL behind.
void alter(const QString &databaseFile, const QStringList &statements)
{
    OwnConnection db(databaseFile);
    for (const QString &sql : statements)
        QVERIFY2(db.exec(sql), qPrintable(sql));
    db.exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
}

// Overwrites bytes of a file in place.
void writeBytes(const QString &path, qint64 offset, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.seek(offset));
    f.write(bytes);
}

}

class TestDamagedData : public QObject {
    Q_OBJECT
private slots:
    void refusedWithoutWriting_data();
    void refusedWithoutWriting();
    void absurdDataSettingGivesASmallMessage();
};

void TestDamagedData::refusedWithoutWriting_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("problem"); // the message's first paragraph; %1 is the database file
    const QString damaged = QStringLiteral("The database %1 is damaged (%2).");
    const QString foreign = QStringLiteral("The database %1 is not the database of a Tillano shop (%2).");
    QTest::newRow("missing") << "missing" << "There is no database %1 (the file is missing).";
    QTest::newRow("zero bytes") << "empty" << damaged.arg("%1", "the file is empty, 0 bytes");
    QTest::newRow("a text file") << "text" << damaged.arg("%1", "the file is not an SQLite database");
    QTest::newRow("a damaged page") << "page" << damaged.arg("%1", "*");
    QTest::newRow("a column missing") << "column"
                                      << foreign.arg("%1", "the table product has no column Product_accnt");
    QTest::newRow("a table missing") << "table" << foreign.arg("%1", "the table money is missing");
    QTest::newRow("no control record") << "record" << foreign.arg("%1", "the table control has lost its record");
    QTest::newRow("read-only") << "read-only"
                               << "Tillano may not read and write the database %1 (posdb.sqlite3 may not be written).";
}

void TestDamagedData::refusedWithoutWriting()
{
    QFETCH(QString, damage);
    QFETCH(QString, problem);
    DemoShop shop;
    const QString file = shop.databaseFile();
    alter(file, {}); // one file, no WAL
    if (damage == "missing") {
        QVERIFY(QFile::remove(file));
    } else if (damage == "empty") {
        writeFileBytes(file, {});
    } else if (damage == "text") {
        writeFileBytes(file, "Cashier list\n1 Manager\n");
    } else if (damage == "page") {
        int page = 0;
        {
            OwnConnection db(file);
            QSqlQuery q(QStringLiteral("SELECT rootpage FROM sqlite_master WHERE name = 'product'"), db.db());
            QVERIFY(q.next());
            page = q.value(0).toInt();
        }
        writeBytes(file, qint64(page - 1) * 4096, QByteArray(64, '\xff'));
    } else if (damage == "column") {
        alter(file, {QStringLiteral("ALTER TABLE product DROP COLUMN Product_accnt")});
    } else if (damage == "table") {
        alter(file, {QStringLiteral("DROP TABLE money")});
    } else if (damage == "record") {
        alter(file, {QStringLiteral("DELETE FROM control")});
    } else if (damage == "read-only") {
        if (::geteuid() == 0)
            QSKIP("root may write any file");
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner));
    }
    const QByteArray before = fileBytes(file);

    ApplicationShell &shell = shop.start();
    QVERIFY(shell.startUpFailed());
    QCOMPARE(shop.dialogs.log.size(), 1); // the message, and no sign-in
    const QStringList paragraphs = shop.dialogs.messages().value(0).split(QStringLiteral("\n\n"));
    // A "*" stands for SQLite's own words.
    const QStringList around = problem.arg(file).split(QLatin1Char('*'));
    QVERIFY2(paragraphs.first().startsWith(around.first()) && paragraphs.first().endsWith(around.last()),
             qPrintable(paragraphs.first()));
    // tillano-setup is for a till without a database, and only then.
    const bool setupAdvised = paragraphs.value(1).contains(QStringLiteral("tillano-setup DIRECTORY"));
    QCOMPARE(setupAdvised, damage == "missing");
    QCOMPARE(fileBytes(file), before);
}

void TestDamagedData::absurdDataSettingGivesASmallMessage()
{
    DemoShop shop;
    const QString megabyte = QStringLiteral("/tmp/") + QString(1 << 20, QLatin1Char('x'));
    shop.setSetting(QStringLiteral("Data"), megabyte);
    QVERIFY(shop.start().startUpFailed());
    const QString message = shop.dialogs.messages().value(0);
    QVERIFY2(message.startsWith(QStringLiteral("The data directory /tmp/xxx")), qPrintable(message.left(200)));
    QVERIFY2(message.size() < 1000, qPrintable(QString::number(message.size())));
}

QTEST_MAIN(TestDamagedData)
#include "test_damaged_data.moc"
