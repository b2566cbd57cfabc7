#pragma once

#include "reports/laid_out_page.h"

#include <QString>
#include <QVector>
#include <memory>

class QIODevice;

// A laid-out report kept in a file, page by page: the preview's pages, and
// a report saved from the preview to be opened again later. The file holds
// a header and one compressed record per page, so a reader fetches any
// page without loading the others.
class RenderedReportWriter : public PageSink {
public:
    // Writes the header at once; device must be open for writing.
    RenderedReportWriter(QIODevice &device, const QString &documentName);
    // Goes on writing pages after a header written before.
    explicit RenderedReportWriter(QIODevice &device);
    void addPage(const LaidOutPage &page) override;
    // False when a write failed.
    bool ok() const;

private:
    QIODevice &device_;
    bool failed_ = false;
};

class RenderedReport {
public:
    // Reads a rendered report from an open device it then owns; nullptr
    // when the device does not hold one.
    static std::unique_ptr<RenderedReport> open(std::unique_ptr<QIODevice> device);
    static std::unique_ptr<RenderedReport> openFile(const QString &path);
    // Starts an empty report in an open, writable device it then owns, to
    // be filled with addPage while its pages are read; nullptr when the
    // device cannot be written.
    static std::unique_ptr<RenderedReport> create(std::unique_ptr<QIODevice> device, const QString &documentName);
    ~RenderedReport();

    const QString &documentName() const { return documentName_; }
    int pageCount() const { return int(offsets_.size()); }
    LaidOutPage page(int index) const;
    // Appends a page at the end of the file; false when it could not be written.
    bool addPage(const LaidOutPage &page);
    // Copies the whole report into another device.
    bool copyTo(QIODevice &target) const;

private:
    RenderedReport() = default;
    std::unique_ptr<QIODevice> device_;
    QString documentName_;
    QVector<qint64> offsets_;
};
