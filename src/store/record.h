#pragma once

#include "field_values.h"
#include "table_def.h"

#include <QList>
#include <QVector>

class Table;

// One record held as values, apart from any table and its cursor, in the
// field order of its table's definition. Its fields read and are written
// like a table's (Field), so a record read, kept and written back is
// exactly what the table held.
class Record {
public:
    Record() = default;
    explicit Record(const TableDef &definition); // every field without value
    Record(const TableDef &definition, QVector<QVariant> values);

    const TableDef &definition() const { return def_; }
    const QVector<QVariant> &values() const { return values_; }
    // The index of a field; an unknown name raises StoreError.
    int indexOf(const QString &name) const;

    QVariant value(const QString &name) const { return values_[indexOf(name)]; }
    double asFloat(const QString &name) const { return FieldValues::asFloat(value(name)); }
    int asInteger(const QString &name) const { return int(FieldValues::asInteger(value(name))); }
    bool asBoolean(const QString &name) const { return FieldValues::asBoolean(value(name)); }
    QString asString(const QString &name) const;
    QDate asDate(const QString &name) const { return FieldValues::asDate(value(name)); }
    QTime asTime(const QString &name) const { return FieldValues::asTime(value(name)); }

    void setValue(const QString &name, const QVariant &value);

    // Its same-named fields in the shape of another table.
    Record reshaped(const TableDef &definition) const;
    // The same for many records of one table, with the place each field
    // of the other table takes its value from (-1: none) worked out once.
    static QVector<int> fieldSources(const TableDef &from, const TableDef &to);
    Record reshaped(const TableDef &definition, const QVector<int> &sources) const;

private:
    TableDef def_;
    QVector<QVariant> values_;
};

// The current record of a table.
Record currentRecord(Table &table);
// Every record of a table as it presents itself (a filter switched on, a
// master link); its cursor does not move.
QList<Record> recordsOf(Table &table);
