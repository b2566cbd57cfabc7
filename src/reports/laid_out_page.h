#pragma once

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <exception>

// How a text is drawn: size in points, emphasis and its alignment in its
// rectangle. The modifiers return a changed copy:
//   TextStyle().strong().centred().sized(14)
struct TextStyle {
    qreal size = 9;
    bool bold = false;
    bool underline = false;
    bool italic = false;
    Qt::Alignment alignment = Qt::AlignLeft;

    TextStyle strong() const { TextStyle s = *this; s.bold = true; return s; }
    TextStyle underlined() const { TextStyle s = *this; s.underline = true; return s; }
    TextStyle right() const { TextStyle s = *this; s.alignment = Qt::AlignRight; return s; }
    TextStyle centred() const { TextStyle s = *this; s.alignment = Qt::AlignHCenter; return s; }
    TextStyle sized(qreal points) const { TextStyle s = *this; s.size = points; return s; }
    TextStyle slanted() const { TextStyle s = *this; s.italic = true; return s; }
    bool operator==(const TextStyle &) const = default;
};

// One thing placed on a page, in points from the page's top-left corner.
// A line runs from the rectangle's top-left to its bottom-right corner.
struct PlacedItem {
    enum class Kind : quint8 { Text, Box, Line };
    Kind kind = Kind::Text;
    QRectF rect;
    QString text;
    TextStyle style;
    qreal lineWidth = 0.75;
};

// A page as the layout produced it: what to paint, and what tests read.
struct LaidOutPage {
    int number = 0;
    QSizeF size;
    QList<PlacedItem> items;

    // Every text in placing order.
    QStringList texts() const;
    // The first text item with exactly this text, or nullptr.
    const PlacedItem *findText(const QString &text) const;
    // Text items whose top lies within half a point of y, left to right.
    QList<const PlacedItem *> textsOnRow(qreal y) const;
};

// Receives the pages of a report one by one, as they are finished, so a
// run never has to hold more than one page.
class PageSink {
public:
    virtual ~PageSink() = default;
    virtual void addPage(const LaidOutPage &page) = 0;
    // Told after every record of the data set how far the run has come, so
    // a long run can show its progress.
    virtual void recordDone(int done, int total) { Q_UNUSED(done) Q_UNUSED(total) }
};

// Thrown by a sink to end a run early, when the user stops it. The run's
// tables are left as after an error; the pages sent so far stay sent.
class ReportStopped : public std::exception {
public:
    const char *what() const noexcept override { return "The report was stopped."; }
};

// Keeps every page in memory, for tests and small reports.
class PageList : public PageSink {
public:
    void addPage(const LaidOutPage &page) override { pages.append(page); }
    QList<LaidOutPage> pages;
};
