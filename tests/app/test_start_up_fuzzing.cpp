// Fuzzing the start-up: the program started on databases damaged at
// random either refuses with one message that names the file, leaving the
// file as it was, or reaches the sign-in. It never crashes or hangs.
#include "byte_mutations.h"
#include "running_shop.h"
#include "test_files.h"

#include "app/application_shell.h"

#include <QtTest>

class TestStartUpFuzzing : public QObject {
    Q_OBJECT
private slots:
    void damagedDatabases();
};

namespace {
constexpr int Rounds = 200;
}

void TestStartUpFuzzing::damagedDatabases()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    DemoShop shop;
    const QString file = shop.databaseFile();
    {
        ApplicationShell &sound = shop.start(QString()); // leaves one file, no WAL
        QVERIFY(!sound.startUpFailed());
    }
    const QByteArray soundBytes = fileBytes(file);
    const quint32 seed = fuzzSeed();
    QRandomGenerator random(seed);
    int refused = 0;
    for (int round = 0; round < Rounds; ++round) {
        const QString failure = QStringLiteral("seed %1, round %2").arg(seed).arg(round);
        for (const char *leftover : {"-wal", "-shm"})
            QFile::remove(file + QLatin1String(leftover));
        const QByteArray damaged = mutated(soundBytes, random, 1 + int(random.bounded(6)), 100);
        writeFileBytes(file, damaged);
        shop.dialogs.log.clear();

        ApplicationShell &shell = shop.start(QString());
        if (shell.startUpFailed()) {
            ++refused;
            const QStringList shown = shop.dialogs.messages();
            QVERIFY2(shown.size() == 1 && shown.first().contains(file), qPrintable(failure + ": " + shown.join('|')));
            QVERIFY2(fileBytes(file) == damaged, qPrintable(failure + ": the refused file was written"));
        } else {
            QVERIFY2(shop.dialogs.log.contains(QStringLiteral("exec: TPasswordDlg")), qPrintable(failure));
        }
    }
    qInfo("%d of %d damaged databases refused (seed %u)", refused, Rounds, seed);
}

QTEST_MAIN(TestStartUpFuzzing)
#include "test_start_up_fuzzing.moc"
