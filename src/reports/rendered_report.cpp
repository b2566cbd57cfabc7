#include "rendered_report.h"

#include <QDataStream>
#include <QFile>
#include <QIODevice>

namespace {

constexpr quint32 Magic = 0x54525054; // "TRPT"
constexpr quint16 Version = 1;
constexpr int StreamVersion = QDataStream::Qt_6_0;

QDataStream &operator<<(QDataStream &out, const PlacedItem &item)
{
    const quint8 flags = (item.style.bold ? 1 : 0) | (item.style.underline ? 2 : 0) | (item.style.italic ? 4 : 0);
    return out << quint8(item.kind) << item.rect << item.text << item.style.size << flags
               << quint32(item.style.alignment) << item.lineWidth;
}

QDataStream &operator>>(QDataStream &in, PlacedItem &item)
{
    quint8 kind = 0, flags = 0;
    quint32 alignment = 0;
    in >> kind >> item.rect >> item.text >> item.style.size >> flags >> alignment >> item.lineWidth;
    item.kind = PlacedItem::Kind(qMin<quint8>(kind, quint8(PlacedItem::Kind::Line)));
    item.style.bold = flags & 1;
    item.style.underline = flags & 2;
    item.style.italic = flags & 4;
    item.style.alignment = Qt::Alignment(alignment);
    return in;
}

}

RenderedReportWriter::RenderedReportWriter(QIODevice &device) : device_(device)
{
}

RenderedReportWriter::RenderedReportWriter(QIODevice &device, const QString &documentName) : device_(device)
{
    QDataStream out(&device_);
    out.setVersion(StreamVersion);
    out << Magic << Version << documentName;
    failed_ = out.status() != QDataStream::Ok;
}

void RenderedReportWriter::addPage(const LaidOutPage &page)
{
    QByteArray record;
    {
        QDataStream out(&record, QIODevice::WriteOnly);
        out.setVersion(StreamVersion);
        out << qint32(page.number) << page.size << qint32(page.items.size());
        for (const PlacedItem &item : page.items)
            out << item;
    }
    QDataStream out(&device_);
    out.setVersion(StreamVersion);
    out << qCompress(record);
    failed_ = failed_ || out.status() != QDataStream::Ok;
}

bool RenderedReportWriter::ok() const
{
    return !failed_;
}

std::unique_ptr<RenderedReport> RenderedReport::open(std::unique_ptr<QIODevice> device)
{
    if (!device || !device->isOpen() || !device->seek(0))
        return nullptr;
    QDataStream in(device.get());
    in.setVersion(StreamVersion);
    quint32 magic = 0;
    quint16 version = 0;
    std::unique_ptr<RenderedReport> report(new RenderedReport);
    in >> magic >> version >> report->documentName_;
    if (in.status() != QDataStream::Ok || magic != Magic || version != Version)
        return nullptr;
    // Index the page records by skipping over them.
    while (!device->atEnd()) {
        const qint64 at = device->pos();
        quint32 length = 0;
        in >> length;
        const qint64 next = at + 4 + qint64(length);
        if (in.status() != QDataStream::Ok || next > device->size() || !device->seek(next))
            return nullptr;
        report->offsets_.append(at);
    }
    report->device_ = std::move(device);
    return report;
}

std::unique_ptr<RenderedReport> RenderedReport::create(std::unique_ptr<QIODevice> device, const QString &documentName)
{
    if (!device || !device->isWritable() || !device->seek(0))
        return nullptr;
    if (!RenderedReportWriter(*device, documentName).ok())
        return nullptr;
    std::unique_ptr<RenderedReport> report(new RenderedReport);
    report->device_ = std::move(device);
    report->documentName_ = documentName;
    return report;
}

bool RenderedReport::addPage(const LaidOutPage &page)
{
    // Reading a page moved the position: the record goes at the end.
    const qint64 at = device_->size();
    if (!device_->seek(at))
        return false;
    RenderedReportWriter writer(*device_);
    writer.addPage(page);
    if (!writer.ok())
        return false;
    offsets_.append(at);
    return true;
}

std::unique_ptr<RenderedReport> RenderedReport::openFile(const QString &path)
{
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadOnly))
        return nullptr;
    return open(std::move(file));
}

RenderedReport::~RenderedReport() = default;

LaidOutPage RenderedReport::page(int index) const
{
    LaidOutPage page;
    if (index < 0 || index >= offsets_.size() || !device_->seek(offsets_[index]))
        return page;
    QDataStream in(device_.get());
    in.setVersion(StreamVersion);
    QByteArray record;
    in >> record;
    QDataStream fields(qUncompress(record));
    fields.setVersion(StreamVersion);
    qint32 number = 0, count = 0;
    fields >> number >> page.size >> count;
    page.number = number;
    for (qint32 i = 0; i < count && fields.status() == QDataStream::Ok; ++i) {
        PlacedItem item;
        fields >> item;
        page.items.append(item);
    }
    return page;
}

bool RenderedReport::copyTo(QIODevice &target) const
{
    if (!device_->seek(0))
        return false;
    while (!device_->atEnd()) {
        const QByteArray chunk = device_->read(1 << 16);
        if (chunk.isEmpty() || target.write(chunk) != chunk.size())
            return false;
    }
    return true;
}
