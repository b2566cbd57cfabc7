#pragma once

#include "field_link.h"

#include <QCheckBox>

// A check box bound to a logical field of a table's current record.
// Clicking it puts the record into edit and writes the new state at once.
class DBCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit DBCheckBox(QWidget *parent = nullptr);
    DBCheckBox(const QString &caption, QWidget *parent = nullptr);

    void setDataSource(Table *table, const QString &fieldName);
    Table *table() const { return link_.table(); }
    const QString &fieldName() const { return link_.fieldName(); }

private:
    void refresh();
    void userClicked(bool checked);
    FieldLink link_;
};
