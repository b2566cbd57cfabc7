// The preview window, driven by its buttons and keys through the Dialogs
// seam: navigation, zoom, save and load, print and printer set-up.
#include "report_fixture.h"
#include "scripted_dialogs.h"

#include "common/clock.h"
#include "reports/page_view.h"
#include "reports/print_target.h"
#include "reports/product_sales_report.h"
#include "reports/report_preview_window.h"
#include "reports/sales_register_report.h"

#include <QComboBox>
#include <QLabel>
#include <QProcess>
#include <QScrollArea>
#include <QToolButton>
#include <QtTest>

namespace {

ReportPreviewWindow &preview(QDialog &dialog)
{
    return static_cast<ReportPreviewWindow &>(dialog);
}

void click(QDialog &dialog, const char *button)
{
    QToolButton *b = dialog.findChild<QToolButton *>(QLatin1String(button));
    QVERIFY2(b, button);
    QVERIFY2(b->isEnabled(), button);
    QTest::mouseClick(b, Qt::LeftButton);
}

bool enabled(QDialog &dialog, const char *button)
{
    return dialog.findChild<QToolButton *>(QLatin1String(button))->isEnabled();
}

QString pageLabel(QDialog &dialog)
{
    return dialog.findChild<QLabel *>("pageLabel")->text();
}

void chooseZoom(QDialog &dialog, const QString &entry)
{
    auto *box = dialog.findChild<QComboBox *>("zoomBox");
    const int index = box->findText(entry);
    QVERIFY(index >= 0);
    box->setCurrentIndex(index);
    emit box->activated(index);
}

}

class TestReportPreview : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void navigatesWithButtonsAndKeys();
    void zooms();
    void savesAndLoads();
    void loadRefusesOtherFiles();
    void printsAndSetsUpThePrinter();
    void opensOnFirstPageWhileLayingOut_data();
    void opensOnFirstPageWhileLayingOut();

private:
    void postSales(int count);
    std::unique_ptr<TestDatabase> db_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<QTemporaryDir> out_;
};

void TestReportPreview::init()
{
    db_ = std::make_unique<TestDatabase>();
    dialogs_ = std::make_unique<ScriptedDialogs>();
    out_ = std::make_unique<QTemporaryDir>();
    Clock::setFixed(QDateTime(QDate(2026, 3, 9), QTime(14, 5, 3)));
    setPrintTarget({out_->path(), db_->directory()});
}

void TestReportPreview::cleanup()
{
    setPrintTarget({});
    Clock::useSystemClock();
    dialogs_.reset();
    db_.reset();
    out_.reset();
}

void TestReportPreview::postSales(int count)
{
    StoreTransaction transaction(db_->dm().database());
    for (int i = 0; i < count; ++i)
        ReportFixture::postSale(db_->dm(), ReportFixture::sampleSale(1001 + i, QDate(2026, 3, 9), 3));
    transaction.commit();
}

void TestReportPreview::navigatesWithButtonsAndKeys()
{
    postSales(12);
    TForm13 report(db_->dm());
    bool ran = false;
    dialogs_->onModal("ReportPreviewWindow", [&](QDialog &dialog) -> int {
        // QVERIFY returns from the check, not from the handler.
        [&] {
        ReportPreviewWindow &w = preview(dialog);
        const int pages = w.report()->pageCount();
        QVERIFY(pages >= 3);
        QCOMPARE(pageLabel(dialog), QStringLiteral("Page 1 of %1").arg(pages));
        QVERIFY(dialog.windowTitle().contains("Sales Register Report"));
        QVERIFY(!enabled(dialog, "firstButton") && !enabled(dialog, "priorButton"));
        QVERIFY(w.pageView().page().findText("1001"));

        click(dialog, "nextButton");
        QCOMPARE(w.currentPage(), 1);
        QCOMPARE(w.pageView().page().number, 2);
        QCOMPARE(pageLabel(dialog), QStringLiteral("Page 2 of %1").arg(pages));
        click(dialog, "lastButton");
        QCOMPARE(w.currentPage(), pages - 1);
        QVERIFY(!enabled(dialog, "nextButton") && !enabled(dialog, "lastButton"));
        click(dialog, "priorButton");
        QCOMPARE(w.currentPage(), pages - 2);
        click(dialog, "firstButton");
        QCOMPARE(w.currentPage(), 0);

        QTest::keyClick(&dialog, Qt::Key_PageDown);
        QTest::keyClick(&dialog, Qt::Key_PageDown);
        QCOMPARE(w.currentPage(), 2);
        QTest::keyClick(&dialog, Qt::Key_PageUp);
        QCOMPARE(w.currentPage(), 1);
        QTest::keyClick(&dialog, Qt::Key_End);
        QCOMPARE(w.currentPage(), pages - 1);
        QTest::keyClick(&dialog, Qt::Key_PageDown); // nothing after the last page
        QCOMPARE(w.currentPage(), pages - 1);
        QTest::keyClick(&dialog, Qt::Key_Home);
        QCOMPARE(w.currentPage(), 0);

        click(dialog, "closeButton");
        QVERIFY(!dialog.isVisible());
        ran = true;
        }();
        return -1;
    });
    report.preview();
    QVERIFY(ran);
    QCOMPARE(dialogs_->log, QStringList{"exec: ReportPreviewWindow"});
}

void TestReportPreview::zooms()
{
    TForm6 report(db_->dm());
    dialogs_->onModal("ReportPreviewWindow", [&](QDialog &dialog) -> int {
        // QVERIFY returns from the check, not from the handler.
        [&] {
        ReportPreviewWindow &w = preview(dialog);
        auto *area = dialog.findChild<QScrollArea *>("pageArea");
        // Opens at the page width.
        QVERIFY(w.pageView().sizeHint().width() <= area->viewport()->width());
        QVERIFY(w.pageView().sizeHint().width() > area->viewport()->width() * 0.8);

        chooseZoom(dialog, "100%");
        QCOMPARE(w.zoom(), 1.0);
        const int paperWidth = qRound(612 * w.pageView().pixelsPerPoint());
        QCOMPARE(w.pageView().sizeHint().width(), paperWidth + 24);
        click(dialog, "zoomInButton");
        QCOMPARE(w.zoom(), 1.25);
        QTest::keyClick(&dialog, Qt::Key_Plus);
        QCOMPARE(w.zoom(), 1.5);
        QTest::keyClick(&dialog, Qt::Key_Minus);
        click(dialog, "zoomOutButton");
        QCOMPARE(w.zoom(), 1.0);
        for (int i = 0; i < 10; ++i)
            QTest::keyClick(&dialog, Qt::Key_Minus);
        QCOMPARE(w.zoom(), 0.25); // the smallest step

        chooseZoom(dialog, "Whole page");
        QVERIFY(w.pageView().sizeHint().height() <= area->viewport()->height());
        QVERIFY(w.pageView().sizeHint().height() > area->viewport()->height() * 0.8);
        dialog.resize(dialog.width(), dialog.height() - 200); // the fit follows the window
        QVERIFY(w.pageView().sizeHint().height() <= area->viewport()->height());
        }();
        return int(QDialog::Rejected);
    });
    report.preview();
}

void TestReportPreview::savesAndLoads()
{
    postSales(12);
    TForm13 report(db_->dm());
    const QString saved = out_->filePath("register");
    const QString pdf = out_->filePath("register.pdf");
    int pages = 0;
    dialogs_->onModal("ReportPreviewWindow", [&](QDialog &dialog) -> int {
        // QVERIFY returns from the check, not from the handler.
        [&] {
        pages = preview(dialog).report()->pageCount();
        dialogs_->setSaveFileName(saved);
        click(dialog, "saveButton");
        dialogs_->setSaveFileName(pdf);
        QTest::keyClick(&dialog, Qt::Key_S, Qt::ControlModifier);
        dialogs_->setSaveFileName(QString()); // cancelled: nothing happens
        click(dialog, "saveButton");
        }();
        return int(QDialog::Rejected);
    });
    report.preview();
    QVERIFY(pages > 1);
    QCOMPARE(dialogs_->log.count("save-file: Save report"), 3);
    QVERIFY(QFile::exists(saved + ".tqr"));

    QProcess pdftotext;
    pdftotext.start("pdftotext", {pdf, "-"});
    QVERIFY(pdftotext.waitForFinished(30000));
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    QCOMPARE(int(text.count('\f')), pages);
    QVERIFY(text.contains("Item 3 of sale 1012"));

    // Another preview loads the saved register in place of its own report.
    TForm6 products(db_->dm());
    dialogs_->onModal("ReportPreviewWindow", [&](QDialog &dialog) -> int {
        // QVERIFY returns from the check, not from the handler.
        [&] {
        ReportPreviewWindow &w = preview(dialog);
        QCOMPARE(w.report()->documentName(), "Product Sales Report");
        dialogs_->setOpenFileName(saved + ".tqr");
        click(dialog, "loadButton");
        QCOMPARE(w.report()->documentName(), "Sales Register Report");
        QCOMPARE(w.report()->pageCount(), pages);
        QCOMPARE(pageLabel(dialog), QStringLiteral("Page 1 of %1").arg(pages));
        QVERIFY(dialog.windowTitle().contains("Sales Register Report"));
        QVERIFY(w.pageView().page().findText("1001"));
        }();
        return int(QDialog::Rejected);
    });
    products.preview();
}

void TestReportPreview::loadRefusesOtherFiles()
{
    const QString notes = out_->filePath("notes.txt");
    QFile file(notes);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("not a report\n");
    file.close();
    TForm6 report(db_->dm());
    dialogs_->onModal("ReportPreviewWindow", [&](QDialog &dialog) -> int {
        // QVERIFY returns from the check, not from the handler.
        [&] {
        dialogs_->setOpenFileName(notes);
        click(dialog, "loadButton");
        QCOMPARE(preview(dialog).report()->documentName(), "Product Sales Report");
        }();
        return int(QDialog::Rejected);
    });
    report.preview();
    QCOMPARE(dialogs_->messages(), QStringList{"The file " + notes + " is not a saved report."});
}

void TestReportPreview::printsAndSetsUpThePrinter()
{
    postSales(1);
    TForm13 report(db_->dm());
    dialogs_->onModal("QPrintDialog", [](QDialog &) { return int(QDialog::Accepted); });
    dialogs_->onModal("ReportPreviewWindow", [&](QDialog &dialog) -> int {
        // QVERIFY returns from the check, not from the handler.
        [&] {
        click(dialog, "setupButton");
        click(dialog, "printButton");
        QTest::keyClick(&dialog, Qt::Key_P, Qt::ControlModifier);
        }();
        return int(QDialog::Rejected);
    });
    report.preview();
    QCOMPARE(dialogs_->log, (QStringList{"exec: ReportPreviewWindow", "exec: QPrintDialog"}));
    // The PDF directory takes every print, whatever printer was chosen.
    QCOMPARE(QDir(out_->path()).entryList({"*.pdf"}, QDir::Files, QDir::Name),
             (QStringList{"000001-sales-register-report.pdf", "000002-sales-register-report.pdf"}));
}

void TestReportPreview::opensOnFirstPageWhileLayingOut_data()
{
    QTest::addColumn<bool>("byStop");
    QTest::newRow("Stop pressed") << true;
    QTest::newRow("window closed") << false;
}

void TestReportPreview::opensOnFirstPageWhileLayingOut()
{
    QFETCH(bool, byStop);
    postSales(60);
    TForm13 report(db_->dm());
    ReportPreviewWindow window;
    bool layingOut = false, printable = true;
    int pageShown = 0;
    QString label;
    connect(&window, &ReportPreviewWindow::pageLaidOut, this, [&](int count) {
        if (count == 1) {
            layingOut = window.isVisible() && window.layingOut();
            pageShown = window.pageView().page().number;
            printable = enabled(window, "printButton") || enabled(window, "saveButton") || enabled(window, "loadButton");
        } else if (count == 3) {
            label = pageLabel(window);
            if (byStop)
                click(window, "stopButton");
            else
                QTest::keyClick(&window, Qt::Key_Escape);
        }
    });
    int pagesAtEnd = 0;
    dialogs_->onModal("ReportPreviewWindow", [&](QDialog &dialog) {
        pagesAtEnd = preview(dialog).report()->pageCount();
        label = pageLabel(dialog) + " / " + label;
        return -1;
    });
    window.startLayout(report);
    dialogs().exec(window);

    QVERIFY(layingOut);
    QCOMPARE(pageShown, 1);
    QVERIFY(!printable);
    QVERIFY(window.layoutStopped());
    QCOMPARE(window.report()->pageCount(), 3);
    QVERIFY(window.report()->page(2).findText("Terminal ID"));
    if (byStop) {
        QCOMPARE(pagesAtEnd, 3);
        QCOMPARE(label, QStringLiteral("Page 1 of 3 (stopped) / Page 1 of 3"));
        QVERIFY(enabled(window, "printButton"));
    }
}

QTEST_MAIN(TestReportPreview)
#include "test_report_preview.moc"
