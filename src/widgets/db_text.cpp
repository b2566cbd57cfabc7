#include "db_text.h"

DBText::DBText(QWidget *parent) : QLabel(parent), link_(this, [this] { refresh(); }) {}

void DBText::setDataSource(Table *table, const QString &fieldName)
{
    link_.bind(table, fieldName);
}

void DBText::refresh()
{
    const QString shown = link_.displayText();
    if (text() != shown)
        setText(shown);
}
