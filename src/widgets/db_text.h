#pragma once

#include "field_link.h"

#include <QLabel>

// A label that shows a field of a table's current record as an entry
// field would (money in the currency format, dates and times regional).
class DBText : public QLabel {
    Q_OBJECT
public:
    explicit DBText(QWidget *parent = nullptr);

    void setDataSource(Table *table, const QString &fieldName);
    Table *table() const { return link_.table(); }
    const QString &fieldName() const { return link_.fieldName(); }

private:
    void refresh();
    FieldLink link_;
};
