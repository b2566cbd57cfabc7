#pragma once

#include "reports/report_band.h"

#include <QHash>
#include <array>
#include <functional>

class QWidget;
class TDataModule2;

// Letter paper, portrait, in points; the bands fill the area inside the
// margins.
namespace PageGeometry {
constexpr qreal PaperWidth = 612;
constexpr qreal PaperHeight = 792;
constexpr qreal Margin = 36;
constexpr qreal ContentWidth = PaperWidth - 2 * Margin;
}

// Rows a report holds in memory as its data set (a store server's answer,
// a sale's lines): how many there are at the run, and readying row n for
// the bands that print it.
struct HeldRows {
    std::function<int()> count;
    std::function<void(int)> show;
};

// A page report: bands of items over a data set (a table of the data
// module, as filtered and linked at the moment of the run, or rows held
// in memory) or over none. Each report of the program derives from it
// and builds its bands once.
class PageReport {
public:
    PageReport(TDataModule2 &dm, const QString &documentName);
    virtual ~PageReport();
    PageReport(const PageReport &) = delete;
    PageReport &operator=(const PageReport &) = delete;

    // The name of the printed document and of its PDF file.
    const QString &documentName() const { return documentName_; }

    Table *dataSet() const { return dataSet_; }
    Table *subDetailSet() const { return subDetailSet_; }
    const HeldRows &heldRows() const { return heldRows_; }
    ReportBand &band(BandType type) { return *bands_[size_t(type)]; }
    const ReportBand &band(BandType type) const { return *bands_[size_t(type)]; }
    // The detail band for the current record: the detail band itself, or
    // one of the others when the report has several kinds of rows.
    const ReportBand &detailBand() const;
    // Every band, the other detail bands last.
    QList<const ReportBand *> allBands() const;

    // Replaces the fixed labels by their French captions; reports without
    // a French caption set keep theirs.
    virtual void applyFrenchCaptions() {}

    // Lays the report out from the tables as they stand now, handing each
    // page to the sink as soon as it is full; returns the page count. The
    // data set is left where the run ended.
    int layout(PageSink &sink);
    QList<LaidOutPage> layoutPages();

    // Shows the report in the modal preview window; returns when it closes.
    void preview(QWidget *parent = nullptr);
    // Prints the report at once (see report_printing.h for where to).
    void print();

protected:
    void setDataSet(Table *table) { dataSet_ = table; }
    void setSubDetailSet(Table *table) { subDetailSet_ = table; }
    void setHeldRows(HeldRows rows) { heldRows_ = std::move(rows); }
    // Another detail band, for rows of another kind; `choice` tells for
    // the current record which one prints: 0 the detail band, n the n-th
    // band added here.
    ReportBand &addDetailBand();
    void setDetailChoice(std::function<int()> choice) { detailChoice_ = std::move(choice); }
    // A record held by the report whose fields its items name "name.field",
    // added before them.
    void addRecord(const QString &name, const Record *record) { namedRecords_.insert(name, record); }
    // Every label (and the document name) whose text is a key gets the value.
    void translateLabels(const QHash<QString, QString> &captions);

    TDataModule2 &dm;

private:
    TableResolver tables_;
    QHash<QString, const Record *> namedRecords_;
    std::array<std::unique_ptr<ReportBand>, 6> bands_;
    std::vector<std::unique_ptr<ReportBand>> otherDetails_;
    std::function<int()> detailChoice_;
    QString documentName_;
    Table *dataSet_ = nullptr;
    Table *subDetailSet_ = nullptr;
    HeldRows heldRows_;
};
