#include "db_grid.h"

#include "steady_scroll_bar.h"
#include "title_header.h"

#include <QHash>
#include <QHeaderView>
#include <QPainter>
#include <QScopeGuard>
#include <QStyledItemDelegate>

namespace {

// Paints a cell as one line of text on the selection colour when selected:
// all a read-only grid of values needs, at a fraction of the cost of the
// general item painting (which lays the text out several times per cell).
class CellPainter : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette::ColorGroup group = option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
        if (selected)
            painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
        const QRect textArea = option.rect.adjusted(TextMargin, 0, -TextMargin, 0);
        const QString text = elided(index.data().toString(), option.fontMetrics, textArea.width());
        painter->setPen(option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        painter->drawText(textArea, index.data(Qt::TextAlignmentRole).toInt() | Qt::TextSingleLine, text);
    }

private:
    static constexpr int TextMargin = 4;
    static constexpr int MaxElided = 1024;

    // Eliding measures the whole text, as long again as drawing it: the
    // rows repainted mostly show texts painted before at the same width.
    QString elided(const QString &text, const QFontMetrics &metrics, int width) const
    {
        if (!(metrics == elidedWith_)) {
            elided_.clear();
            elidedWith_ = metrics;
        }
        const std::pair<QString, int> key(text, width);
        if (auto it = elided_.constFind(key); it != elided_.cend())
            return *it;
        if (elided_.size() >= MaxElided)
            elided_.clear();
        return *elided_.insert(key, metrics.elidedText(text, Qt::ElideRight, width));
    }

    mutable QFontMetrics elidedWith_{QFont()};
    mutable QHash<std::pair<QString, int>, QString> elided_;
};

// The row indicator is a column of fixed width, so its size needs no
// measuring of every row's title, which Qt would redo each time the
// indicator moves to another row.
class RowHeader : public QHeaderView {
public:
    explicit RowHeader(QWidget *parent) : QHeaderView(Qt::Vertical, parent)
    {
        setSectionsClickable(true); // as the header a table view makes itself
        setHighlightSections(true);
    }

    QSize sizeHint() const override
    {
        if (minimumWidth() == maximumWidth())
            return QSize(minimumWidth(), defaultSectionSize());
        return QHeaderView::sizeHint();
    }

    // Repaints the marker of the current record, on the row it left and
    // the one it reached.
    void markerMoved(int from, int to)
    {
        for (int row : {from, to})
            if (row >= 0 && row < count())
                updateSection(row);
    }
};

}

DBGrid::DBGrid(QWidget *parent) : QTableView(parent), refresh_(this, [this] { readTable(); })
{
    auto *rowHeader = new RowHeader(this);
    setVerticalHeader(rowHeader);
    connect(&model_, &TableModel::currentRowMoved, rowHeader, &RowHeader::markerMoved);
    setHorizontalHeader(new TitleHeader(this));
    // The range grows with each row appended.
    rowBar_ = new SteadyScrollBar(Qt::Vertical, this);
    setVerticalScrollBar(rowBar_);
    connect(rowBar_, &QScrollBar::actionTriggered, this, &DBGrid::verticalScrollbarAction);
    connect(rowBar_, &QScrollBar::valueChanged, this, &DBGrid::verticalScrollbarValueChanged);
    setModel(&model_);
    setItemDelegate(new CellPainter(this));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    verticalHeader()->setVisible(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    // The titles never show the selection: given a selection of their own,
    // they are not repainted each time the current row moves.
    horizontalHeader()->setSelectionModel(new QItemSelectionModel(&model_, this));
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, &DBGrid::rowChosen);
    // After the view's own handling, which puts the layout off.
    connect(&model_, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex &, int first) { rowsAppended(first); });
}

void DBGrid::setDataSource(Table *table)
{
    disconnect(changed_);
    model_.setTable(table);
    if (table)
        changed_ = connect(table, &Table::changed, &refresh_, &DeferredRefresh::request);
    refresh_.request();
}

void DBGrid::watchDatabase(Database &db)
{
    refresh_.setStamp([&db] { return dataStamp(db); });
}

void DBGrid::setColumns(const QList<GridColumn> &columns)
{
    model_.setColumns(columns);
    for (int i = 0; i < columns.size(); ++i) {
        if (columns[i].width > 0)
            setColumnWidth(i, columns[i].width);
        horizontalHeader()->setSectionResizeMode(i, columns[i].stretch ? QHeaderView::Stretch : QHeaderView::Interactive);
    }
    refresh_.request();
}

void DBGrid::setColumnTitle(int column, const QString &title)
{
    model_.setColumnTitle(column, title);
}

void DBGrid::setRowSelect(bool on)
{
    setSelectionBehavior(on ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
}

void DBGrid::setRowIndicator(bool on)
{
    model_.setRowIndicator(on);
    verticalHeader()->setVisible(on);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setFixedWidth(on ? fontMetrics().horizontalAdvance(QStringLiteral("\u25B6")) + 10 : 0);
}

void DBGrid::setTitleColours(const QColor &background, const QColor &text)
{
    horizontalHeader()->setStyleSheet(QStringLiteral("QHeaderView::section { background-color: %1; color: %2; "
                                                     "padding: 2px 4px; border: 0px; border-right: 1px solid %3; }")
                                          .arg(background.name(), text.name(), background.darker(130).name()));
}

void DBGrid::reload()
{
    refresh_.refreshNow();
}

void DBGrid::readTable()
{
    // Rows appended grow the range, and the new current row at the end
    // takes the slider back there.
    rowBar_->hold();
    const auto released = qScopeGuard([this] { rowBar_->release(); });
    followingTable_ = true;
    // A layout pending from before (new columns, rows gone) is done in
    // full; the rows this reading appends are laid out as they come.
    executeDelayedItemsLayout();
    const int firstShown = rowAt(0);
    const int lastShown = firstShown < 0 ? -1 : rowAt(viewport()->height() - 1);
    model_.reload(firstShown, lastShown < 0 ? model_.rowCount() - 1 : lastShown);
    const int row = model_.currentRow();
    if (row >= 0) {
        const QModelIndex current = model_.index(row, qMax(0, currentIndex().column()));
        setCurrentIndex(current);
        scrollTo(current);
    } else {
        selectionModel()->clearCurrentIndex();
        clearSelection();
    }
    followingTable_ = false;
}

void DBGrid::rowsAppended(int first)
{
    // Laid out now rather than at the next turn of the loop, so that the
    // rows whose values changed, announced next, repaint themselves.
    if (!followingTable_)
        return;
    appendedFrom_ = first;
    executeDelayedItemsLayout();
    appendedFrom_ = -1;
}

void DBGrid::doItemsLayout()
{
    if (appendedFrom_ < 0) {
        QTableView::doItemsLayout(); // repaints every row
        return;
    }
    const int verticalBefore = verticalOffset();
    const int horizontalBefore = horizontalOffset();
    updateGeometries();
    if (horizontalOffset() != horizontalBefore) {
        viewport()->update();
        return;
    }
    // The new scroll range may move the rows (the last one no longer
    // flush with the bottom): what is painted moves with them, as a
    // scroll of the view moves it.
    if (const int moved = verticalBefore - verticalOffset(); moved != 0) {
        scrollDirtyRegion(0, moved);
        viewport()->scroll(0, moved);
    }
    // The rows above the appended ones are otherwise as they were (those
    // whose values changed are announced): the new rows, and the blank
    // below them, are all there is to paint.
    const int top = rowViewportPosition(appendedFrom_);
    viewport()->update(0, top, viewport()->width(), viewport()->height() - top);
}

void DBGrid::rowChosen(const QModelIndex &current)
{
    Table *t = model_.table();
    if (followingTable_ || !current.isValid() || !t || !t->active())
        return;
    const qint64 rowid = model_.rowidAt(current.row());
    if (rowid == 0 || (rowid == t->currentRowid() && t->state() != TableState::Insert))
        return;
    try {
        // A record another program deleted since the grid read it: the
        // grid shows where the table stands.
        if (!t->moveToRowid(rowid))
            refresh_.request();
    } catch (...) {
        refresh_.request(); // the record could not be left: show where the table stands
        throw;
    }
}
