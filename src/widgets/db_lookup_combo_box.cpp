#include "db_lookup_combo_box.h"

#include "dialogs.h"

#include "store/field_values.h"

#include <QSignalBlocker>
#include <limits>

DBLookupComboBox::DBLookupComboBox(QWidget *parent)
    : QComboBox(parent), link_(this, [this] { refresh(); }), listRefresh_(this, [this] { fillList(); })
{
    connect(this, &QComboBox::activated, this, &DBLookupComboBox::chosen);
}

void DBLookupComboBox::setDataSource(Table *table, const QString &fieldName)
{
    link_.bind(table, fieldName);
}

void DBLookupComboBox::setLookup(Table *lookupTable, const QString &keyField, const QString &listField)
{
    disconnect(lookupChanged_);
    lookup_ = lookupTable;
    keyField_ = keyField;
    listField_ = listField;
    if (lookupTable) {
        lookupTable->fieldIndex(keyField);
        lookupTable->fieldIndex(listField);
        lookupChanged_ = connect(lookupTable, &Table::changed, &listRefresh_, &DeferredRefresh::request);
    }
    if (isVisible())
        reloadList();
    else
        listRefresh_.request();
}

void DBLookupComboBox::reloadList()
{
    listRefresh_.refreshNow();
}

void DBLookupComboBox::fillList()
{
    const QSignalBlocker quiet(this);
    clear();
    if (lookup_ && lookup_->active()) {
        const int key = lookup_->fieldIndex(keyField_);
        const int shown = lookup_->fieldIndex(listField_);
        const FieldDef &shownDef = lookup_->definition().fields[shown];
        for (const TableRow &row : lookup_->rows(0, std::numeric_limits<int>::max()))
            addItem(FieldValues::displayText(shownDef, row.values[shown]), row.values[key]);
    }
    refresh();
}

void DBLookupComboBox::refresh()
{
    const QSignalBlocker quiet(this);
    const QVariant value = link_.value();
    setCurrentIndex(value.isNull() ? -1 : findData(value));
}

void DBLookupComboBox::chosen(int index)
{
    if (!link_.startEdit()) {
        refresh();
        dialogs().beep();
        return;
    }
    link_.field().setValue(itemData(index));
}
