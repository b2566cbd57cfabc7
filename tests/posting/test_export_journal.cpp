// The export journal: field texts, quoting, whole records byte for byte,
// appending each sale once, and a journal that cannot be written.
#include "posting_fixture.h"
#include "test_database.h"
#include "test_files.h"

#include "posting/export_journal.h"
#include "posting/journal_queue.h"
#include "posting/journal_records.h"
#include "posting/sale_posting.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

QLocale localeNamed(const QString &name)
{
    return name == QLatin1String("fr_CA") ? QLocale(QLocale::French, QLocale::Canada)
                                          : QLocale(QLocale::English, QLocale::UnitedStates);
}

// The mixed sale of the fixture and its journal records, in each locale.
const QByteArray MixedSaleEnglish =
    "0,1000,3/9/26,\"2:05:03 PM\",7,3.24,0.5,0.71,0,5,2,0,0,0,4,1,0,0,4.45,-7.55,3\r\n"
    "1,1000,101,\"Bread, whole wheat\",2,2.5,0,5,0,1.1,True,False,False,4101\r\n"
    "1,1000,202,\"Milk 2L\",1,3.99,0,3.99,0,1.1,False,True,False,4202\r\n"
    "1,1000,303,Candle,2,1.25,0.75,1.75,30,1.1,True,True,False,4303\r\n"
    "1,1000,999,\"12\"\" Pizza\",-1,7.5,0,-7.5,0,0,False,False,False,0\r\n";
const QByteArray MixedSaleFrench =
    "0,1000,2026-03-09,\"14 h 05 min 03 s\",7,\"3,24\",\"0,5\",\"0,71\",0,5,2,0,0,0,4,1,0,0,\"4,45\",\"-7,55\",3\r\n"
    "1,1000,101,\"Bread, whole wheat\",2,\"2,5\",0,5,0,\"1,1\",True,False,False,4101\r\n"
    "1,1000,202,\"Milk 2L\",1,\"3,99\",0,\"3,99\",0,\"1,1\",False,True,False,4202\r\n"
    "1,1000,303,Candle,2,\"1,25\",\"0,75\",\"1,75\",30,\"1,1\",True,True,False,4303\r\n"
    "1,1000,999,\"12\"\" Pizza\",-1,\"7,5\",0,\"-7,5\",0,0,False,False,False,0\r\n";

}

class TestExportJournal : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void fieldTexts_data();
    void fieldTexts();
    void wholeSales_data();
    void wholeSales();
    void journalThatCannotBeOpened();
    void appendOnce_data();
    void appendOnce();
    void journalThatCannotBeWritten();

private:
    void prepareSaleWithDeletedProduct();
    std::unique_ptr<TestDatabase> db_;
    QTemporaryDir workingDir_;
    std::unique_ptr<CurrentDirectory> cwd_;
};

void TestExportJournal::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestExportJournal::init()
{
    db_ = std::make_unique<TestDatabase>();
    QFile::remove(workingDir_.filePath(ExportJournal::FileName));
    cwd_ = std::make_unique<CurrentDirectory>(workingDir_.path());
}

void TestExportJournal::cleanup()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    cwd_.reset();
    db_.reset();
}

void TestExportJournal::fieldTexts_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("field"); // as it stands in the record

    const auto row = [](const char *name, const char *locale, const char *kind, const QVariant &value,
                        const QString &field) {
        QTest::newRow(name) << QString::fromLatin1(locale) << QString::fromLatin1(kind) << value << field;
    };
    row("12.50", "en_US", "money", 12.5, "12.5");
    row("3.00", "en_US", "money", 3.0, "3");
    row("change -4.25", "en_US", "money", -4.25, "-4.25");
    row("four decimals kept", "en_US", "money", 5.0745, "5.0745");
    row("rounded to four decimals", "en_US", "money", 2.34567, "2.3457");
    row("a tiny negative is zero", "en_US", "money", -0.00004, "0");
    row("no thousands separator", "en_US", "money", 1234567.8, "1234567.8");
    row("12.50 with a decimal comma", "fr_CA", "money", 12.5, "\"12,5\"");
    row("whole amount with a decimal comma", "fr_CA", "money", 3.0, "3");
    row("-4.25 with a decimal comma", "fr_CA", "money", -4.25, "\"-4,25\"");
    row("transaction number", "en_US", "whole", 1002.0, "1002");
    row("code with leading zeros", "en_US", "whole", QStringLiteral("012345").toDouble(), "12345");
    row("truncated toward zero", "en_US", "whole", -3.7, "-3");
    row("fifteen digits", "en_US", "whole", 123456789012345.0, "123456789012345");
    row("quantity 1", "en_US", "number", 1.0, "1");
    row("quantity 2.5", "en_US", "number", 2.5, "2.5");
    row("returned quantity", "en_US", "number", -3.0, "-3");
    row("fifteen significant digits", "en_US", "number", 1.0 / 3, "0.333333333333333");
    row("no group separator", "en_US", "number", 12345.5, "12345.5");
    row("quantity with a decimal comma", "fr_CA", "number", 2.5, "\"2,5\"");
    row("whole quantity, no French group separator", "fr_CA", "number", 12345.0, "12345");
    row("a million", "en_US", "number", 1e6, "1000000");
    row("fifteen whole digits", "en_US", "number", 999999999999999.0, "999999999999999");
    row("sixteen whole digits", "en_US", "number", 1e15, "1E+15");
    row("negative zero", "en_US", "number", -0.0, "0");
    row("flag on", "en_US", "flag", true, "True");
    row("flag off", "en_US", "flag", false, "False");
    row("flag without value", "en_US", "flag", QVariant(), "");
    row("one word", "en_US", "text", "Milk", "Milk");
    row("a blank", "en_US", "text", "Milk 2L", "\"Milk 2L\"");
    row("a comma", "en_US", "text", "Bread,white", "\"Bread,white\"");
    row("double quotes doubled", "en_US", "text", "say \"hi\"", "\"say \"\"hi\"\"\"");
    row("a control character", "en_US", "text", "a\tb", "\"a\tb\"");
    row("empty text", "en_US", "text", "", "");
    row("accents stay bare", "en_US", "text", QStringLiteral("Crème"), QStringLiteral("Crème"));
}

void TestExportJournal::fieldTexts()
{
    QFETCH(QString, locale);
    QFETCH(QString, kind);
    QFETCH(QVariant, value);
    QFETCH(QString, field);
    QLocale::setDefault(localeNamed(locale));

    QString text;
    if (kind == "money")
        text = JournalRecords::money(value.toDouble());
    else if (kind == "whole")
        text = JournalRecords::wholeNumber(value.toDouble());
    else if (kind == "number")
        text = JournalRecords::number(value.toDouble());
    else if (kind == "flag")
        text = JournalRecords::flag(value);
    else
        text = value.toString();
    QCOMPARE(JournalRecords::quoted(text), field);
}

void TestExportJournal::prepareSaleWithDeletedProduct()
{
    prepareMixedSale(*db_);
    // Rung before the product was deleted: no account to look up.
    addWorkLine(db_->dm(), {999, QStringLiteral("12\" Pizza"), -1, 7.5, -7.5});
    setWorkHeaderAmounts(db_->dm(), {{"Trxh_total", 3.24}, {"Trxh_grand_total", 4.45}});
}

void TestExportJournal::wholeSales_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QByteArray>("firstSale");
    QTest::newRow("en_US") << "en_US" << MixedSaleEnglish;
    QTest::newRow("fr_CA") << "fr_CA" << MixedSaleFrench;
}

void TestExportJournal::wholeSales()
{
    QFETCH(QString, locale);
    QFETCH(QByteArray, firstSale);
    QLocale::setDefault(localeNamed(locale));
    prepareSaleWithDeletedProduct();
    const QByteArray earlier = "0,999,written,before\r\n";
    writeFileBytes(ExportJournal::FileName, earlier);

    QCOMPARE(postSale(db_->dm(), 7), 1000.0);
    QCOMPARE(fileBytes(ExportJournal::FileName), earlier + firstSale);
    QCOMPARE(postSale(db_->dm(), 7), 1001.0);
    const QByteArray secondSale = QByteArray(firstSale).replace(",1000,", ",1001,");
    QCOMPARE(fileBytes(ExportJournal::FileName), earlier + firstSale + secondSale);
    // In the working directory, not the data directory.
    QVERIFY(!QFileInfo::exists(QDir(db_->directory()).filePath(ExportJournal::FileName)));
}

void TestExportJournal::journalThatCannotBeOpened()
{
    prepareSaleWithDeletedProduct();
    QVERIFY(QDir().mkdir(ExportJournal::FileName));
    const QString expectedPath = QDir::current().absoluteFilePath(ExportJournal::FileName);

    try {
        postSale(db_->dm(), 7);
        QFAIL("the failed journal write was not reported");
    } catch (const JournalWriteError &e) {
        QCOMPARE(e.filePath(), expectedPath);
        QCOMPARE(e.message(), "The sale is posted. The export journal " + expectedPath
                                  + " could not be written: Is a directory.\n\nThe journal records of 1 posted "
                                    "sale are kept; they are written after the next sale or at the next start of "
                                    "Tillano.");
    }
    // The sale stays posted, with its counter.
    TDataModule2 &dm = db_->dm();
    QCOMPARE(dm.tranmaster.recordCount(), 1);
    QCOMPARE(dm.tranmaster.field("Trxh_id").asFloat(), 1000.0);
    dm.Control.first();
    QCOMPARE(dm.Control.field("Ctrl_invoice_no").asFloat(), 1001.0);

    // Once the journal can be written again, the next sale goes in after
    // the one kept waiting.
    QVERIFY(QDir().rmdir(ExportJournal::FileName));
    QCOMPARE(postSale(dm, 7), 1001.0);
    QCOMPARE(fileBytes(ExportJournal::FileName),
             MixedSaleEnglish + QByteArray(MixedSaleEnglish).replace(",1000,", ",1001,"));
    QCOMPARE(JournalQueue::count(dm.database()), 0);
    // Only the till's user may read it.
    QCOMPARE(fileMode(ExportJournal::FileName), 0600);
}

// What the journal already ends with of a sale is not written again: the
// whole sale when the program stopped after its write, the rest of it when
// the write was cut short.
void TestExportJournal::appendOnce_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    const QByteArray earlier = "0,1000,x\r\n1,1000,y\r\n";
    const QByteArray sale = "0,1001,a\r\n1,1001,b\r\n";
    QTest::newRow("no journal yet") << QByteArray() << sale;
    QTest::newRow("after an earlier sale") << earlier << earlier + sale;
    QTest::newRow("written already") << earlier + sale << earlier + sale;
    QTest::newRow("cut after its first record") << earlier + sale.left(10) << earlier + sale;
    QTest::newRow("cut inside a record") << earlier + sale.left(13) << earlier + sale;
}

void TestExportJournal::appendOnce()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    if (!before.isEmpty())
        writeFileBytes(ExportJournal::FileName, before);
    ExportJournal().appendOnce("0,1001,a\r\n1,1001,b\r\n");
    QCOMPARE(fileBytes(ExportJournal::FileName), after);
}

void TestExportJournal::journalThatCannotBeWritten()
{
    // A full disk: the write fails after the file opened.
    ExportJournal full(QStringLiteral("/dev/full"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Cannot call seek on a sequential device"));
    QVERIFY_THROWS_EXCEPTION(JournalWriteError, full.appendOnce("0,1,x\r\n"));
    // Nothing to write touches nothing, not even a missing file.
    ExportJournal(QStringLiteral("never-created")).appendOnce({});
    QVERIFY(!QFileInfo::exists(QStringLiteral("never-created")));
}

QTEST_GUILESS_MAIN(TestExportJournal)
#include "test_export_journal.moc"
