#pragma once

#include "deferred_refresh.h"
#include "table_model.h"

#include <QTableView>

class Database;
class SteadyScrollBar;

// A read-only grid over a table's records, in the table's order, with the
// table's current record as the grid's current row. Choosing a row (with
// the mouse, or the keys the grid handles itself) makes its record the
// table's current one.
//
// The grid follows the table's change notifications, at most once per
// turn of the event loop (the table notifies once per field written), and
// only while it is visible: a hidden grid reads nothing until it is shown.
class DBGrid : public QTableView {
    Q_OBJECT
public:
    explicit DBGrid(QWidget *parent = nullptr);

    void setDataSource(Table *table);
    // Shown again, the grid reads its table anew only when the table
    // notified or the database changed meanwhile; without this, always.
    void watchDatabase(Database &db);
    Table *table() const { return model_.table(); }
    void setColumns(const QList<GridColumn> &columns);
    void setColumnTitle(int column, const QString &title);

    // Whole rows are selected rather than single cells.
    void setRowSelect(bool on);
    // A marker beside the current row.
    void setRowIndicator(bool on);
    void setTitleColours(const QColor &background, const QColor &text);

    // Reads the table again now rather than at the next turn of the loop.
    void reload();

    TableModel &tableModel() { return model_; }

protected:
    void doItemsLayout() override;

private:
    void readTable();
    void rowChosen(const QModelIndex &current);
    void rowsAppended(int first);

    TableModel model_;
    SteadyScrollBar *rowBar_;
    DeferredRefresh refresh_;
    QMetaObject::Connection changed_;
    bool followingTable_ = false;
    int appendedFrom_ = -1; // the first row appended, while the rows are laid out
};
