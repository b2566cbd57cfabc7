#pragma once

#include "store/table.h"

#include <QObject>
#include <QPointer>
#include <functional>

// Ties a control to one field of a table's current record. The control is
// refreshed whenever the table asks its bound views to refresh; suspended
// tables (disableControls) do not ask. Reading the field reads the record
// held in memory, never the database, so the refresh is done at once: code
// that reads a control's text right after a change sees the new record.
class FieldLink : public QObject {
    Q_OBJECT
public:
    FieldLink(QObject *owner, std::function<void()> refresh);

    // Binds to `fieldName` of `table` (nullptr unbinds); raises StoreError
    // for a field the table does not have.
    void bind(Table *table, const QString &fieldName);

    Table *table() const { return table_; }
    const QString &fieldName() const { return fieldName_; }
    bool bound() const { return table_ && index_ >= 0; }
    Field field() const { return Field(table_, index_); }
    FieldType fieldType() const;

    // The field's value in the current record; no value when unbound.
    QVariant value() const;
    // What an entry field or label shows for the value.
    QString displayText() const;

    // Puts the record into edit (on a table without records this starts a
    // new one); false when the table is not open or refuses.
    bool startEdit();

signals:
    // The table is about to post or leave a record in edit.
    void updatingRecord();

private:
    std::function<void()> refresh_;
    QPointer<Table> table_;
    QString fieldName_;
    int index_ = -1;
    QMetaObject::Connection changed_;
    QMetaObject::Connection updating_;
};
