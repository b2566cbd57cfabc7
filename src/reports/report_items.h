#pragma once

#include "reports/laid_out_page.h"
#include "reports/report_expression.h"

#include <QDateTime>
#include <QRectF>
#include <QString>
#include <functional>
#include <optional>

class Record;
class Table;

// What a run knows while it places items: the page being filled and the
// moment the run started (the "Date: " item shows it on every page).
struct RenderContext {
    int pageNumber = 1;
    QDateTime startedAt;
};

// How a number is shown: the regional currency format, the general number
// format, or a display mask (see display_mask.h).
class NumberFormat {
public:
    static NumberFormat currency() { return NumberFormat(Kind::Currency, {}); }
    static NumberFormat general() { return NumberFormat(Kind::General, {}); }
    static NumberFormat mask(const QString &mask) { return NumberFormat(Kind::Mask, mask); }
    QString text(double value) const;

private:
    enum class Kind { Currency, General, Mask };
    NumberFormat(Kind kind, QString mask) : kind_(kind), mask_(std::move(mask)) {}
    Kind kind_;
    QString mask_;
};

// Something placed on a band, at a position relative to the band's
// top-left corner, in points. A disabled item is left out of the pages.
class ReportItem {
public:
    explicit ReportItem(const QRectF &geometry) : geometry_(geometry) {}
    virtual ~ReportItem() = default;

    bool enabled() const { return enabled_; }
    void setEnabled(bool on) { enabled_ = on; }
    const QRectF &geometry() const { return geometry_; }

    // What the item puts on the page when its band's corner is at origin.
    virtual PlacedItem place(const RenderContext &context, QPointF origin) const = 0;
    // The expression whose SUMs the run keeps, if any.
    virtual ReportExpression *expression() { return nullptr; }

private:
    QRectF geometry_;
    bool enabled_ = true;
};

// An item that prints one text.
class TextItem : public ReportItem {
public:
    TextItem(const QRectF &geometry, const TextStyle &style) : ReportItem(geometry), style_(style) {}
    const TextStyle &style() const { return style_; }
    virtual QString text(const RenderContext &context) const = 0;
    PlacedItem place(const RenderContext &context, QPointF origin) const final;

private:
    TextStyle style_;
};

// A fixed label; its caption can be replaced (French captions).
class LabelItem : public TextItem {
public:
    LabelItem(const QRectF &geometry, const QString &caption, const TextStyle &style)
        : TextItem(geometry, style), caption_(caption) {}
    const QString &caption() const { return caption_; }
    void setCaption(const QString &caption) { caption_ = caption; }
    QString text(const RenderContext &) const override { return caption_; }

private:
    QString caption_;
};

// One field of a table's current record, or of a record the report holds
// as a value, in its display form (money in the regional currency
// format), or through a number format when given. A number field without
// a value shows zero.
class FieldItem : public TextItem {
public:
    FieldItem(const QRectF &geometry, Table &table, const QString &fieldName, const TextStyle &style);
    FieldItem(const QRectF &geometry, const Record &record, const QString &fieldName, const TextStyle &style);
    void setNumberFormat(const NumberFormat &format) { format_ = format; }
    const QString &fieldName() const { return fieldName_; }
    QString text(const RenderContext &) const override;

private:
    Table *table_ = nullptr;
    const Record *record_ = nullptr;
    QString fieldName_;
    int index_ = 0;
    std::optional<NumberFormat> format_;
};

// The value of an expression over the current records.
class ExpressionItem : public TextItem {
public:
    ExpressionItem(const QRectF &geometry, ReportExpression expression, const NumberFormat &format,
                   const TextStyle &style)
        : TextItem(geometry, style), expression_(std::move(expression)), format_(format) {}
    QString text(const RenderContext &) const override;
    ReportExpression *expression() override { return &expression_; }

private:
    ReportExpression expression_;
    NumberFormat format_;
};

// A number the report computes in code.
class ComputedItem : public TextItem {
public:
    ComputedItem(const QRectF &geometry, std::function<double()> value, const NumberFormat &format,
                 const TextStyle &style)
        : TextItem(geometry, style), value_(std::move(value)), format_(format) {}
    QString text(const RenderContext &) const override { return format_.text(value_()); }

private:
    std::function<double()> value_;
    NumberFormat format_;
};

// A text the report composes in code (from rows it holds, for example).
class ComputedTextItem : public TextItem {
public:
    ComputedTextItem(const QRectF &geometry, std::function<QString()> text, const TextStyle &style)
        : TextItem(geometry, style), text_(std::move(text)) {}
    QString text(const RenderContext &) const override { return text_(); }

private:
    std::function<QString()> text_;
};

// The run's date and time after "Date: ", or the page number after "Page: ".
class SystemItem : public TextItem {
public:
    enum class Kind { DateTime, PageNumber };
    SystemItem(const QRectF &geometry, Kind kind, const TextStyle &style);
    QString text(const RenderContext &context) const override;

private:
    Kind kind_;
    QString caption_;
};

// A rectangle outline, or a line from the top-left to the bottom-right
// corner of its geometry (a rule has zero height).
class ShapeItem : public ReportItem {
public:
    enum class Kind { Box, Line };
    ShapeItem(const QRectF &geometry, Kind kind, qreal lineWidth)
        : ReportItem(geometry), kind_(kind), lineWidth_(lineWidth) {}
    PlacedItem place(const RenderContext &context, QPointF origin) const override;

private:
    Kind kind_;
    qreal lineWidth_;
};
