#pragma once

#include "reports/laid_out_page.h"
#include "reports/report_items.h"

#include <vector>

class PageReport;
class ReportBand;

// One run of a report: steps the data set from its first record, places
// the bands on pages and hands each finished page to the sink.
//
// A page starts with the page header (and, on the first page, the title)
// and ends with the page footer at the bottom of the paper. A band that
// does not fit above the page footer goes to a new page; a detail band is
// kept together with its first sub-detail line. A band taller than a
// whole page is placed anyway, so a run always ends.
class ReportLayout {
public:
    ReportLayout(PageReport &report, PageSink &sink);
    int run();

private:
    void detailRecord();
    void startPage();
    void finishPage();
    void makeRoom(qreal height);
    void place(const ReportBand &band);
    qreal footerTop() const;

    PageReport &report_;
    PageSink &sink_;
    std::vector<ReportExpression *> expressionsWithSums_;
    RenderContext context_;
    LaidOutPage page_;
    qreal y_ = 0;
    qreal bodyTop_ = 0;
};
