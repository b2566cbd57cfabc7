#include "page_report.h"

#include "reports/report_layout.h"
#include "reports/report_preview_window.h"
#include "reports/report_printing.h"

PageReport::PageReport(TDataModule2 &dm, const QString &documentName)
    : dm(dm), tables_(dataModuleTables(dm)), documentName_(documentName)
{
    for (BandType type : {BandType::PageHeader, BandType::Title, BandType::Detail, BandType::SubDetail,
                          BandType::Summary, BandType::PageFooter})
        bands_[size_t(type)] = std::make_unique<ReportBand>(type, tables_, namedRecords_);
}

PageReport::~PageReport() = default;

ReportBand &PageReport::addDetailBand()
{
    otherDetails_.push_back(std::make_unique<ReportBand>(BandType::Detail, tables_, namedRecords_));
    return *otherDetails_.back();
}

const ReportBand &PageReport::detailBand() const
{
    const int choice = detailChoice_ ? detailChoice_() : 0;
    if (choice <= 0 || choice > int(otherDetails_.size()))
        return band(BandType::Detail);
    return *otherDetails_[size_t(choice - 1)];
}

QList<const ReportBand *> PageReport::allBands() const
{
    QList<const ReportBand *> all;
    for (const auto &b : bands_)
        all.append(b.get());
    for (const auto &b : otherDetails_)
        all.append(b.get());
    return all;
}

int PageReport::layout(PageSink &sink)
{
    return ReportLayout(*this, sink).run();
}

QList<LaidOutPage> PageReport::layoutPages()
{
    PageList list;
    layout(list);
    return list.pages;
}

void PageReport::preview(QWidget *parent)
{
    ReportPreviewWindow::showReport(*this, parent);
}

void PageReport::print()
{
    printDocument(documentName_, [this](PageSink &sink) { layout(sink); });
}

void PageReport::translateLabels(const QHash<QString, QString> &captions)
{
    documentName_ = captions.value(documentName_, documentName_);
    for (const ReportBand *band : allBands())
        for (const auto &item : band->items())
            if (auto *label = dynamic_cast<LabelItem *>(item.get()))
                label->setCaption(captions.value(label->caption(), label->caption()));
}
