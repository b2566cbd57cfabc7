// The tips dialog: which file, what OK writes, what closing writes.
#include "scripted_dialogs.h"

#include "app/tips_dialog.h"
#include "common/app_settings.h"
#include "common/language.h"
#include "common/settings_store.h"

#include <QCheckBox>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

class TestTips : public QObject {
    Q_OBJECT
private slots:
    void fileFollowsLanguage_data();
    void fileFollowsLanguage();
    void okWritesOnlyWhenTicked_data();
    void okWritesOnlyWhenTicked();
    void closeBoxWritesNothing();
    void missingFileIsReported();
};

void TestTips::fileFollowsLanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("file");
    QTest::newRow("0") << "0" << "Tips.txt";
    QTest::newRow("1") << "1" << "trucs.txt";
    QTest::newRow("2") << "2" << "trucs.txt";
}

void TestTips::fileFollowsLanguage()
{
    QFETCH(QString, language);
    QFETCH(QString, file);
    setLanguageSetting(language);
    QCOMPARE(tipsFileName(), file);
    setLanguageSetting(QStringLiteral("0"));
}

void TestTips::okWritesOnlyWhenTicked_data()
{
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<QString>("stored");
    QTest::newRow("ticked, as it opens") << true << "N";
    QTest::newRow("cleared") << false << "Y";
}

void TestTips::okWritesOnlyWhenTicked()
{
    QFETCH(bool, ticked);
    QFETCH(QString, stored);
    QTemporaryDir dir;
    SettingsStore store(dir.filePath(QStringLiteral("settings.ini")));
    TTipsDlg dlg(store);
    QVERIFY(dlg.CheckBox1->isChecked());
    dlg.CheckBox1->setChecked(ticked);
    QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(AppSettings::load(store).tips, stored);
}

void TestTips::closeBoxWritesNothing()
{
    QTemporaryDir dir;
    SettingsStore store(dir.filePath(QStringLiteral("settings.ini")));
    TTipsDlg dlg(store);
    dlg.show();
    dlg.close();
    QVERIFY(!QFile::exists(store.path()));
}

void TestTips::missingFileIsReported()
{
    QTemporaryDir dir;
    SettingsStore store(dir.filePath(QStringLiteral("settings.ini")));
    TTipsDlg dlg(store);
    QVERIFY(!dlg.loadTips(dir.filePath(QStringLiteral("Tips.txt"))));
    QFile f(dir.filePath(QStringLiteral("Tips.txt")));
    f.open(QIODevice::WriteOnly);
    f.write("Press F2 to total.\n");
    f.close();
    QVERIFY(dlg.loadTips(f.fileName()));
    QCOMPARE(dlg.Memo1->toPlainText(), QStringLiteral("Press F2 to total.\n"));
}

QTEST_MAIN(TestTips)
#include "test_tips.moc"
