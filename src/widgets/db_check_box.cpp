#include "db_check_box.h"

#include "dialogs.h"

#include <QSignalBlocker>

DBCheckBox::DBCheckBox(QWidget *parent) : DBCheckBox(QString(), parent) {}

DBCheckBox::DBCheckBox(const QString &caption, QWidget *parent)
    : QCheckBox(caption, parent), link_(this, [this] { refresh(); })
{
    connect(this, &QCheckBox::clicked, this, &DBCheckBox::userClicked);
}

void DBCheckBox::setDataSource(Table *table, const QString &fieldName)
{
    link_.bind(table, fieldName);
}

void DBCheckBox::refresh()
{
    const QSignalBlocker quiet(this);
    setChecked(link_.bound() && link_.field().asBoolean());
}

void DBCheckBox::userClicked(bool checked)
{
    if (!link_.startEdit()) {
        refresh();
        dialogs().beep();
        return;
    }
    link_.field().setBoolean(checked);
}
