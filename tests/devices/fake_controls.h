#pragma once

#include "devices/opos_controls.h"

#include <QQueue>
#include <QStringList>

// In-process fakes of the three control interfaces. Every call is written
// to one shared log ("printer.Open(ReceiptPrinter)", "drawer.OpenDrawer")
// so tests see the order across devices; results come from queues, an
// empty queue answering success.
template <class Control>
class FakeDevice : public Control {
public:
    FakeDevice(QString tag, QStringList &log) : tag_(std::move(tag)), log_(log) {}

    QQueue<int> openResults;
    QQueue<int> claimResults;

    int Open(const QString &name) override { return record(QStringLiteral("Open(%1)").arg(name), openResults); }
    int ClaimDevice(int timeoutMs) override
    {
        return record(QStringLiteral("ClaimDevice(%1)").arg(timeoutMs), claimResults);
    }
    void setDeviceEnabled(bool enabled) override
    {
        record(QStringLiteral("DeviceEnabled=%1").arg(enabled ? QStringLiteral("TRUE") : QStringLiteral("FALSE")));
    }
    int ReleaseDevice() override { return record(QStringLiteral("ReleaseDevice")); }
    int Close() override { return record(QStringLiteral("Close")); }

protected:
    int record(const QString &call, QQueue<int> &results)
    {
        log_ << tag_ + QLatin1Char('.') + call;
        return results.isEmpty() ? Opos::Success : results.dequeue();
    }
    int record(const QString &call)
    {
        log_ << tag_ + QLatin1Char('.') + call;
        return Opos::Success;
    }

private:
    QString tag_;
    QStringList &log_;
};

class FakePrinter : public FakeDevice<PosPrinterControl> {
public:
    explicit FakePrinter(QStringList &log) : FakeDevice(QStringLiteral("printer"), log) {}

    QQueue<int> printResults;
    QQueue<int> cutResults;
    int linesToCutter = 4;
    QStringList accepted; // the data of every accepted PrintNormal

    int PrintNormal(int station, const QString &data) override
    {
        QString shown = data;
        shown.replace(QLatin1Char('\r'), QLatin1String("\\r")).replace(QLatin1Char('\n'), QLatin1String("\\n"));
        const int result = record(QStringLiteral("PrintNormal(%1,%2)").arg(station).arg(shown), printResults);
        if (result == Opos::Success)
            accepted << data;
        return result;
    }
    int RecLinesToPaperCut() override
    {
        record(QStringLiteral("RecLinesToPaperCut"));
        return linesToCutter;
    }
    int CutPaper(int percentage) override { return record(QStringLiteral("CutPaper(%1)").arg(percentage), cutResults); }
};

class FakeDrawer : public FakeDevice<CashDrawerControl> {
public:
    explicit FakeDrawer(QStringList &log) : FakeDevice(QStringLiteral("drawer"), log) {}

    QQueue<int> openDrawerResults;

    int OpenDrawer() override { return record(QStringLiteral("OpenDrawer"), openDrawerResults); }
    int WaitForDrawerClose(int a, int b, int c, int d) override
    {
        return record(QStringLiteral("WaitForDrawerClose(%1,%2,%3,%4)").arg(a).arg(b).arg(c).arg(d));
    }
};

class FakeDisplay : public FakeDevice<LineDisplayControl> {
public:
    explicit FakeDisplay(QStringList &log) : FakeDevice(QStringLiteral("display"), log) {}

    QQueue<int> displayResults;

    int ClearText() override { return record(QStringLiteral("ClearText")); }
    int DisplayText(const QString &data, int attribute) override
    {
        return record(QStringLiteral("DisplayText(%1,%2)").arg(data).arg(attribute), displayResults);
    }
};
