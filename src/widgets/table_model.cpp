#include "table_model.h"

#include "store/field_values.h"

TableModel::TableModel(QObject *parent) : QAbstractTableModel(parent) {}

void TableModel::setTable(Table *table)
{
    beginResetModel();
    table_ = table;
    storedCount_ = 0;
    currentRow_ = -1;
    state_ = TableState::Inactive;
    pages_.clear();
    resolveFields();
    endResetModel();
}

void TableModel::setColumns(const QList<GridColumn> &columns)
{
    beginResetModel();
    columns_ = columns;
    resolveFields();
    pages_.clear(); // read for the columns before
    endResetModel();
}

void TableModel::resolveFields()
{
    fieldIndexes_.clear();
    if (!table_)
        return;
    for (const GridColumn &c : columns_)
        fieldIndexes_.append(table_->fieldIndex(c.fieldName));
}

void TableModel::setColumnTitle(int column, const QString &title)
{
    columns_[column].title = title;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void TableModel::reload(int firstShown, int lastShown)
{
    const int oldRows = rowCount();
    const int oldCurrent = currentRow_;
    QList<std::optional<QVector<QVariant>>> shownBefore;
    if (firstShown >= 0)
        for (int row = firstShown; row <= lastShown && row < oldRows; ++row)
            shownBefore.append(pictured(row));

    takePicture();

    // Rows come and go at the end.
    const int newRows = rowCount();
    // The rows held before are read again to be compared, alone rather
    // than with their pages, and with them those the view scrolls to by
    // the rows appended: what it paints next.
    int firstHeld = 0;
    while (firstHeld < shownBefore.size() && !shownBefore[firstHeld])
        ++firstHeld;
    if (firstHeld < shownBefore.size())
        readShown(firstShown + firstHeld, lastShown + qMax(0, newRows - oldRows));
    if (newRows > oldRows) {
        beginInsertRows(QModelIndex(), oldRows, newRows - 1);
        endInsertRows();
    } else if (newRows < oldRows) {
        beginRemoveRows(QModelIndex(), newRows, oldRows - 1);
        endRemoveRows();
    }

    // Of the rows on screen, those whose values differ are repainted.
    const int lastColumn = int(columns_.size()) - 1;
    for (int i = 0; i < shownBefore.size() && firstShown + i < newRows && lastColumn >= 0; ++i) {
        const int row = firstShown + i;
        if (!shownBefore[i] || !showsAsBefore(row, *shownBefore[i]))
            emit dataChanged(index(row, 0), index(row, lastColumn));
    }
    if (rowIndicator_ && oldCurrent != currentRow_)
        emit currentRowMoved(oldCurrent, currentRow_);
}

void TableModel::takePicture()
{
    pages_.clear();
    shown_.clear();
    storedCount_ = 0;
    currentRow_ = -1;
    state_ = table_ ? table_->state() : TableState::Inactive;
    editBuffer_.clear();
    if (!table_ || !table_->active())
        return;
    ++reads_;
    // The row first: over a large table its marks know the count as well.
    int count = -1;
    if (state_ != TableState::Insert && table_->hasCurrent())
        currentRow_ = table_->currentRowIndex(&count);
    storedCount_ = count >= 0 ? count : table_->recordCount();
    if (table_->editing()) {
        for (int i = 0; i < table_->fieldCount(); ++i)
            editBuffer_.append(table_->field(i).value());
    }
    if (state_ == TableState::Insert)
        currentRow_ = storedCount_;
}

void TableModel::readShown(int first, int last)
{
    last = qMin(last, storedCount_ - 1);
    if (!table_ || !table_->active() || first > last)
        return;
    ++reads_;
    shownFrom_ = first;
    shown_ = table_->rows(first, last - first + 1, fieldIndexes_);
}

bool TableModel::isShown(int row) const
{
    return row >= shownFrom_ && row - shownFrom_ < shown_.size();
}

int TableModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return storedCount_ + (state_ == TableState::Insert ? 1 : 0);
}

int TableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(columns_.size());
}

const TableRow *TableModel::storedRow(int row) const
{
    if (!table_ || !table_->active() || row < 0 || row >= storedCount_)
        return nullptr;
    if (isShown(row))
        return &shown_.at(row - shownFrom_);
    const int page = row / PageSize;
    auto it = pages_.find(page);
    if (it == pages_.end()) {
        if (pages_.size() >= MaxCachedPages)
            pages_.clear();
        ++reads_;
        it = pages_.insert(page, table_->rows(page * PageSize, PageSize, fieldIndexes_)); // the columns shown
    }
    const int offset = row % PageSize;
    return offset < it->size() ? &it->at(offset) : nullptr;
}

qint64 TableModel::rowidAt(int row) const
{
    if (state_ == TableState::Insert && row == storedCount_)
        return 0;
    const TableRow *stored = storedRow(row);
    return stored ? stored->rowid : 0;
}

bool TableModel::isEditedRow(int row) const
{
    return (state_ == TableState::Insert && row == storedCount_) || (state_ == TableState::Edit && row == currentRow_);
}

QVariant TableModel::cellValue(int row, int fieldIndex) const
{
    const QVector<QVariant> *values = record(row);
    return values ? values->value(fieldIndex) : QVariant();
}

std::optional<QVector<QVariant>> TableModel::pictured(int row) const
{
    if (!isEditedRow(row) && !isShown(row) && !pages_.contains(row / PageSize))
        return std::nullopt;
    const QVector<QVariant> *values = record(row);
    return values ? *values : QVector<QVariant>(); // shared, not copied
}

const QVector<QVariant> *TableModel::record(int row) const
{
    if (isEditedRow(row))
        return &editBuffer_;
    const TableRow *stored = storedRow(row);
    return stored ? &stored->values : nullptr;
}

bool TableModel::showsAsBefore(int row, const QVector<QVariant> &before) const
{
    static const QVariant none;
    const auto at = [](const QVector<QVariant> *values, int field) -> const QVariant & {
        return values && field >= 0 && field < values->size() ? values->at(field) : none;
    };
    const QVector<QVariant> *now = record(row);
    for (int field : fieldIndexes_)
        if (at(&before, field) != at(now, field))
            return false;
    return true;
}

QVariant TableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !table_ || index.column() >= fieldIndexes_.size())
        return {};
    const int field = fieldIndexes_[index.column()];
    const FieldDef &def = table_->definition().fields[field];
    switch (role) {
    case Qt::DisplayRole:
        return FieldValues::displayText(def, cellValue(index.row(), field));
    case Qt::TextAlignmentRole: {
        const bool number = def.type == FieldType::Integer || def.type == FieldType::Float
            || def.type == FieldType::Money || def.type == FieldType::AutoIncrement;
        return int(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
    }
    default:
        return {};
    }
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical) {
        if (role == Qt::DisplayRole && rowIndicator_)
            return section == currentRow_ ? QStringLiteral("\u25B6") : QString();
        return {};
    }
    if (section < 0 || section >= columns_.size())
        return {};
    if (role == Qt::DisplayRole)
        return columns_[section].title;
    if (role == Qt::TextAlignmentRole)
        return int(columns_[section].titleAlignment | Qt::AlignVCenter);
    return {};
}
