#pragma once

#include "table_def.h"

#include <QDate>
#include <QString>
#include <QTime>
#include <QVariant>

class Table;

// A field of a table's current record, reached by name. A field without
// value reads as 0, false or empty text. Writing needs the table in edit
// or insert state; a value that does not fit raises StoreError.
class Field {
public:
    Field(Table *table, int index) : table_(table), index_(index) {}

    const FieldDef &definition() const;
    const QString &name() const { return definition().name; }
    FieldType type() const { return definition().type; }

    bool isNull() const { return value().isNull(); }
    QVariant value() const;
    double asFloat() const;
    int asInteger() const;
    bool asBoolean() const;
    QString asString() const;
    QDate asDate() const;
    QTime asTime() const;
    QString displayText() const;

    void setValue(const QVariant &value);
    void setFloat(double value) { setValue(QVariant(value)); }
    void setInteger(qint64 value) { setValue(QVariant(value)); }
    void setBoolean(bool value) { setValue(QVariant(value)); }
    void setString(const QString &value) { setValue(QVariant(value)); }
    void setDate(const QDate &value) { setValue(QVariant(value)); }
    void setTime(const QTime &value) { setValue(QVariant(value)); }
    void clear() { setValue(QVariant()); }

private:
    Table *table_;
    int index_;
};
