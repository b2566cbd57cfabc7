#pragma once

#include "lanes/store_report_data.h"
#include "reports/page_report.h"

#include <memory>

// A store report: the store server's figures for a store and a range of
// days, laid out as a page report and made anew for every run from the
// server's answer. Every page starts with the date, the page number, the
// title and the store and days; the first page names the lanes included,
// each with its last sale received and what the server still lacks of it.
//
// The rows a report prints are kept in memory, each with the detail band
// that prints it (headings, lines, totals are bands of their own).
class StoreReport : public PageReport {
public:
    StoreReport(TDataModule2 &dm, const QString &title, StoreReportData data);

protected:
    struct Row {
        int band = 0;  // 0 the detail band, n the n-th added detail band
        int source = 0; // the row of the server's table it shows
        int part = 0;  // what else the band needs (a figure, a block of columns)
    };

    const StoreReportData &data() const { return data_; }
    // Where a listing puts its column headings in the page header.
    qreal headingBottom() const { return headingBottom_; }
    // A note under the store and days, on every page (what the figures
    // rest on); call before adding column headings.
    void addHeadingNote(const QString &note);

    void addRow(int band, int source = 0, int part = 0) { rows_.append({band, source, part}); }
    // The row being printed.
    const Row &row() const { return rows_[current_]; }

    // The name the control record gives a tax, payment mode or coupon
    // ("tx", "pmt", "cpn" and its number); one without a name by its
    // number, as the CSV heading has it ("Payment 4").
    QString controlName(const char *stem, int number) const;

private:
    StoreReportData data_;
    QList<Row> rows_;
    int current_ = 0;
    qreal headingBottom_ = 0;
};

// The report the data is for (its kind), ready to preview or print.
std::unique_ptr<StoreReport> makeStoreReport(TDataModule2 &dm, StoreReportData data);

// The title of a kind of store report, in the language of the texts.
QString storeReportTitle(StoreReportKind kind);
