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

void TableModel::reload()
{
    const int oldRows = rowCount();
    pages_.clear();
    storedCount_ = 0;
    currentRow_ = -1;
    state_ = table_ ? table_->state() : TableState::Inactive;
    editBuffer_.clear();
    if (table_ && table_->active()) {
        ++reads_;
        storedCount_ = table_->recordCount();
        if (table_->editing()) {
            for (int i = 0; i < table_->fieldCount(); ++i)
                editBuffer_.append(table_->field(i).value());
        }
        if (state_ == TableState::Insert)
            currentRow_ = storedCount_;
        else if (table_->hasCurrent())
            currentRow_ = table_->currentRowIndex();
    }

    // Rows come and go at the end; every row on screen is read again.
    const int newRows = rowCount();
    if (newRows > oldRows) {
        beginInsertRows(QModelIndex(), oldRows, newRows - 1);
        endInsertRows();
    } else if (newRows < oldRows) {
        beginRemoveRows(QModelIndex(), newRows, oldRows - 1);
        endRemoveRows();
    }
    if (newRows > 0 && !columns_.isEmpty())
        emit dataChanged(index(0, 0), index(newRows - 1, int(columns_.size()) - 1));
    if (newRows > 0 && rowIndicator_)
        emit headerDataChanged(Qt::Vertical, 0, newRows - 1);
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
    const int page = row / PageSize;
    auto it = pages_.find(page);
    if (it == pages_.end()) {
        if (pages_.size() >= MaxCachedPages)
            pages_.clear();
        ++reads_;
        it = pages_.insert(page, table_->rows(page * PageSize, PageSize));
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

QVariant TableModel::cellValue(int row, int fieldIndex) const
{
    const bool isEditedRow = (state_ == TableState::Insert && row == storedCount_)
        || (state_ == TableState::Edit && row == currentRow_);
    if (isEditedRow)
        return editBuffer_.value(fieldIndex);
    const TableRow *stored = storedRow(row);
    return stored ? stored->values.value(fieldIndex) : QVariant();
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
