#include "report_layout.h"

#include "common/clock.h"
#include "reports/page_report.h"
#include "store/record.h"
#include "store/suspended_views.h"
#include "store/table.h"

ReportLayout::ReportLayout(PageReport &report, PageSink &sink) : report_(report), sink_(sink)
{
    for (const ReportBand *band : report_.allBands())
        for (const auto &item : band->items())
            if (ReportExpression *e = item->expression(); e && e->hasSums())
                expressionsWithSums_.push_back(e);
}

int ReportLayout::run()
{
    // The views bound to the tables stepped through refresh once, at the end.
    const SuspendedViews quiet{report_.dataSet(), report_.subDetailSet()};
    for (ReportExpression *e : expressionsWithSums_)
        e->resetSums();
    context_.startedAt = Clock::now();
    context_.pageNumber = 0;

    startPage();
    if (report_.band(BandType::Title).printed())
        place(report_.band(BandType::Title));

    if (Table *data = report_.dataSet()) {
        const int total = data->recordCount();
        int done = 0;
        for (data->first(); !data->eof(); data->next()) {
            detailRecord();
            sink_.recordDone(++done, total);
        }
    } else if (const HeldRows &rows = report_.heldRows(); rows.count) {
        const int total = rows.count();
        for (int row = 0; row < total; ++row) {
            rows.show(row);
            detailRecord();
            sink_.recordDone(row + 1, total);
        }
    } else {
        detailRecord();
    }

    const ReportBand &summary = report_.band(BandType::Summary);
    if (summary.printed()) {
        makeRoom(summary.height());
        place(summary);
    }
    finishPage();
    return context_.pageNumber;
}

void ReportLayout::detailRecord()
{
    for (ReportExpression *e : expressionsWithSums_)
        e->accumulate();

    const ReportBand &detail = report_.detailBand();
    const ReportBand &subDetail = report_.band(BandType::SubDetail);
    Table *lines = subDetail.printed() ? report_.subDetailSet() : nullptr;
    if (lines)
        lines->first();

    const bool firstLineFollows = lines && !lines->eof();
    if (detail.printed()) {
        makeRoom(detail.height() + (firstLineFollows ? subDetail.height() : detail.keptWith()));
        place(detail);
    }
    if (!lines)
        return;
    for (; !lines->eof(); lines->next()) {
        makeRoom(subDetail.height());
        place(subDetail);
    }
}

qreal ReportLayout::footerTop() const
{
    return PageGeometry::PaperHeight - PageGeometry::Margin - report_.band(BandType::PageFooter).height();
}

void ReportLayout::startPage()
{
    ++context_.pageNumber;
    page_ = LaidOutPage();
    page_.number = context_.pageNumber;
    page_.size = QSizeF(PageGeometry::PaperWidth, PageGeometry::PaperHeight);
    y_ = PageGeometry::Margin;
    place(report_.band(BandType::PageHeader));
    bodyTop_ = y_;
}

void ReportLayout::finishPage()
{
    y_ = footerTop();
    place(report_.band(BandType::PageFooter));
    sink_.addPage(page_);
}

void ReportLayout::makeRoom(qreal height)
{
    const bool pageHasBody = y_ > bodyTop_;
    if (y_ + height > footerTop() && pageHasBody) {
        finishPage();
        startPage();
    }
}

void ReportLayout::place(const ReportBand &band)
{
    const QPointF origin(PageGeometry::Margin, y_);
    for (const auto &item : band.items())
        if (item->enabled())
            page_.items.append(item->place(context_, origin));
    y_ += band.height();
}
