#pragma once

#include "field_link.h"

#include <QCheckBox>

// A check box bound to a logical field of a table's current record.
// Every change of its state (a click, the space bar, an assistive
// technology's toggle action, toggle() or setChecked() called by the
// program) puts the record into edit and writes the new state at once, so
// the box never shows what the record does not hold. A refresh from the
// table writes nothing back.
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
    void stateToggled(bool checked);
    FieldLink link_;
};
