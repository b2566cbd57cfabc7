#include "record.h"

#include "store_error.h"
#include "table.h"

#include <limits>

Record::Record(const TableDef &definition) : def_(definition), values_(definition.fields.size()) {}

Record::Record(const TableDef &definition, QVector<QVariant> values) : def_(definition), values_(std::move(values))
{
    values_.resize(definition.fields.size());
}

int Record::indexOf(const QString &name) const
{
    for (int i = 0; i < def_.fields.size(); ++i)
        if (def_.fields[i].name == name)
            return i;
    throw StoreError(QStringLiteral("A record of table %1 has no field %2").arg(def_.name, name));
}

QString Record::asString(const QString &name) const
{
    const int i = indexOf(name);
    return FieldValues::asString(def_.fields[i], values_[i]);
}

void Record::setValue(const QString &name, const QVariant &value)
{
    const int i = indexOf(name);
    values_[i] = FieldValues::canonical(def_.name, def_.fields[i], value);
}

Record Record::reshaped(const TableDef &definition) const
{
    return reshaped(definition, fieldSources(def_, definition));
}

QVector<int> Record::fieldSources(const TableDef &from, const TableDef &to)
{
    QVector<int> sources(to.fields.size(), -1);
    for (int i = 0; i < to.fields.size(); ++i)
        for (int j = 0; j < from.fields.size(); ++j)
            if (from.fields[j].name == to.fields[i].name)
                sources[i] = j;
    return sources;
}

Record Record::reshaped(const TableDef &definition, const QVector<int> &sources) const
{
    Record shaped(definition);
    for (int i = 0; i < sources.size(); ++i)
        if (sources[i] >= 0)
            shaped.values_[i] = values_[sources[i]];
    return shaped;
}

Record currentRecord(Table &table)
{
    QVector<QVariant> values(table.fieldCount());
    for (int i = 0; i < values.size(); ++i)
        values[i] = table.field(i).value();
    return Record(table.definition(), std::move(values));
}

QList<Record> recordsOf(Table &table)
{
    QList<Record> records;
    for (TableRow &row : table.rows(0, std::numeric_limits<int>::max()))
        records.append(Record(table.definition(), std::move(row.values)));
    return records;
}
