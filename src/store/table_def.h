#pragma once

#include <QList>
#include <QString>
#include <QStringList>

enum class FieldType { Integer, Float, Money, Logical, Date, Time, Text, Memo, AutoIncrement };

struct FieldDef {
    QString name;
    FieldType type;
    int size = 0; // characters, for Text
};

// The shape of one table: its fields in record order, the columns that
// give its record order (its key; empty for a table kept in entry order),
// and the one field it is searched by.
struct TableDef {
    QString name;
    QList<FieldDef> fields;
    QStringList orderColumns;
    QString searchField;
    bool durable = true; // work tables are emptied at every start-up
};
