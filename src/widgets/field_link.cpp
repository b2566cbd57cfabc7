#include "field_link.h"

#include "store/store_error.h"


FieldLink::FieldLink(QObject *owner, std::function<void()> refresh) : QObject(owner), refresh_(std::move(refresh)) {}

void FieldLink::bind(Table *table, const QString &fieldName)
{
    disconnect(changed_);
    disconnect(updating_);
    table_ = table;
    fieldName_ = fieldName;
    index_ = table ? table->fieldIndex(fieldName) : -1;
    if (table) {
        changed_ = connect(table, &Table::changed, this, [this] { refresh_(); });
        updating_ = connect(table, &Table::updatingRecord, this, &FieldLink::updatingRecord);
    }
    refresh_();
}

FieldType FieldLink::fieldType() const
{
    return bound() ? field().type() : FieldType::Text;
}

QVariant FieldLink::value() const
{
    return bound() ? field().value() : QVariant();
}

QString FieldLink::displayText() const
{
    return bound() ? field().displayText() : QString();
}

bool FieldLink::startEdit()
{
    if (!bound() || !table_->active())
        return false;
    try {
        table_->edit();
    } catch (const StoreError &) {
        return false;
    }
    return true;
}
