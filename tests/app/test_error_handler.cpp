// The general error handler: an error escaping an event is shown with its
// text and the program goes on.
#include "scripted_dialogs.h"

#include "app/tillano_application.h"
#include "store/store_error.h"

#include <QPushButton>
#include <QtTest>

class TestErrorHandler : public QObject {
    Q_OBJECT
private slots:
    void errorsAreShownAndTheProgramGoesOn_data();
    void errorsAreShownAndTheProgramGoesOn();
};

void TestErrorHandler::errorsAreShownAndTheProgramGoesOn_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("shown");
    QTest::newRow("store error") << 0 << "Table product: disk I/O error";
    QTest::newRow("other error") << 1 << "out of paper rolls";
}

void TestErrorHandler::errorsAreShownAndTheProgramGoesOn()
{
    QFETCH(int, kind);
    QFETCH(QString, shown);
    ScriptedDialogs dialogs;
    QPushButton button;
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&] {
        ++clicks;
        if (clicks == 1) {
            if (kind == 0)
                throw StoreError(shown);
            throw std::runtime_error(shown.toStdString());
        }
    });
    QTest::mouseClick(&button, Qt::LeftButton); // throws inside the event
    QTest::mouseClick(&button, Qt::LeftButton); // and the next event is served
    QCOMPARE(clicks, 2);
    QCOMPARE(dialogs.messages(), QStringList{shown});
}

int main(int argc, char **argv)
{
    TillanoApplication app(argc, argv);
    TestErrorHandler test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_error_handler.moc"
