// "Import products" clicked on the real main window of a running program:
// the open-file dialog, the question when lines would be skipped (No
// writes nothing), a file refused for a control character, the summary,
// the refusal during a sale, the progress windows of a long file, and an
// imported product rung up.
#include "menu_click.h"
#include "running_shop.h"
#include "test_files.h"

#include "app/application_shell.h"
#include "backoffice/import_progress_window.h"
#include "sale/sale_window.h"
#include "widgets/db_edit.h"
#include "widgets/dialogs.h"

#include <QMessageBox>
#include <QTimer>
#include <QtTest>

namespace {

// What a spreadsheet writes: a heading, then one product a line, texts
// quoted or not.
const QByteArray Catalogue = "\"UPC\",\"Description\",\"Short\",\"Dept\",\"Price\",\"Promo\",\"Start\",\"End\","
                             "\"Cost\",\"Tax 1\",\"Tax 2\",\"Tax 3\",\"Account\"\r\n"
                             "062813100018,\"Café moulu 1 kg\",\"Café moulu\",10,27.10,,,,8.25,\"Y\",\"Y\",\"N\",4010\r\n"
                             "062813400019,Dish soap 500 ml,\"Soap\",40,3.49,,,,1.50,\"Y\",\"Y\",\"N\",4040\r\n"
                             "9780201633610,\"Design book\",\"Book\",50,59.95,,,,40,\"N\",\"Y\",\"N\",4050\r\n";

// Remembers how the progress window of a long import looked.
class ProgressWatch : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (auto *window = qobject_cast<ImportProgressWindow *>(watched)) {
            if (event->type() == QEvent::Show)
                shown << window->windowTitle();
            lastLabel = window->labelText(); // as the window shows it when it gets events
        }
        return false;
    }
    QStringList shown;
    QString lastLabel;
};

}

class TestImportProducts : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanup() { shop_.reset(); }
    void fromTheMenu_data();
    void fromTheMenu();
    void importedProductRingsUp();
    void progressOfLongImports_data();
    void progressOfLongImports();
    void summaryCanBeCopied();

private:
    void start(const QString &language);
    void clickImport();

    std::unique_ptr<RunningShop> shop_;
};

// A real shop, its manager signed in.
void TestImportProducts::start(const QString &language)
{
    shop_ = std::make_unique<RunningShop>(language);
    shop_->start();
    QVERIFY(shop_->shell().mainWindow().managerMenuAttached());
    shop_->dialogs.log.clear();
}

// Opens the Parameters menu on the menu bar and clicks Import products.
void TestImportProducts::clickImport()
{
    TForm1 &window = shop_->shell().mainWindow();
    clickMenuEntry(window.MainMenu1, window.Parameters1, window.Importproducts1);
}

void TestImportProducts::fromTheMenu_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("chosen");      // in the open-file dialog, in the shop's folder
    QTest::addColumn<QByteArray>("content");  // of the chosen file; null: there is none
    QTest::addColumn<int>("workLines");       // a sale in progress from 2
    QTest::addColumn<bool>("yes");            // the answer to a question
    QTest::addColumn<QStringList>("log");     // what was shown; %1 is the shop's folder
    QTest::addColumn<int>("products");

    QTest::newRow("a spreadsheet's file")
        << "0" << "catalogue.csv" << Catalogue << 1 << false
        << QStringList{"open-file: Import products", "message: Import of catalogue.csv finished.\nProducts added: 3\n"
                                                     "Products updated: 0\nLines skipped: 0"}
        << 3;
    const QByteArray badLines = Catalogue + "062813400026,Broom,Broom,40,12.99,,,,5,Y,Y,N\r\n"
                                            "06281340003X,Mop,Mop,40,12.99,,,,5,Y,Y,N,4040\r\n";
    const QString question = QStringLiteral(
        "question: catalogue.csv: 2 lines cannot be imported.\n\n"
        "Line 5: wrong number of fields (12 instead of 13)\nLine 6: invalid UPC \"06281340003X\"\n\n"
        "Import the other 3 lines? (No imports nothing.)");
    QTest::newRow("lines skipped: No writes nothing") << "0" << "catalogue.csv" << badLines << 0 << false
                                                      << QStringList{"open-file: Import products", question} << 0;
    QTest::newRow("lines skipped: Yes writes the others")
        << "0" << "catalogue.csv" << badLines << 0 << true
        << QStringList{"open-file: Import products", question,
                       "message: Import of catalogue.csv finished.\nProducts added: 3\nProducts updated: 0\n"
                       "Lines skipped: 2\n\nLine 5: wrong number of fields (12 instead of 13)\n"
                       "Line 6: invalid UPC \"06281340003X\""}
        << 3;
    QTest::newRow("French, No")
        << "1" << "catalogue.csv" << badLines << 0 << false
        << QStringList{"open-file: Importer des produits",
                       "question: catalogue.csv : 2 lignes ne peuvent pas être importées.\n\n"
                       "Ligne 5 : nombre de champs incorrect (12 au lieu de 13)\n"
                       "Ligne 6 : code UPC invalide « 06281340003X »\n\n"
                       "Importer les 3 autres lignes? (Non n'importe rien.)"}
        << 0;
    const QString refused = QStringLiteral("message: catalogue.csv is not a list of products: line 3 holds a control "
                                           "character (code 0x00), which no text of a product may hold.\n\n"
                                           "Nothing was imported.");
    QTest::newRow("a NUL byte") << "0" << "catalogue.csv" << QByteArray(Catalogue).replace("Dish", QByteArray("Di\0sh", 5))
                                << 0 << true << QStringList{"open-file: Import products", refused} << 0;
    QTest::newRow("dialog cancelled") << "0" << QString() << QByteArray() << 0 << false
                                      << QStringList{"open-file: Import products"} << 0;
    QTest::newRow("a name that is not there is created empty")
        << "0" << "new.csv" << QByteArray() << 0 << false
        << QStringList{"open-file: Import products",
                       "message: Import of new.csv finished.\nProducts added: 0\nProducts updated: 0\nLines skipped: 0"}
        << 0;
    QTest::newRow("a directory chosen") << "0" << "." << QByteArray() << 0 << false
                                        << QStringList{"open-file: Import products",
                                                       "message: The file %1/. cannot be opened: file to open is a "
                                                       "directory"}
                                        << 0;
    QTest::newRow("during a sale") << "0" << "catalogue.csv" << Catalogue << 2 << false
                                   << QStringList{"message: This operation can not be done durring a transaction"} << 0;
}

void TestImportProducts::fromTheMenu()
{
    QFETCH(QString, language);
    QFETCH(QString, chosen);
    QFETCH(QByteArray, content);
    QFETCH(int, workLines);
    QFETCH(bool, yes);
    QFETCH(QStringList, log);
    QFETCH(int, products);
    start(language);
    shop_->dialogs.answerQuestions({yes});
    shop_->leaveWorkLines(workLines);
    const QString path = chosen.isEmpty() ? QString() : shop_->directory() + QLatin1Char('/') + chosen;
    if (!content.isNull())
        writeFileBytes(path, content);
    shop_->dialogs.setOpenFileName(path);

    clickImport();
    for (QString &entry : log)
        entry.replace(QStringLiteral("%1"), shop_->directory());
    QCOMPARE(shop_->dialogs.log, log);
    QCOMPARE(shop_->shell().dataModule().producttb.recordCount(), products);
    if (!path.isEmpty() && workLines < 2)
        QVERIFY(QFileInfo::exists(path));
}

// The cashier scans an imported code, leading zero and all.
void TestImportProducts::importedProductRingsUp()
{
    start(QStringLiteral("0"));
    shop_->dialogs.setOpenFileName(writeFileBytes(shop_->directory() + QStringLiteral("/catalogue.csv"), Catalogue));
    clickImport();
    TForm1 &window = shop_->shell().mainWindow();
    window.FocusUpcField();
    QTest::keyClicks(window.DBEdit1, QStringLiteral("062813100018"));
    QTest::keyClick(window.DBEdit1, Qt::Key_Return);
    Table &line = shop_->shell().dataModule().tmpdetail;
    QCOMPARE(line.field("Trx_upc").asFloat(), 62813100018.0);
    QCOMPARE(line.field("Trx_desc").asString(), QStringLiteral("Café moulu 1 kg"));
    QCOMPARE(line.field("Trx_short_desc").asString(), QStringLiteral("Café moulu"));
    QCOMPARE(line.field("Trx_price").asFloat(), 27.10);
    QCOMPARE(line.field("Trx_cost").asFloat(), 8.25);
    QVERIFY(line.field("Trx_tx1").asBoolean() && line.field("Trx_tx2").asBoolean() && !line.field("Trx_tx3").asBoolean());
}

void TestImportProducts::progressOfLongImports_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QString>("lastLabel");
    QTest::newRow("short: none, not even later") << 10 << QStringList() << QString();
    QTest::newRow("long, read then written") << ImportProgressWindow::LongImportLines + 1
                                             << QStringList{"Import products", "Import products"}
                                             << "Importing line 20,001 of 20,001";
}

void TestImportProducts::progressOfLongImports()
{
    QFETCH(int, count);
    QFETCH(QStringList, shown);
    QFETCH(QString, lastLabel);
    start(QStringLiteral("0"));
    QByteArray file;
    for (int i = 1; i <= count; ++i)
        file += QByteArray::number(1000000 + i) + ",\"Product " + QByteArray::number(i) + "\",P,1,1.99,,,,1,Y,N,N,4000\n";
    shop_->dialogs.setOpenFileName(writeFileBytes(shop_->directory() + QStringLiteral("/long.csv"), file));
    ProgressWatch watch;
    qApp->installEventFilter(&watch);
    clickImport();
    QTest::qWait(100); // a window left behind would show itself by now
    qApp->removeEventFilter(&watch);
    QCOMPARE(watch.shown, shown);
    QCOMPARE(watch.lastLabel, lastLabel);
    QCOMPARE(shop_->dialogs.messages(), QStringList{QStringLiteral("Import of long.csv finished.\nProducts added: %1\n"
                                                              "Products updated: 0\nLines skipped: 0")
                                                   .arg(QLocale().toString(count))});
}

// The real message box, not the scripted one: its text can be selected.
void TestImportProducts::summaryCanBeCopied()
{
    Qt::TextInteractionFlags flags;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        flags = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"))->textInteractionFlags();
        box->accept();
    });
    dialogs().message(nullptr, QStringLiteral("Import of catalogue.csv finished."));
    QVERIFY(flags.testFlag(Qt::TextSelectableByMouse));
}

QTEST_MAIN(TestImportProducts)
#include "test_import_products.moc"
