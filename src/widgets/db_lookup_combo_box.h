#pragma once

#include "deferred_refresh.h"
#include "field_link.h"

#include <QComboBox>

// A drop-down bound to a field of a table's current record whose choices
// come from another table: it lists one field of the lookup table (the
// department names) and stores another (the department code). Choosing an
// entry puts the record into edit and writes the stored value at once.
// The list is read again after the lookup table changes, once per turn of
// the event loop, and only while the control is visible.
class DBLookupComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit DBLookupComboBox(QWidget *parent = nullptr);

    void setDataSource(Table *table, const QString &fieldName);
    void setLookup(Table *lookupTable, const QString &keyField, const QString &listField);

    Table *table() const { return link_.table(); }
    const QString &fieldName() const { return link_.fieldName(); }

    // Reads the list from the lookup table now.
    void reloadList();

private:
    void fillList();
    void refresh();
    void chosen(int index);

    FieldLink link_;
    DeferredRefresh listRefresh_;
    QPointer<Table> lookup_;
    QString keyField_;
    QString listField_;
    QMetaObject::Connection lookupChanged_;
};
