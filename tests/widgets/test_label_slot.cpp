// A label held in a LabelSlot lays out and paints exactly as the same
// label put straight into the layout, whatever its texts and fonts, shown
// or hidden while they change.
#include "widgets/label_slot.h"

#include <QGridLayout>
#include <QLabel>
#include <QtTest>

namespace {

// A caption and an amount in a grid, as the sale window's totals.
struct Panel {
    explicit Panel(bool slotted)
    {
        auto *grid = new QGridLayout(&window);
        grid->addWidget(new QLabel(QStringLiteral("Total"), &window), 0, 0);
        amount = new QLabel(&window);
        amount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        amount->setMinimumWidth(60);
        if (slotted)
            grid->addWidget(new LabelSlot(amount, &window), 0, 1);
        else
            grid->addWidget(amount, 0, 1);
        grid->setColumnStretch(2, 1);
        window.resize(300, 60);
    }
    QWidget window;
    QLabel *amount;
};

// One change of the amount: a text, an optional point size, and whether
// the window is hidden while it changes.
struct Step {
    QString text;
    int pointSize = 0;
    bool hidden = false;
};

}

Q_DECLARE_METATYPE(QList<Step>)

class TestLabelSlot : public QObject {
    Q_OBJECT
private slots:
    void sameGeometryAndPixels_data();
    void sameGeometryAndPixels();
};

void TestLabelSlot::sameGeometryAndPixels_data()
{
    QTest::addColumn<QList<Step>>("steps");
    QTest::newRow("same width") << QList<Step>{{"$1.00"}, {"$2.00"}, {"$3.45"}};
    QTest::newRow("wider than the minimum, then narrower")
        << QList<Step>{{"$1.00"}, {"$99,999,999.99 and more"}, {"$5.00"}};
    QTest::newRow("empty") << QList<Step>{{"$1.00"}, {""}, {"$1.00"}};
    QTest::newRow("larger font") << QList<Step>{{"$1.00"}, {"$1,000,000.00", 20}, {"$2.00", 8}};
    QTest::newRow("changed while hidden")
        << QList<Step>{{"$1.00"}, {"$123,456,789.00 wide", 0, true}, {"$2.00"}, {"$3.00", 0, true}};
}

void TestLabelSlot::sameGeometryAndPixels()
{
    QFETCH(QList<Step>, steps);
    Panel plain(false), slotted(true);
    for (Panel *panel : {&plain, &slotted})
        panel->window.show();
    for (const Step &step : steps) {
        for (Panel *panel : {&plain, &slotted}) {
            if (step.hidden)
                panel->window.hide();
            if (step.pointSize > 0) {
                QFont font = panel->amount->font();
                font.setPointSize(step.pointSize);
                panel->amount->setFont(font);
            }
            panel->amount->setText(step.text);
            panel->window.show();
        }
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        const QRect plainPlace(plain.amount->mapTo(&plain.window, QPoint()), plain.amount->size());
        const QRect slottedPlace(slotted.amount->mapTo(&slotted.window, QPoint()), slotted.amount->size());
        QCOMPARE(slottedPlace, plainPlace);
        QCOMPARE(slotted.window.grab().toImage(), plain.window.grab().toImage());
    }
}

QTEST_MAIN(TestLabelSlot)
#include "test_label_slot.moc"
