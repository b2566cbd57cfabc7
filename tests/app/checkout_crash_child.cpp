// The till of the crash test: starts the whole program on a shop, says
// "started" once the start-up is done, waits for a line on its standard
// input, then sells until it is killed: random products and quantities
// rung with the keys, Total <F2>, paid exactly. Every message shown is
// written to standard error. With a CHECKPOINT (a PostingCheckpoint value)
// it kills itself when the first posting reaches it.
//   checkout_crash_child SETTINGS_FILE SEED [CHECKPOINT]
#include "scripted_dialogs.h"
#include "sign_in_script.h"

#include "app/application_shell.h"
#include "app/tillano_application.h"
#include "posting/posting_checkpoints.h"
#include "sale/sale_window.h"

#include <QRandomGenerator>
#include <QtTest>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

constexpr int MaxSales = 5000; // a bound, should the test never come to kill it

// The codes of the shop's products, read without moving the table.
QStringList productCodes(Table &products)
{
    QStringList codes;
    const int upc = products.fieldIndex(QStringLiteral("Product_upc"));
    for (const TableRow &row : products.rows(0, 1000))
        codes.append(QString::number(qint64(row.values[upc].toDouble())));
    return codes;
}

void sell(TForm1 &window, const QStringList &codes, QRandomGenerator &random)
{
    const int lines = 1 + int(random.bounded(4));
    for (int i = 0; i < lines; ++i) {
        QTest::keyClicks(window.focusWidget(), codes[int(random.bounded(codes.size()))]);
        QTest::keyClick(window.focusWidget(), Qt::Key_Return);
        QTest::keyClicks(window.focusWidget(), QString::number(1 + random.bounded(3))); // the quantity
        for (int enter = 0; enter < 3; ++enter)
            QTest::keyClick(window.focusWidget(), Qt::Key_Return);
    }
    QTest::keyClick(window.focusWidget(), Qt::Key_F2);
}

class StandardErrorDialogs : public ScriptedDialogs {
public:
    void message(QWidget *parent, const QString &text) override
    {
        ScriptedDialogs::message(parent, text);
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
};

}

int main(int argc, char *argv[])
{
    ::prctl(PR_SET_PDEATHSIG, SIGKILL); // never outlives the test
    TillanoApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3 && args.size() != 4) {
        std::fprintf(stderr, "usage: checkout_crash_child SETTINGS_FILE SEED [CHECKPOINT]\n");
        return 2;
    }
    if (args.size() == 4)
        PostingCheckpoints::setHandler([checkpoint = args[3].toInt()](PostingCheckpoint reached) {
            if (int(reached) == checkpoint)
                ::kill(::getpid(), SIGKILL);
        });
    QRandomGenerator random(args[2].toUInt());

    StandardErrorDialogs dialogs;
    dialogs.onModal(QStringLiteral("TPasswordDlg"), typeCashierCode(QStringLiteral("2")));
    dialogs.onModal(QStringLiteral("TForm8"), [](QDialog &payment) {
        QTest::keyClick(payment.focusWidget(), Qt::Key_F5);
        return -1;
    });
    StartOptions options;
    options.files = ProgramFiles({});
    options.inDataDirectory = true;
    ApplicationShell shell(args[1], options);
    shell.show();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    if (shell.startUpFailed())
        return 1;
    std::printf("started\n");
    std::fflush(stdout);

    const QStringList codes = productCodes(shell.dataModule().producttb);
    std::string go;
    std::getline(std::cin, go);
    for (int sale = 0; sale < MaxSales; ++sale)
        sell(shell.mainWindow(), codes, random);
    return 0;
}
