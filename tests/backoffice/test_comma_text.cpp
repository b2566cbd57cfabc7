// The splitting of an import line into fields, rule by rule, by the comma
// text of older tills and by standard CSV, and a property checked on
// random fields: any list of texts written quoted and comma-separated
// splits back into exactly that list.
#include "backoffice/comma_text.h"
#include "backoffice/import_file.h"
#include "backoffice/standard_csv.h"

#include <QRandomGenerator>
#include <QtTest>

class TestCommaText : public QObject {
    Q_OBJECT
private slots:
    void rules_data();
    void rules();
    void quotedFieldsComeBack();
    void records_data();
    void records();
};

void TestCommaText::rules_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QStringList>("csv"); // as standard CSV reads the line

    const QStringList plain{"123", "Shirt", "SHIRT"};
    QTest::newRow("plain") << "123,Shirt,SHIRT" << plain << plain;
    // Files holding control characters other than tabs are refused before
    // they are read.
    QTest::newRow("blanks and controls around fields skipped")
        << " \t123 ,\x01 Shirt\x1f , SHIRT  " << plain << QStringList{"123", "\x01 Shirt\x1f", "SHIRT"};
    QTest::newRow("a blank splits an unquoted field")
        << "123,Blue shirt,X" << QStringList{"123", "Blue", "shirt", "X"} << QStringList{"123", "Blue shirt", "X"};
    QTest::newRow("a NUL splits like a blank") << QString::fromUtf8("12\0003,X", 6) << QStringList{"12", "3", "X"}
                                               << QStringList{QString::fromUtf8("12\0003", 4), "X"};
    const QStringList withComma{"123", "Blue shirt, large", "X"};
    QTest::newRow("quoted field keeps commas and blanks") << "123,\"Blue shirt, large\",X" << withComma << withComma;
    QTest::newRow("blanks before a quoted field") << "123,  \"Blue shirt, large\" ,X" << withComma << withComma;
    const QStringList quotes{"15\" collar", "\""};
    QTest::newRow("two quotes stand for one") << "\"15\"\" collar\",\"\"\"\"" << quotes << quotes;
    QTest::newRow("empty quoted field") << "a,\"\",b" << QStringList{"a", "", "b"} << QStringList{"a", "", "b"};
    QTest::newRow("quote not closed runs to the end")
        << "a,\"open, still" << QStringList{"a", "open, still"} << QStringList{"a", "open, still"};
    QTest::newRow("text after a closing quote") << "\"ab\"cd,e" << QStringList{"ab", "cd", "e"}
                                                << QStringList{"abcd", "e"};
    QTest::newRow("quote inside an unquoted field is text")
        << "ab\"c,d" << QStringList{"ab\"c", "d"} << QStringList{"ab\"c", "d"};
    QTest::newRow("two commas give an empty field") << "a,,b" << QStringList{"a", "", "b"} << QStringList{"a", "", "b"};
    QTest::newRow("a blank between two commas is nothing")
        << "a, ,b" << QStringList{"a", "", "b"} << QStringList{"a", "", "b"};
    QTest::newRow("leading comma gives an empty field") << ",a" << QStringList{"", "a"} << QStringList{"", "a"};
    QTest::newRow("trailing comma") << "a,b," << QStringList{"a", "b"} << QStringList{"a", "b", ""};
    QTest::newRow("trailing comma and blanks") << "a,b,  " << QStringList{"a", "b"} << QStringList{"a", "b", ""};
    QTest::newRow("only a comma") << "," << QStringList{""} << QStringList{"", ""};
    QTest::newRow("blank line") << " \t " << QStringList{} << QStringList{};
}

void TestCommaText::rules()
{
    QFETCH(QString, line);
    QFETCH(QStringList, fields);
    QFETCH(QStringList, csv);
    QCOMPARE(splitCommaText(line), fields);
    bool alike = false;
    QCOMPARE(standardCsvFields(line, &alike).kept, csv);
    QCOMPARE(alike, csv == fields); // the reader tells it without the comma text
}

void TestCommaText::quotedFieldsComeBack()
{
    // Characters that matter to the rules come often.
    const QString alphabet = QStringLiteral(",\"\" \t\x01\r\nabcXYZ019$é€\u0000");
    QRandomGenerator random(20260309);
    for (int round = 0; round < 3000; ++round) {
        QStringList fields;
        const int count = int(random.bounded(1, 20));
        for (int f = 0; f < count; ++f) {
            QString field;
            for (int n = int(random.bounded(12)); n > 0; --n)
                field += alphabet[int(random.bounded(alphabet.size()))];
            fields << field;
        }
        QStringList quoted;
        for (const QString &field : fields)
            quoted << QLatin1Char('"') + QString(field).replace(QStringLiteral("\""), QStringLiteral("\"\""))
                    + QLatin1Char('"');
        const QString line = quoted.join(QLatin1Char(','));
        QVERIFY2(splitCommaText(line) == fields, qPrintable(QStringLiteral("round %1: %2").arg(round).arg(line)));
        bool alike = false;
        if (fields.size() < ImportFields::Kept)
            QVERIFY2(standardCsvFields(line, &alike).kept == fields && alike,
                     qPrintable(QStringLiteral("round %1: %2").arg(round).arg(line)));
    }
}

// Records of a file, read by the standard reader: fields read in place in
// a record's lines stay right until the next record.
void TestCommaText::records_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QList<QStringList>>("records");

    QTest::newRow("BOM, CRLF, empty fields") << QByteArray("\xEF\xBB\xBF\"a\",,\"\"\r\n\"\",b,\r\n")
                                             << QList<QStringList>{{"a", "", ""}, {"", "b", ""}};
    QTest::newRow("quotes doubled at either end, commas inside")
        << QByteArray("\"\"\"x, y\",\"z\"\"\"\n\"\"\"\"\n")
        << QList<QStringList>{{"\"x, y", "z\""}, {"\""}};
    QTest::newRow("line ends inside quotes, fields after them")
        << QByteArray("1,\"Blue\r\nshirt\",\"SHIRT\",2\r\n\"\n\",\"a\"\"\nb\"\n3,\"c\"\n")
        << QList<QStringList>{{"1", "Blue shirt", "SHIRT", "2"}, {" ", "a\" b"}, {"3", "c"}};
}

void TestCommaText::records()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QList<QStringList>, records);
    ImportText text(bytes);
    StandardCsvReader reader(text);
    QList<QStringList> read;
    for (CsvRecord record; reader.next(record);) {
        read.append(QStringList());
        for (const QString &field : record.fields.kept)
            read.last() << ownCopy(field);
    }
    QCOMPARE(read, records);
}

QTEST_APPLESS_MAIN(TestCommaText)
#include "test_comma_text.moc"
