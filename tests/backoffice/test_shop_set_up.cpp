// A real shop set up through the back-office windows alone, from the
// directory tillano-setup prepares (its manager only): the general
// parameters, a department, three products and a cashier, typed on the
// running program. The new cashier then sells; the manager changes a tax
// rate and a tender name in the middle of a sale, and the receipts show
// both. Beside it: deleting the signed-in manager leads to a new sign-in.
#include "keyboard.h"
#include "running_shop.h"
#include "scripted_dialogs.h"
#include "sign_in_script.h"
#include "test_files.h"

#include "app/application_shell.h"
#include "common/clock.h"
#include "sale/sale_window.h"

#include <QComboBox>
#include <QtTest>

namespace {

// A field and what is typed in it; "[x]" presses Space on a check box.
using Entries = QList<QPair<QString, QString>>;

void fill(const Entries &entries)
{
    for (const auto &[field, value] : entries) {
        enterUntil(field);
        if (qobject_cast<QComboBox *>(QApplication::focusWidget()))
            QTest::qWait(QApplication::keyboardInputInterval()); // a new search, not more of the last one
        if (value == QLatin1String("[x]"))
            press(Qt::Key_Space);
        else
            type(value);
    }
}

ScriptedDialogs::ModalHandler keys(const std::function<void()> &work)
{
    return [work](QDialog &) {
        work();
        return -1;
    };
}

// From the last field of the general parameters, Tab past the three
// settings boxes to "Ok", and Enter.
void pressOk()
{
    enterUntil(QStringLiteral("Ctrl_slip_mess3"));
    for (int i = 0; i < 4; ++i)
        press(Qt::Key_Tab);
    press(Qt::Key_Return);
}

void closeEditor()
{
    QCOMPARE(focusedName(), QStringLiteral("Button1"));
    press(Qt::Key_Space);
}

void ring(const QString &code, const QString &quantity = QString())
{
    type(code);
    press(Qt::Key_Return);
    type(quantity);
    for (int i = 0; i < 3; ++i)
        press(Qt::Key_Return);
}

}

class TestShopSetUp : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void wholeShopSetUpThroughTheWindows();
    void deletingTheSignedInManagerAsksForASignIn();
};

void TestShopSetUp::initTestCase()
{
    Clock::setFixed(QDateTime(QDate(2026, 3, 5), QTime(14, 5, 3)));
}

void TestShopSetUp::wholeShopSetUpThroughTheWindows()
{
    RunningShop shop;
    ScriptedDialogs &dialogs = shop.dialogs;
    shop.start();
    TForm1 *sale = &shop.shell().mainWindow();

    dialogs.onModalOnce("TForm3", keys([] {
        fill({{"Ctrl_terminal_id", "4"},       {"Ctrl_company_name", "Corner Market"},
              {"Ctrl_company_adr1", "12 Main Street"}, {"Ctrl_company_adr2", "Springfield"},
              {"Ctrl_company_tel", "555-0100"}, {"Ctrl_pmt1", "Cash"},
              {"Ctrl_pmt1_type", "[x]"},        {"Ctrl_pmt2", "Card"},
              {"Ctrl_cpn1", "Coupon"},          {"Ctrl_tx1", "GST"},
              {"Ctrl_tx1_rate", "0.05"},        {"Ctrl_tx2", "PST"},
              {"Ctrl_tx2_rate", "0.07"},        {"Ctrl_slip", "[x]"},
              {"Ctrl_invoice_no", "1000"},      {"Ctrl_slip_mess", "Thank you!"}});
        pressOk();
    }));
    shop.clickMenuEntry(sale->Parameters1, 0);

    dialogs.onModalOnce("TForm18", keys([] {
        press(Qt::Key_Insert);
        fill({{"DBEdit1", "10"}, {"DBEdit2", "Grocery"}, {"DBEdit10", "4000"}});
        press(Qt::Key_F10);
        closeEditor();
    }));
    shop.clickMenuEntry(sale->Parameters1, 3);

    // Code, long and short description, price, average cost, quantity on
    // hand, department (by its first letter), account, taxes 1 and 2.
    const QList<QStringList> catalogue{{"1001", "Cola, 355 ml can", "Cola", "1.99", "0.80", "24", "G", "4100", "x", "x"},
                                       {"1002", "Chips, 200 g bag", "Chips", "2.49", "1.10", "12", "G", "4100", "x", "-"},
                                       {"1003", "Bread, whole wheat", "Bread", "3.29", "2.05", "8", "G", "4200", "-", "-"}};
    dialogs.onModalOnce("TForm5", keys([&catalogue] {
        for (const QStringList &p : catalogue) {
            press(Qt::Key_Insert);
            fill({{"DBEdit1", p[0]}, {"DBEdit2", p[1]}, {"DBEdit3", p[2]}, {"DBEdit4", p[3]}, {"DBEdit8", p[4]},
                  {"DBEdit9", p[5]}, {"DBLookupComboBox1", p[6]}, {"DBEdit10", p[7]}});
            for (int tax = 8; tax <= 9; ++tax) {
                press(Qt::Key_Tab);
                if (p[tax] == QLatin1String("x"))
                    press(Qt::Key_Space);
            }
            press(Qt::Key_F10);
        }
        closeEditor();
    }));
    shop.clickMenuEntry(sale->Parameters1, 1);

    dialogs.onModalOnce("TForm4", keys([] {
        press(Qt::Key_Insert);
        fill({{"DBEdit1", "2"}, {"DBEdit2", "Luc Gagnon"}, {"DBCheckBox1", "[x]"}}); // no manager rights
        press(Qt::Key_F10);
        closeEditor();
    }));
    shop.clickMenuEntry(sale->Parameters1, 2);
    QVERIFY(dialogs.messages().isEmpty());
    QCOMPARE(dialogs.log.count("exec: TPasswordDlg"), 1); // the manager is still signed in

    // "Print Slip Receipts" started the receipt printer at once: the cashier signs in.
    dialogs.onModalOnce("TPasswordDlg", typeCashierCode("2"));
    shop.activateMainWindow();
    press(Qt::Key_F12);
    shop.activateMainWindow();
    QVERIFY(!sale->managerMenuAttached());
    ring("1001", "3");
    ring("1003");
    shop.totalPaidExactly();
    shop.activateMainWindow();

    // The manager changes the first tax and the cash tender during a sale.
    dialogs.onModalOnce("TPasswordDlg", typeCashierCode("1"));
    press(Qt::Key_F12);
    shop.activateMainWindow();
    ring("1002");
    dialogs.onModalOnce("TForm3", keys([] {
        fill({{"Ctrl_pmt1", "Comptant"}, {"Ctrl_tx1_rate", "0.06"}});
        pressOk();
    }));
    shop.clickMenuEntry(sale->Parameters1, 0);
    shop.activateMainWindow();
    ring("1001");
    shop.totalPaidExactly();
    shop.activateMainWindow();

    QVERIFY2(dialogs.messages().isEmpty(), qPrintable(dialogs.messages().join('\n')));
    QCOMPARE(shop.printerOutput(), fileBytes(QStringLiteral(TEST_DATA_DIR "/shop_set_up_receipts.txt")));
    Table &departments = shop.shell().dataModule().DeptTb; // the sales went to the department chosen by name
    QVERIFY(departments.findKey(10));
    QCOMPARE(departments.field("Dept_sales").asFloat(), 5.97 + 3.29 + 2.49 + 1.99);
}

void TestShopSetUp::deletingTheSignedInManagerAsksForASignIn()
{
    RunningShop shop;
    ScriptedDialogs &dialogs = shop.dialogs;
    shop.start();
    dialogs.log.clear();

    // A new manager first, then the one signed in goes.
    dialogs.answerQuestions({true});
    dialogs.onModalOnce("TForm4", keys([] {
        press(Qt::Key_Insert);
        fill({{"DBEdit1", "3"}, {"DBEdit2", "Marie Roy"}});
        press(Qt::Key_F10);
        press(Qt::Key_Home);
        press(Qt::Key_Delete);
        closeEditor();
    }));
    dialogs.onModalOnce("TPasswordDlg", typeCashierCode("3"));
    shop.clickMenuEntry(shop.shell().mainWindow().Parameters1, 2);

    QCOMPARE(dialogs.log, (QStringList{"exec: TForm4", "question: Delete record?", "exec: TMoneyCountDlg",
                                        "exec: TPasswordDlg"}));
    QCOMPARE(shop.shell().shift().cashierId(), 3);
    QVERIFY(shop.shell().mainWindow().managerMenuAttached());
}

QTEST_MAIN(TestShopSetUp)
#include "test_shop_set_up.moc"
