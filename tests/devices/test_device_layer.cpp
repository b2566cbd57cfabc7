// The eleven device operations over recording fakes of the three controls:
// start gates and retries, line retries, feed lines and cuts, drawer and
// display messages.
#include "fake_controls.h"
#include "scripted_dialogs.h"
#include "test_database.h"

#include "common/app_settings.h"
#include "common/language.h"
#include "devices/device_layer.h"

#include <QtTest>

class TestDeviceLayer : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void startNeedsNameAndSlipFlag_data();
    void startNeedsNameAndSlipFlag();
    void printerRetriesWhileAnsweredYes_data();
    void printerRetriesWhileAnsweredYes();
    void drawerAndDisplayFailOnceWithMessage();
    void drawerClaimFailureLeavesOthersWorking();
    void stopsReleaseAndCloseSilently();
    void refusedLineIsSentAgainWhenAsked_data();
    void refusedLineIsSentAgainWhenAsked();
    void endPrintoutFeedsAndCuts_data();
    void endPrintoutFeedsAndCuts();
    void paperCutChangeCountsAtNextPrintout();
    void refusedCutShowsMessageOnce();
    void drawerOpenFailureStillWaits();
    void displayShowsTextWholeAfterClearing();
    void messagesInFrench();

private:
    DeviceLayer &layer() { return *layer_; }
    QStringList callsOf(const QString &prefix) const;

    std::unique_ptr<TestDatabase> db_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    QStringList log_;
    std::unique_ptr<FakePrinter> printer_;
    std::unique_ptr<FakeDrawer> drawer_;
    std::unique_ptr<FakeDisplay> display_;
    AppSettings settings_;
    std::unique_ptr<DeviceLayer> layer_;
};

const QString PrinterProblem = QStringLiteral("There is a problem with the printer");

void TestDeviceLayer::init()
{
    setLanguageSetting(QStringLiteral("0"));
    db_ = std::make_unique<TestDatabase>();
    db_->setControl(QStringLiteral("Ctrl_slip"), true);
    dialogs_ = std::make_unique<ScriptedDialogs>();
    log_.clear();
    printer_ = std::make_unique<FakePrinter>(log_);
    drawer_ = std::make_unique<FakeDrawer>(log_);
    display_ = std::make_unique<FakeDisplay>(log_);
    settings_ = AppSettings();
    layer_ = std::make_unique<DeviceLayer>(db_->dm(), settings_, *printer_, *drawer_, *display_);
}

void TestDeviceLayer::cleanup()
{
    layer_.reset();
    dialogs_.reset();
    db_.reset();
}

QStringList TestDeviceLayer::callsOf(const QString &prefix) const
{
    QStringList calls;
    for (const QString &call : log_)
        if (call.startsWith(prefix))
            calls << call;
    return calls;
}

void TestDeviceLayer::startNeedsNameAndSlipFlag_data()
{
    QTest::addColumn<bool>("slip");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("started");
    QTest::newRow("slip and name") << true << "Dev" << true;
    QTest::newRow("slip false") << false << "Dev" << false;
    QTest::newRow("empty name") << true << "" << false;
}

void TestDeviceLayer::startNeedsNameAndSlipFlag()
{
    QFETCH(bool, slip);
    QFETCH(QString, name);
    QFETCH(bool, started);
    db_->setControl(QStringLiteral("Ctrl_slip"), slip);

    const QString printer = layer().StartPrinter(name);
    const QString drawer = layer().StartCashDrawer(name);
    const QString display = layer().StartLineDisplay(name);

    const QString expected = started ? name : QString();
    QCOMPARE(printer, expected);
    QCOMPARE(drawer, expected);
    QCOMPARE(display, expected);
    QVERIFY(dialogs_->log.isEmpty());
    if (started)
        QCOMPARE(log_, (QStringList{"printer.Open(Dev)", "printer.ClaimDevice(10)", "printer.DeviceEnabled=TRUE",
                                    "drawer.Open(Dev)", "drawer.ClaimDevice(10)", "drawer.DeviceEnabled=TRUE",
                                    "display.Open(Dev)", "display.ClaimDevice(10)", "display.DeviceEnabled=TRUE"}));
    else
        QVERIFY(log_.isEmpty());
}

void TestDeviceLayer::printerRetriesWhileAnsweredYes_data()
{
    QTest::addColumn<QList<int>>("openResults");
    QTest::addColumn<QList<int>>("claimResults");
    QTest::addColumn<QList<bool>>("answers");
    QTest::addColumn<QString>("expectedName");
    QTest::addColumn<int>("opens");
    QTest::addColumn<int>("releaseClosePairs");

    QTest::newRow("open fails twice, Yes, Yes") << QList<int>{107, 107} << QList<int>{} << QList<bool>{true, true}
                                                << "Printer" << 3 << 2;
    QTest::newRow("open fails, No") << QList<int>{107} << QList<int>{} << QList<bool>{false} << "" << 1 << 1;
    QTest::newRow("claim fails once, Yes") << QList<int>{} << QList<int>{102} << QList<bool>{true} << "Printer" << 2
                                           << 1;
}

void TestDeviceLayer::printerRetriesWhileAnsweredYes()
{
    QFETCH(QList<int>, openResults);
    QFETCH(QList<int>, claimResults);
    QFETCH(QList<bool>, answers);
    QFETCH(QString, expectedName);
    QFETCH(int, opens);
    QFETCH(int, releaseClosePairs);
    for (int r : openResults)
        printer_->openResults.enqueue(r);
    for (int r : claimResults)
        printer_->claimResults.enqueue(r);
    for (bool a : answers)
        dialogs_->answerQuestions({a});

    QCOMPARE(layer().StartPrinter(QStringLiteral("Printer")), expectedName);

    QCOMPARE(callsOf("printer.Open(").size(), opens);
    QCOMPARE(callsOf("printer.ReleaseDevice").size(), releaseClosePairs);
    QCOMPARE(callsOf("printer.Close").size(), releaseClosePairs);
    QCOMPARE(dialogs_->questions(),
             QStringList(answers.size(), QStringLiteral("There is a problem opening the printer.  Try again?")));
    // Each failed attempt is released, then closed, before the question.
    const int firstRelease = int(log_.indexOf("printer.ReleaseDevice"));
    QCOMPARE(log_.at(firstRelease + 1), QStringLiteral("printer.Close"));
    QCOMPARE(callsOf("printer.DeviceEnabled").size(), expectedName.isEmpty() ? 0 : 1);
}

void TestDeviceLayer::drawerAndDisplayFailOnceWithMessage()
{
    drawer_->openResults.enqueue(Opos::NoHardware);
    display_->claimResults.enqueue(Opos::Claimed);
    dialogs_->answerQuestions({true, true}); // must not be asked

    QCOMPARE(layer().StartCashDrawer(QStringLiteral("Drawer")), QString());
    QCOMPARE(layer().StartLineDisplay(QStringLiteral("Display")), QString());

    QCOMPARE(callsOf("drawer."), (QStringList{"drawer.Open(Drawer)", "drawer.ReleaseDevice", "drawer.Close"}));
    QCOMPARE(callsOf("display."), (QStringList{"display.Open(Display)", "display.ClaimDevice(10)",
                                               "display.ReleaseDevice", "display.Close"}));
    QCOMPARE(dialogs_->questions(), QStringList());
    QCOMPARE(dialogs_->messages(),
             (QStringList{"There is a problem selecting the cash drawer.  It will not be available during this session.",
                          "There is a problem selecting the Line Display.  It will not be available during this "
                          "session."}));
}

void TestDeviceLayer::drawerClaimFailureLeavesOthersWorking()
{
    drawer_->claimResults.enqueue(Opos::Claimed);
    QCOMPARE(layer().StartPrinter(QStringLiteral("P")), QStringLiteral("P"));
    QCOMPARE(layer().StartCashDrawer(QStringLiteral("D")), QString());
    QCOMPARE(layer().StartLineDisplay(QStringLiteral("L")), QStringLiteral("L"));
    QCOMPARE(dialogs_->messages().size(), 1);

    layer().PrintLine(QStringLiteral("hello"));
    layer().ShowOnLineDisplay(QStringLiteral("1.99"));
    QCOMPARE(printer_->accepted, QStringList{"hello\r\n"});
    QCOMPARE(log_.last(), QStringLiteral("display.DisplayText(1.99,0)"));
    QCOMPARE(dialogs_->messages().size(), 1);
}

void TestDeviceLayer::stopsReleaseAndCloseSilently()
{
    layer().StopPrinter();
    layer().StopCashDrawer();
    layer().StopLineDisplay();
    QCOMPARE(log_, (QStringList{"printer.ReleaseDevice", "printer.Close", "drawer.ReleaseDevice", "drawer.Close",
                                "display.ReleaseDevice", "display.Close"}));
    QVERIFY(dialogs_->log.isEmpty());
}

// A refused line is sent again only when the cashier says so; No stops
// the printout (a dead printer must not hold the till).
void TestDeviceLayer::refusedLineIsSentAgainWhenAsked_data()
{
    QTest::addColumn<QList<bool>>("answers");
    QTest::addColumn<QStringList>("accepted");
    QTest::newRow("tried again until accepted") << QList<bool>{true, true} << QStringList{"first\r\n", "second\r\n"};
    QTest::newRow("stopped at the second refusal") << QList<bool>{true, false} << QStringList{"first\r\n"};
}

void TestDeviceLayer::refusedLineIsSentAgainWhenAsked()
{
    QFETCH(QList<bool>, answers);
    QFETCH(QStringList, accepted);
    printer_->printResults << Opos::Success << Opos::Extended << Opos::Extended << Opos::Success;
    for (bool answer : answers)
        dialogs_->answerQuestions({answer});
    layer().BeginPrintout(QStringLiteral("The sale is posted."));
    QVERIFY(layer().PrintLine(QStringLiteral("first")));
    QCOMPARE(layer().PrintLine(QStringLiteral("second")), answers.last());

    QCOMPARE(callsOf("printer.PrintNormal"),
             (QStringList{"printer.PrintNormal(2,first\\r\\n)", "printer.PrintNormal(2,second\\r\\n)",
                          "printer.PrintNormal(2,second\\r\\n)"}
              + QStringList(answers.last() ? 1 : 0, "printer.PrintNormal(2,second\\r\\n)")));
    QCOMPARE(printer_->accepted, accepted);
    QCOMPARE(dialogs_->questions(),
             QStringList(2, "There is a problem with the printer.\n\nThe sale is posted.\n\nTry again? (No stops this "
                            "printout.)"));
    QVERIFY(dialogs_->messages().isEmpty());
}

void TestDeviceLayer::endPrintoutFeedsAndCuts_data()
{
    QTest::addColumn<int>("linesToCutter");
    QTest::addColumn<QString>("paperCut");
    QTest::addColumn<int>("feedLines");
    QTest::addColumn<bool>("cut");
    QTest::newRow("0 lines, Y") << 0 << "Y" << 1 << true;
    QTest::newRow("4 lines, y") << 4 << "y" << 5 << true;
    QTest::newRow("-1 lines, N") << -1 << "N" << 0 << false;
    QTest::newRow("4 lines, Yes") << 4 << "Yes" << 5 << false;
    QTest::newRow("2 lines, empty") << 2 << "" << 3 << false;
}

void TestDeviceLayer::endPrintoutFeedsAndCuts()
{
    QFETCH(int, linesToCutter);
    QFETCH(QString, paperCut);
    QFETCH(int, feedLines);
    QFETCH(bool, cut);
    printer_->linesToCutter = linesToCutter;
    settings_.paperCut = paperCut;

    layer().EndPrintout();

    QCOMPARE(printer_->accepted, QStringList(feedLines, QStringLiteral("\n\r")));
    QCOMPARE(callsOf("printer.CutPaper"), cut ? QStringList{"printer.CutPaper(90)"} : QStringList());
    if (cut)
        QCOMPARE(log_.last(), QStringLiteral("printer.CutPaper(90)"));
    QVERIFY(dialogs_->log.isEmpty());
}

void TestDeviceLayer::paperCutChangeCountsAtNextPrintout()
{
    layer().EndPrintout();
    settings_.paperCut = QStringLiteral("N"); // as the general parameters write it
    layer().EndPrintout();
    QCOMPARE(callsOf("printer.CutPaper").size(), 1);
}

void TestDeviceLayer::refusedCutShowsMessageOnce()
{
    printer_->cutResults << Opos::Illegal << Opos::Illegal;
    printer_->printResults << Opos::Extended; // the first feed line is refused once
    dialogs_->answerQuestions({true});
    layer().EndPrintout();
    QCOMPARE(callsOf("printer.CutPaper").size(), 1);
    QCOMPARE(printer_->accepted.size(), 5);
    QCOMPARE(dialogs_->questions().size(), 1);
    QCOMPARE(dialogs_->messages(), QStringList{PrinterProblem});
}

void TestDeviceLayer::drawerOpenFailureStillWaits()
{
    drawer_->openDrawerResults << Opos::Failure;
    layer().OpenCashDrawer();
    layer().WaitCashDrawerClosed();
    QCOMPARE(log_, (QStringList{"drawer.OpenDrawer", "drawer.WaitForDrawerClose(0,0,0,0)"}));
    QCOMPARE(dialogs_->messages(), QStringList{"There is a problem opening the cash drawer"});
}

void TestDeviceLayer::displayShowsTextWholeAfterClearing()
{
    const QString longText = QStringLiteral("A description far longer than one row 12.99");
    display_->displayResults << Opos::Success << Opos::Failure;
    layer().ShowOnLineDisplay(longText);
    layer().ShowOnLineDisplay(QStringLiteral("Total 5.00"));
    QCOMPARE(log_, (QStringList{"display.ClearText", "display.DisplayText(" + longText + ",0)", "display.ClearText",
                                "display.DisplayText(Total 5.00,0)"}));
    QCOMPARE(dialogs_->messages(), QStringList{"There is a problem displaying to the line display"});
}

void TestDeviceLayer::messagesInFrench()
{
    setLanguageSetting(QStringLiteral("2"));
    printer_->openResults << Opos::NoHardware;
    drawer_->openResults << Opos::NoHardware;
    display_->openResults << Opos::NoHardware;
    printer_->printResults << Opos::Extended;
    drawer_->openDrawerResults << Opos::Failure;
    display_->displayResults << Opos::Failure;

    layer().StartPrinter(QStringLiteral("P"));
    layer().StartCashDrawer(QStringLiteral("D"));
    layer().StartLineDisplay(QStringLiteral("L"));
    QVERIFY(!layer().PrintLine(QStringLiteral("x")));
    layer().OpenCashDrawer();
    layer().ShowOnLineDisplay(QStringLiteral("x"));

    QCOMPARE(dialogs_->log,
             (QStringList{
                 QStringLiteral("question: Il y a un problème à ouvrir l'imprimante.  Essayer à nouveau?"),
                 QStringLiteral("message: Il y a un problème à sélectionner le tiroir caisse.  Il ne sera pas "
                                "disponible pour cette session."),
                 QStringLiteral("message: Il y a un problème à sélectionner l'afficheur client.  Il ne sera pas "
                                "disponible pour cette session."),
                 QStringLiteral("question: Il y a un problème avec l'imprimante.\n\nEssayer à nouveau? (Non arrête "
                                "cette impression.)"),
                 QStringLiteral("message: Il y a un problème à ouvrir le tiroir"),
                 QStringLiteral("message: Il y a un problème avec l'afficheur client")}));
}

QTEST_MAIN(TestDeviceLayer)
#include "test_device_layer.moc"
