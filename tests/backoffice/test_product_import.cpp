// The product import on a real database: what each kind of line makes of
// a new and of an existing product, the codes of real barcodes, the three
// encodings of the same file, the choice between the comma text and
// standard CSV, a spreadsheet's catalogue, the summary, a refusal of the
// table, files refused for their control characters, and bad input (one
// 10 MB line, 10,000 fields, random and mutated lines) that must never
// leave the table half-written.
#include "test_database.h"
#include "test_files.h"

#include "backoffice/import_file.h"
#include "backoffice/product_file.h"
#include "backoffice/product_import.h"
#include "common/language.h"
#include "store/sqlite_statement.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

constexpr double Existing = 123;

// The product as one line: code | descriptions | department | price |
// promotion and its dates | cost | taxes | account | qty/sales/ptd/qty
// sold/qty ptd/by week.
QString productRow(Table &p, double upc)
{
    if (!p.findKey(upc))
        return QStringLiteral("(no product)");
    const auto text = [&](const char *field) { return p.field(QLatin1String(field)).asString(); };
    const auto date = [&](const char *field) { return p.field(QLatin1String(field)).asDate().toString(Qt::ISODate); };
    const auto flag = [&](const char *field) { return p.field(QLatin1String(field)).asBoolean() ? "Y" : "N"; };
    return QStringList{text("Product_upc"), text("Product_desc"), text("Product_short_desc"), text("Product_dept"),
                       text("Product_price"), text("Product_promo"), date("Product_promo_start"),
                       date("Product_promo_end"), text("Product_avg_cost"),
                       QString::fromLatin1(flag("Product_tx1")) + flag("Product_tx2") + flag("Product_tx3"),
                       text("Product_accnt"),
                       QStringList{text("Product_qty"), text("Product_sales"), text("Product_sales_ptd"),
                                   text("Product_qty_sales"), text("Product_qty_sales_pdt"),
                                   text("Product_sales_by_week")}
                           .join(QLatin1Char('/'))}
        .join(QLatin1Char('|'));
}

// A product whose every field differs from what the lines write.
void addExisting(TDataModule2 &dm, double upc)
{
    Table &p = dm.producttb;
    p.append();
    const QList<QPair<const char *, QVariant>> values{
        {"Product_upc", upc}, {"Product_desc", "Old"}, {"Product_short_desc", "OLD"}, {"Product_dept", 9},
        {"Product_price", 5.0}, {"Product_promo", 4.0}, {"Product_promo_start", QDate(2026, 1, 1)},
        {"Product_promo_end", QDate(2026, 1, 31)}, {"Product_avg_cost", 3.0}, {"Product_tx1", true},
        {"Product_tx2", true}, {"Product_tx3", true}, {"Product_accnt", 1}, {"Product_qty", 12.0},
        {"Product_sales", 50.0}, {"Product_sales_ptd", 60.0}, {"Product_qty_sales", 2.0},
        {"Product_qty_sales_pdt", 3.0}, {"Product_sales_by_week", "w"}};
    for (const auto &[field, value] : values)
        p.field(QLatin1String(field)).setValue(value);
    p.post();
}

ProductFile read(const QByteArray &bytes)
{
    ImportText text(bytes);
    return readProductFile(text);
}

ImportSummary import(TDataModule2 &dm, const QByteArray &bytes)
{
    const ProductFile file = read(bytes);
    if (file.refused())
        qFatal("the file holds a control character");
    return ProductImport(dm).write(file);
}

// Whether a line of the summary starts with `expected`; else the summary.
QString summarySays(const ImportSummary &summary, const QString &expected)
{
    const QString text = importSummaryText(summary, QStringLiteral("f.csv"));
    const QStringList lines = text.split(QLatin1Char('\n'));
    return std::any_of(lines.cbegin(), lines.cend(), [&](const QString &l) { return l.startsWith(expected); })
        ? expected
        : text;
}

// Every line read is written or skipped once, and the table holds exactly
// what was added, each product whole: a code in range, texts within their
// sizes and free of control characters.
void checkAccounted(TDataModule2 &dm, const QByteArray &bytes, const ImportSummary &summary, int productsBefore)
{
    const ProductFile file = read(bytes);
    QCOMPARE(summary.added + summary.updated + summary.skipped, file.products.size() + file.summary.skipped);
    Table &p = dm.producttb;
    QCOMPARE(p.recordCount(), productsBefore + summary.added);
    const auto noControls = [](const QString &text) {
        return std::none_of(text.cbegin(), text.cend(), [](QChar c) { return c.category() == QChar::Other_Control; });
    };
    for (p.first(); !p.eof(); p.next()) {
        const double upc = p.field(QStringLiteral("Product_upc")).asFloat();
        QVERIFY(upc >= 1 && upc <= double(MaxImportUpc) && upc == std::trunc(upc));
        const QString desc = p.field(QStringLiteral("Product_desc")).asString();
        const QString shortDesc = p.field(QStringLiteral("Product_short_desc")).asString();
        QVERIFY(desc.size() <= 60 && shortDesc.size() <= 20);
        QVERIFY(noControls(desc) && noControls(shortDesc));
    }
}

}

class TestProductImport : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup() { setLanguageSetting(QStringLiteral("0")); }
    void lines_data();
    void lines();
    void encodings_data();
    void encodings();
    void summary_data();
    void summary();
    void transactionGivenUp();
    void readings_data();
    void readings();
    void spreadsheetCatalogue();
    void controlCharacters_data();
    void controlCharacters();
    void badInput_data();
    void badInput();
    void unreadableFiles();
    void randomAndMutatedLines();

private:
    std::unique_ptr<TestDatabase> linesDb_; // one for all the rows of lines()
};

void TestProductImport::initTestCase()
{
    linesDb_ = std::make_unique<TestDatabase>();
}

void TestProductImport::lines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<double>("upc");
    QTest::addColumn<QString>("added");   // into an empty table
    QTest::addColumn<QString>("updated"); // over the product addExisting() made

    const QString shirt = QStringLiteral("123,Shirt,SHIRT,2,19.99,0,,,7.50,%1,%2,%3,4000");
    const QString newShirt = QStringLiteral("123|Shirt|SHIRT|2|19.99|0|||7.5|%1|4000|0/0/0/0/0/");
    const QString updatedShirt = QStringLiteral("123|Shirt|SHIRT|2|19.99|0|2026-01-01|2026-01-31|7.5|%1|4000|12/50/60/2/3/w");
    QTest::newRow("the Shirt line") << shirt.arg("Y", "Y", "N") << Existing << newShirt.arg("YYN")
                                    << updatedShirt.arg("YYN");
    QTest::newRow("tax letters y t n") << shirt.arg("y", "t", "n") << Existing << newShirt.arg("YYN")
                                       << updatedShirt.arg("YYN");
    QTest::newRow("tax words T, Yes, F") << shirt.arg("T", "Yes", "F") << Existing << newShirt.arg("YYN")
                                         << updatedShirt.arg("YYN");
    QTest::newRow("tax 0, empty, no") << shirt.arg("0", "", "no") << Existing << newShirt.arg("NNN")
                                      << updatedShirt.arg("NNN");

    QTest::newRow("two words unquoted, a spreadsheet's way")
        << "123,Blue shirt,SHIRT,2,19.99,0,,,7.50,Y,Y,N,4000" << Existing
        << "123|Blue shirt|SHIRT|2|19.99|0|||7.5|YYN|4000|0/0/0/0/0/"
        << "123|Blue shirt|SHIRT|2|19.99|0|2026-01-01|2026-01-31|7.5|YYN|4000|12/50/60/2/3/w";
    QTest::newRow("a tab in a text becomes a blank") << "123,\"Blue\tshirt\",SHIRT\t,2,19.99,0,,,7.50,Y,Y,N,4000" << Existing
                                                     << "123|Blue shirt|SHIRT|2|19.99|0|||7.5|YYN|4000|0/0/0/0/0/"
                                                     << "123|Blue shirt|SHIRT|2|19.99|0|2026-01-01|2026-01-31|7.5|YYN|4000|12/50/60/2/3/w";
    QTest::newRow("two words quoted, with a comma and a quote")
        << "123,\"Blue shirt, 15\"\" collar\",SHIRT,2,19.99,0,,,7.50,Y,Y,N,4000" << Existing
        << "123|Blue shirt, 15\" collar|SHIRT|2|19.99|0|||7.5|YYN|4000|0/0/0/0/0/"
        << "123|Blue shirt, 15\" collar|SHIRT|2|19.99|0|2026-01-01|2026-01-31|7.5|YYN|4000|12/50/60/2/3/w";
    QTest::newRow("last field empty, trailing comma") << "123,Shirt,SHIRT,2,19.99,0,,,7.50,Y,Y,N," << Existing
                                                      << "123|Shirt|SHIRT|2|19.99|0|||7.5|YYN|0|0/0/0/0/0/"
                                                      << "123|Shirt|SHIRT|2|19.99|0|2026-01-01|2026-01-31|7.5|YYN|0|12/50/60/2/3/w";
    const QString skipped12 = QStringLiteral("Line 1: wrong number of fields (12 instead of 13)");
    QTest::newRow("12 fields") << "123,Shirt,SHIRT,2,19.99,0,,,7.50,Y,Y,N" << Existing << skipped12 << skipped12;
    const QString skipped14 = QStringLiteral("Line 1: wrong number of fields (14 instead of 13)");
    QTest::newRow("an unquoted comma") << "123,Shirt, blue,SHIRT,2,19.99,0,,,7.50,Y,Y,N,4000" << Existing << skipped14
                                       << skipped14;

    QTest::newRow("letters in the prices and the cost")
        << "123,Shirt,SHIRT,2,abc,n/a,,,cost,Y,Y,N,4000" << Existing << "123|Shirt|SHIRT|2|0|0|||0|YYN|4000|0/0/0/0/0/"
        << "123|Shirt|SHIRT|2|5|4|2026-01-01|2026-01-31|3|YYN|4000|12/50/60/2/3/w";
    QTest::newRow("letters in the department, account beyond 32 bits")
        << "123,Shirt,SHIRT,dept,19.99,0,,,7.50,Y,Y,N,99999999999" << Existing
        << "123|Shirt|SHIRT|0|19.99|0|||7.5|YYN|0|0/0/0/0/0/"
        << "123|Shirt|SHIRT|0|19.99|0|2026-01-01|2026-01-31|7.5|YYN|0|12/50/60/2/3/w";
    QTest::newRow("promotion dates, short and with four-digit years")
        << "123,Shirt,SHIRT,2,19.99,15.99,3/1/26,3/15/2026,7.50,Y,Y,N,4000" << Existing
        << "123|Shirt|SHIRT|2|19.99|15.99|2026-03-01|2026-03-15|7.5|YYN|4000|0/0/0/0/0/"
        << "123|Shirt|SHIRT|2|19.99|15.99|2026-03-01|2026-03-15|7.5|YYN|4000|12/50/60/2/3/w";
    QTest::newRow("dates that are no dates") << "123,Shirt,SHIRT,2,19.99,0,soon,13/45/26,7.50,Y,Y,N,4000" << Existing
                                              << newShirt.arg("YYN") << updatedShirt.arg("YYN");
    QTest::newRow("texts cut to their field sizes")
        << "123," + QString(70, u'd') + "," + QString(25, u's') + ",2,19.99,0,,,7.50,Y,Y,N,4000" << Existing
        << "123|" + QString(60, u'd') + "|" + QString(20, u's') + "|2|19.99|0|||7.5|YYN|4000|0/0/0/0/0/"
        << "123|" + QString(60, u'd') + "|" + QString(20, u's')
            + "|2|19.99|0|2026-01-01|2026-01-31|7.5|YYN|4000|12/50/60/2/3/w";

    // Codes: real barcodes have 12 and 13 digits, often with leading zeros.
    const QString coded = QStringLiteral("%1,Shirt,SHIRT,2,19.99,0,,,7.50,Y,Y,N,4000");
    const auto added = [](const char *upc) {
        return QStringLiteral("%1|Shirt|SHIRT|2|19.99|0|||7.5|YYN|4000|0/0/0/0/0/").arg(QLatin1String(upc));
    };
    const auto updated = [](const char *upc) {
        return QStringLiteral("%1|Shirt|SHIRT|2|19.99|0|2026-01-01|2026-01-31|7.5|YYN|4000|12/50/60/2/3/w")
            .arg(QLatin1String(upc));
    };
    QTest::newRow("UPC-A with a leading zero") << coded.arg("062813100018") << 62813100018.0 << added("62813100018")
                                               << updated("62813100018");
    QTest::newRow("EAN-13") << coded.arg("9780201633610") << 9780201633610.0 << added("9780201633610")
                            << updated("9780201633610");
    QTest::newRow("largest code") << coded.arg("9999999999999") << 9999999999999.0 << added("9999999999999")
                                  << updated("9999999999999");
    QTest::newRow("hexadecimal") << coded.arg("$7B") << Existing << newShirt.arg("YYN") << updatedShirt.arg("YYN");
    QTest::newRow("many leading zeros, a sign, blanks inside quotes")
        << coded.arg("\" +000000000000000000123\"") << Existing << newShirt.arg("YYN") << updatedShirt.arg("YYN");
    const auto invalid = [](const char *upc) {
        return QStringLiteral("Line 1: invalid UPC \"%1\"").arg(QLatin1String(upc));
    };
    QTest::newRow("UPC 0") << coded.arg("0") << Existing << invalid("0") << invalid("0");
    QTest::newRow("14 digits") << coded.arg("10000000000000") << 1e13 << invalid("10000000000000")
                               << invalid("10000000000000");
    QTest::newRow("negative") << coded.arg("-123") << Existing << invalid("-123") << invalid("-123");
    QTest::newRow("fraction") << coded.arg("123.5") << Existing << invalid("123.5") << invalid("123.5");
    QTest::newRow("a heading, passed over") << coded.arg("UPC") << Existing << "Lines skipped: 0" << "Lines skipped: 0";
}

void TestProductImport::lines()
{
    QFETCH(QString, line);
    QFETCH(double, upc);
    QFETCH(QString, added);
    QFETCH(QString, updated);
    TestDatabase &db = *linesDb_;
    for (const bool existing : {false, true}) {
        db.dm().producttb.emptyTable();
        if (existing)
            addExisting(db.dm(), upc);
        const QString before = productRow(db.dm().producttb, upc);
        const ImportSummary summary = import(db.dm(), line.toUtf8() + "\r\n");
        const QString expected = existing ? updated : added;
        if (!expected.startsWith(QLatin1String("Line"))) {
            QCOMPARE(summary.added, existing ? 0 : 1);
            QCOMPARE(summary.updated, existing ? 1 : 0);
            QCOMPARE(productRow(db.dm().producttb, upc), expected);
        } else {
            QCOMPARE(summarySays(summary, expected), expected);
            QCOMPARE(productRow(db.dm().producttb, upc), before);
        }
        QCOMPARE(db.dm().producttb.recordCount(), existing || summary.added == 1 ? 1 : 0);
    }
}

void TestProductImport::encodings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("utf8");
    const QByteArray utf8 = "123,\"Café moulu, 9,99 €\",CAFÉ,2,9.99,0,,,5,Y,N,N,4000\n";
    QTest::newRow("UTF-8 with BOM") << "\xEF\xBB\xBF" + utf8 << true;
    QTest::newRow("UTF-8") << utf8 << true;
    QTest::newRow("Windows-1252") << QByteArray("123,\"Caf\xE9 moulu, 9,99 \x80\",CAF\xC9,2,9.99,0,,,5,Y,N,N,4000\n")
                                  << false;
    QTest::newRow("Windows-1252 after a BOM")
        << QByteArray("\xEF\xBB\xBF" "123,\"Caf\xE9 moulu, 9,99 \x80\",CAF\xC9,2,9.99,0,,,5,Y,N,N,4000") << false;
}

void TestProductImport::encodings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, utf8);
    TestDatabase db;
    QCOMPARE(ImportText(bytes).isUtf8(), utf8);
    QCOMPARE(import(db.dm(), bytes).added, 1);
    QCOMPARE(productRow(db.dm().producttb, Existing), QStringLiteral("123|Café moulu, 9,99 €|CAFÉ|2|9.99|0|||5|YNN|4000|0/0/0/0/0/"));
}

void TestProductImport::summary_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("expected");
    QTest::newRow("English") << "0" << "import_summary.txt";
    QTest::newRow("French") << "1" << "import_summary_fr.txt";
}

// A spreadsheet's file: its heading, a blank line, lines of every kind,
// a code repeated (the last line wins), a line the table refuses, and more
// than ten lines skipped, listed in the order of the file.
void TestProductImport::summary()
{
    QFETCH(QString, language);
    QFETCH(QString, expected);
    setLanguageSetting(language);
    TestDatabase db;
    addExisting(db.dm(), 62813100018.0);
    executeSql(db.dm().database().handle(),
               QStringLiteral("CREATE TRIGGER price_checked BEFORE INSERT ON product WHEN NEW.Product_price < 0 "
                              "BEGIN SELECT RAISE(ABORT, 'a price cannot be negative'); END"));
    QByteArray file = "UPC,Description,Short,Dept,Price,Promo,Start,End,Cost,Tax1,Tax2,Tax3,Account\r\n"
                      "062813100018,\"Dark roast beans 1 kg\",\"Dark roast\",10,27.10,,,,8.25,Y,Y,N,4010\r\n"
                      "\r\n"
                      "062813400019,\"Dish soap 500 ml\",Soap,40,3.49,,,,1.50,Y,Y,N,4040\r\n"
                      "062813400019,\"Dish soap 500 ml\",Soap,40,3.29,,,,1.50,Y,Y,N,4040\r\n"
                      "062813400040,Dish soap 1 l,Soap,40,5.29,,,,2.50,Y,Y,N,4040\r\n"
                      "062813400026,Broom,Broom,40,-1,,,,5,Y,Y,N,4040\r\n"
                      "062813400033,Mop,Mop,40,12.99,,,,5,Y,Y,N\r\n"
                      "062813400057,Mop, large,Mop,40,14.99,,,,5,Y,Y,N,4040\r\n";
    for (int i = 0; i < 10; ++i)
        file += "0,Nothing,Nothing,0,0,0,,,0,N,N,N,0\r\n";
    const ImportSummary summary = import(db.dm(), file);
    QCOMPARE(importSummaryText(summary, QStringLiteral("catalogue.csv")) + QLatin1Char('\n'),
             QString::fromUtf8(fileBytes(QStringLiteral(TEST_DATA_DIR "/") + expected)));
    QCOMPARE(db.dm().producttb.recordCount(), 3);
    QVERIFY(productRow(db.dm().producttb, 62813400040.0).startsWith(QStringLiteral("62813400040|Dish soap 1 l|Soap|40|5.29|")));
    QVERIFY(productRow(db.dm().producttb, 62813400019.0).startsWith(QStringLiteral("62813400019|Dish soap 500 ml|Soap|40|3.29|")));
    QVERIFY(productRow(db.dm().producttb, 62813100018.0).endsWith(QStringLiteral("|8.25|YYN|4010|12/50/60/2/3/w")));
}

// The database gives up the transaction (a full disk is made to happen by
// a trigger that rolls back): nothing of the file stays, and no later line
// is written on its own.
void TestProductImport::transactionGivenUp()
{
    TestDatabase db;
    executeSql(db.dm().database().handle(),
               QStringLiteral("CREATE TRIGGER disk_full BEFORE INSERT ON product WHEN NEW.Product_upc = 2 "
                              "BEGIN SELECT RAISE(ROLLBACK, 'database or disk is full'); END"));
    const ImportSummary summary = import(db.dm(), "1,One,ONE,0,1,0,,,0,N,N,N,0\n"
                                                  "2,Two,TWO,0,1,0,,,0,N,N,N,0\n"
                                                  "3,Three,THREE,0,1,0,,,0,N,N,N,0\n");
    QCOMPARE(importSummaryText(summary, QStringLiteral("f.csv")),
             QStringLiteral("The import of f.csv stopped at line 2: Table product: database or disk is full\n"
                            "Nothing of the file was imported."));
    QCOMPARE(db.dm().producttb.recordCount(), 0);
    QVERIFY(!db.dm().database().inTransaction());
    QCOMPARE(import(db.dm(), "3,Three,THREE,0,1,0,,,0,N,N,N,0\n").added, 1); // the store works on
}

void TestProductImport::readings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("standardCsv");
    QTest::addColumn<QStringList>("descriptions"); // of the products read, in file order

    const QByteArray line = ",SHIRT,2,19.99,0,,,7.50,Y,Y,N,4000\n";
    QTest::newRow("an older till's, blanks around the fields")
        << QByteArray("123 , \"Blue shirt\" , SHIRT ,2,19.99,0,,,7.50,Y,Y,N,4000\n124,Shirt" + line) << false
        << QStringList{"Blue shirt", "Shirt"};
    QTest::newRow("a comma after the last of 13 fields")
        << QByteArray("123,Shirt,SHIRT,2,19.99,0,,,7.50,Y,Y,N,4000,\n124,Shirt" + line) << false
        << QStringList{"Shirt", "Shirt"};
    // Read as comma text, the blank splits the description and the empty
    // account makes up for it: 13 fields, none in its place.
    QTest::newRow("a blank in a description, the last field empty")
        << QByteArray("123,Blue shirt,SHIRT,2,19.99,0,,,7.50,Y,Y,N,\n124,Shirt" + line) << true
        << QStringList{"Blue shirt", "Shirt"};
    QTest::newRow("a text over two lines")
        << QByteArray("123,\"Blue\r\nshirt\"" + line + "124,Shirt" + line) << true
        << QStringList{"Blue shirt", "Shirt"};
    QTest::newRow("a quote never closed ends with its line")
        << QByteArray("123,\"Blue shirt" + line + "124,\"Shirt\"" + line + "125,Shirt" + line) << false
        << QStringList{"Shirt", "Shirt"};
}

// Which reading a file gets, and what it makes of the lines.
void TestProductImport::readings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, standardCsv);
    QFETCH(QStringList, descriptions);
    const ProductFile file = read(bytes);
    QCOMPARE(file.reading == ImportReading::StandardCsv, standardCsv);
    QStringList read;
    for (const ProductLine &line : file.products)
        read << line.desc;
    QCOMPARE(read, descriptions);
}

// A catalogue written by Python's csv module with its defaults (quotes
// only where needed, CRLF): blanks, accents, doubled quotes, a text over
// two lines, empty last fields. Every line goes in, over an older product.
void TestProductImport::spreadsheetCatalogue()
{
    TestDatabase db;
    addExisting(db.dm(), 62813400019.0);
    const QByteArray bytes = fileBytes(QStringLiteral(TEST_DATA_DIR "/spreadsheet_catalogue.csv"));
    const ProductFile file = read(bytes);
    QCOMPARE(file.headingLine, 1);
    const ImportSummary summary = ProductImport(db.dm()).write(file);
    QCOMPARE(summary.skipped, 0);
    QCOMPARE(summary.added, 8);
    QCOMPARE(summary.updated, 1);
    QStringList rows;
    Table &p = db.dm().producttb;
    for (p.first(); !p.eof(); p.next())
        rows << productRow(p, p.field(QStringLiteral("Product_upc")).asFloat());
    QCOMPARE(rows.join(QLatin1Char('\n')) + QLatin1Char('\n'),
             QString::fromUtf8(fileBytes(QStringLiteral(TEST_DATA_DIR "/spreadsheet_catalogue_products.txt"))));
}

void TestProductImport::controlCharacters_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("code");

    const QByteArray good = "123,Shirt,SHIRT,2,19.99,0,,,7.50,Y,Y,N,4000\r\n";
    QTest::newRow("a NUL inside quotes") << good + "124,\"Sh" + QByteArray(1, '\0') + "irt\",S,2,1,0,,,1,Y,Y,N,1\r\n" + good
                                         << 2 << 0x00;
    QTest::newRow("a NUL on a line of blanks") << good + good + "  " + QByteArray(1, '\0') + "\n" << 3 << 0x00;
    QTest::newRow("a form feed after mixed line ends") << good + "\r\n\r" + good + "\f" << 5 << 0x0C;
    QTest::newRow("DEL") << QByteArray("123,Shirt\x7F,SHIRT,2,19.99,0,,,7.50,Y,Y,N,4000") << 1 << 0x7F;
    QTest::newRow("a C1 control in UTF-8") << good + "124,Caf\xC3\xA9\xC2\x85,S,2,1,0,,,1,Y,Y,N,1" << 2 << 0x85;
    QTest::newRow("a byte Windows-1252 leaves undefined") << good + "124,Caf\xE9\x81,S,2,1,0,,,1,Y,Y,N,1" << 2 << 0x81;
    QByteArray binary(256 * 1024, '\0');
    QRandomGenerator random(42);
    for (char &byte : binary)
        byte = char(random.bounded(256));
    QTest::newRow("a binary file") << binary << -1 << -1; // -1: wherever chance puts it
}

// A file holding a control character other than a tab and the line ends
// is refused whole, naming its first line that holds one.
void TestProductImport::controlCharacters()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, line);
    QFETCH(int, code);
    const ProductFile file = read(bytes);
    QVERIFY(file.refused());
    if (line >= 0)
        QCOMPARE(file.controlCharacter.lineNumber, line);
    if (code >= 0)
        QCOMPARE(int(file.controlCharacter.code), code);
    QVERIFY(file.products.isEmpty());
}

void TestProductImport::badInput_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("added"); // -1: whatever chance makes of it
    QTest::addColumn<QString>("said"); // a line of the summary, or how it starts

    QTest::newRow("one 10 MB line, a description") << "123,\"" + QByteArray(10 << 20, 'x') + "\",X,0,1,0,,,0,N,N,N,0"
                                                   << 1 << "Lines skipped: 0";
    QTest::newRow("one 10 MB line of commas") << QByteArray(10 << 20, ',') << 0
                                              << "Line 1: wrong number of fields (10,485,760 instead of 13)";
    QByteArray wide = "123";
    for (int i = 1; i < 10000; ++i)
        wide += ",x";
    QTest::newRow("10,000 fields") << wide << 0 << "Line 1: wrong number of fields (10,000 instead of 13)";
}

void TestProductImport::badInput()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, added);
    QFETCH(QString, said);
    TestDatabase db;
    const ImportSummary summary = import(db.dm(), bytes);
    if (added >= 0)
        QCOMPARE(summary.added, added);
    QCOMPARE(summarySays(summary, said), said);
    checkAccounted(db.dm(), bytes, summary, 0);
}

void TestProductImport::unreadableFiles()
{
    QTemporaryDir dir;
    QByteArray bytes;
    QString error;
    QVERIFY(!readImportFile(dir.path(), bytes, error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!readImportFile(dir.filePath(QStringLiteral("missing.csv")), bytes, error));
    QVERIFY(!error.isEmpty());

    // Too large for a product list, whether it says its size or not.
    const QString big = writeFileBytes(dir.filePath(QStringLiteral("big.csv")), QByteArray((1 << 20) + 1, 'x'));
    for (const QString &path : {big, QStringLiteral("/dev/zero")}) {
        QVERIFY(!readImportFile(path, bytes, error, 1 << 20));
        QCOMPARE(error, QStringLiteral("it holds more than 1 MB, too much for a product list"));
        QVERIFY(bytes.isEmpty());
    }
    QVERIFY(readImportFile(big, bytes, error, 2 << 20));
    QCOMPARE(bytes.size(), (1 << 20) + 1);
}

// Random text, random quoted fields and valid lines with random edits,
// imported twice: every line is accounted for each time, the second time
// every product taken is an update.
void TestProductImport::randomAndMutatedLines()
{
    QRandomGenerator random(20260309);
    const QByteArray alphabet(",,,\"\" \t\r\n" "0123456789$-+.eEyYtTnN\xC3\xA9\x80\xFF", 35);
    const QByteArray valid = "062813100018,\"Dark roast beans 1 kg\",\"Dark roast\",10,27.10,25.99,3/1/26,3/15/26,8.25,Y,Y,N,4010";
    QByteArray file;
    for (int i = 0; i < 3000; ++i) {
        QByteArray line;
        switch (i % 3) {
        case 0: // valid, with a few random edits
            line = valid;
            line.replace(0, 12, QByteArray::number(random.bounded(1, 500)));
            for (int edits = int(random.bounded(4)); edits > 0; --edits) {
                const int at = int(random.bounded(line.size()));
                const char ch = alphabet[int(random.bounded(alphabet.size()))];
                random.bounded(2) ? line.insert(at, ch) : line.replace(at, 1, QByteArray(1, ch));
            }
            break;
        case 1: // random text: any byte but the control characters
            for (int n = int(random.bounded(200)); n > 0; --n) {
                const int byte = int(random.bounded(0x20, 0x160)) % 0x100;
                line += char(byte < 0x20 || (byte >= 0x7F && byte < 0xA0) ? ' ' : byte);
            }
            break;
        default: // random short fields, sometimes quoted
            for (int f = int(random.bounded(10, 16)); f > 0; --f) {
                QByteArray field;
                for (int n = int(random.bounded(6)); n > 0; --n)
                    field += alphabet[int(random.bounded(alphabet.size()))];
                if (random.bounded(2))
                    field = '"' + field.replace("\"", "\"\"") + '"';
                line += field + ',';
            }
        }
        file += line + '\n';
    }
    TestDatabase db;
    const ImportSummary first = import(db.dm(), file);
    checkAccounted(db.dm(), file, first, 0);
    QVERIFY2(first.added > 100, "the valid lines with few edits mostly go in");
    const ImportSummary second = import(db.dm(), file);
    checkAccounted(db.dm(), file, second, first.added);
    QCOMPARE(second.added, 0);
    QCOMPARE(second.updated, first.added + first.updated);
}

QTEST_MAIN(TestProductImport)
#include "test_product_import.moc"
