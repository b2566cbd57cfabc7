#pragma once

#include "store/table.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QPointer>
#include <optional>

// One column of a grid: the field it shows and its title.
struct GridColumn {
    QString fieldName;
    QString title;
    Qt::Alignment titleAlignment = Qt::AlignLeft;
    int width = 0;        // pixels; 0 leaves the default
    bool stretch = false; // takes the width left over
};

// The records of a table for a grid, read lazily: the model knows the
// record count and reads the rows it is asked for a page at a time with
// Table::rows(), so a table of 100,000 products costs only the rows on
// screen. A record being edited shows what its edit buffer holds, and a
// record being inserted shows as an extra last row.
//
// The model does not follow the table by itself: reload() takes a new
// picture of it (the grid calls it after the table changed), and announces
// as changed only the rows on screen whose values differ, so that ringing
// a line repaints that line rather than the whole grid. To compare them it
// reads those rows alone, not their pages.
class TableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TableModel(QObject *parent = nullptr);

    void setTable(Table *table);
    Table *table() const { return table_; }
    void setColumns(const QList<GridColumn> &columns);
    const QList<GridColumn> &columns() const { return columns_; }
    void setColumnTitle(int column, const QString &title);
    void setRowIndicator(bool on) { rowIndicator_ = on; }

    // Rows firstShown to lastShown are on screen (-1: none).
    void reload(int firstShown = -1, int lastShown = -1);

    // The row of the table's current record at the last reload; -1 when none.
    int currentRow() const { return currentRow_; }
    // The record behind a row; 0 for the row of a record being inserted.
    qint64 rowidAt(int row) const;

    // How many times the model has read the database (for tests).
    int databaseReads() const { return reads_; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    // With the row indicator, the current record moved from one row to
    // another (-1: none). Not announced as changed header data, which
    // would have the view lay out its titles and rows again.
    void currentRowMoved(int from, int to);

private:
    static constexpr int PageSize = 64;
    static constexpr int MaxCachedPages = 32;

    void resolveFields();
    const TableRow *storedRow(int row) const;
    QVariant cellValue(int row, int fieldIndex) const;
    // The whole record behind a row (edit buffer or row read); null when none.
    const QVector<QVariant> *record(int row) const;
    // What the model holds for a row's record without reading the
    // database; none when its page is not held.
    std::optional<QVector<QVariant>> pictured(int row) const;
    // The columns of a row show what they showed from `before`.
    bool showsAsBefore(int row, const QVector<QVariant> &before) const;
    bool isEditedRow(int row) const;
    void takePicture();
    // Reads rows first to last alone, ahead of their pages.
    void readShown(int first, int last);
    bool isShown(int row) const;

    QPointer<Table> table_;
    QList<GridColumn> columns_;
    QList<int> fieldIndexes_;
    bool rowIndicator_ = false;

    int storedCount_ = 0;
    int currentRow_ = -1;
    TableState state_ = TableState::Inactive;
    QVector<QVariant> editBuffer_; // the record in edit or insert, at reload
    mutable QHash<int, QList<TableRow>> pages_;
    int shownFrom_ = 0;
    QList<TableRow> shown_; // rows read alone at the last reload

    mutable int reads_ = 0;
};
