// The product editor over a catalogue of 100,000 products, offscreen and
// worked by keys as the manager works it: the next record, an edited price
// posted, a product found with F9 by its code or by words of its
// description (the worst case reads descriptions from the current product
// on), and the editor opened as its menu entry opens it.
#include "bench_catalogue.h"

#include "backoffice/product_editor.h"
#include "sale/lookup_window.h"
#include "widgets/db_grid.h"
#include "widgets/dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <benchmark/benchmark.h>
#include <functional>

namespace {

constexpr int Products = 100000;

// Shows a window "modally" by running the keys given for it, as the tests'
// scripted dialogs do; a message would mean the run went wrong.
class KeyedDialogs : public QtDialogs {
public:
    QHash<QString, std::function<void(QDialog &)>> keys;
    int messages = 0;

    void message(QWidget *, const QString &) override { ++messages; }
    int exec(QDialog &dialog) override
    {
        dialog.setResult(QDialog::Rejected);
        dialog.show();
        keys.value(QLatin1String(dialog.metaObject()->className()))(dialog);
        dialog.hide();
        return dialog.result();
    }
    void beep() override { ++messages; }
};

// The product editor shown over the catalogue, on its first record.
struct OpenEditor {
    TDataModule2 dm;
    KeyedDialogs dialogs;
    TForm5 editor{dm};
    TForm16 lookup{dm};

    OpenEditor()
    {
        dm.connectTo(preparedCatalogue(QStringLiteral("/tmp/tillano-bench-11-catalogue"), Products));
        dm.openTablesForStartUp();
        setDialogs(&dialogs);
        editor.findProduct = [this] { lookup.findForEditor(); };
        dm.producttb.close();
        editor.show(); // opens the table on its first record
        QCoreApplication::processEvents();
    }
    ~OpenEditor() { setDialogs(nullptr); }

    void press(Qt::Key key) { QTest::keyClick(editor.focusWidget(), key); }
    // F9, the text in the search line, Enter, then Return in the list.
    void find(const QString &text)
    {
        dialogs.keys[QStringLiteral("TForm16")] = [&](QDialog &) {
            QTest::keyClicks(lookup.SearchLine, text);
            QTest::keyClick(lookup.SearchLine, Qt::Key_Return);
            QTest::keyClick(lookup.SearchLine, Qt::Key_Down);
            QTest::keyClick(lookup.DBGrid1, Qt::Key_Return);
        };
        press(Qt::Key_F9);
        QCoreApplication::processEvents(); // the editor and the list repaint
    }
    void report(benchmark::State &state)
    {
        state.counters["products"] = dm.producttb.recordCount();
        state.counters["messages"] = dialogs.messages;
    }
};

void BM_NextRecord(benchmark::State &state)
{
    OpenEditor e;
    for (auto _ : state) {
        e.press(Qt::Key_Down);
        QCoreApplication::processEvents();
    }
    e.report(state);
}

void BM_EditPriceAndPost(benchmark::State &state)
{
    OpenEditor e;
    int n = 0;
    for (auto _ : state) {
        e.press(Qt::Key_F2);
        for (int i = 0; i < 4; ++i) // to the unit price
            e.press(Qt::Key_Return);
        QTest::keyClicks(e.editor.focusWidget(), QString::number(2 + n++ % 7) + QStringLiteral(".49"));
        e.press(Qt::Key_F10);
        e.press(Qt::Key_Down);
        QCoreApplication::processEvents();
    }
    e.report(state);
}

// Each repetition finds another product, spread over the catalogue.
void BM_Find(benchmark::State &state, QString (*textFor)(int))
{
    OpenEditor e;
    int n = 0;
    for (auto _ : state)
        e.find(textFor((n++ * 7919) % Products));
    e.report(state);
}

QString code(int i)
{
    return QString::number(catalogueUpc(i), 'f', 0);
}

QString words(int i)
{
    return QStringLiteral("number %1,").arg(i);
}

void BM_OpenEditor(benchmark::State &state)
{
    OpenEditor e;
    e.editor.hide();
    e.dialogs.keys[QStringLiteral("TForm5")] = [&e](QDialog &) {
        QCoreApplication::processEvents();
        QTest::keyClick(e.editor.Button1, Qt::Key_Space); // Close, with its check
    };
    for (auto _ : state) {
        e.dm.producttb.close();
        e.dialogs.exec(e.editor);
        e.dm.producttb.open();
    }
    e.report(state);
}

}

BENCHMARK(BM_NextRecord)->Iterations(2000)->Repetitions(3)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditPriceAndPost)->Iterations(300)->Repetitions(3)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Find, byCode, code)->Iterations(300)->Repetitions(3)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Find, byDescription, words)->Iterations(50)->Repetitions(3)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenEditor)->Iterations(100)->Repetitions(3)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
