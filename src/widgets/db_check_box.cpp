#include "db_check_box.h"

#include "dialogs.h"

#include <QSignalBlocker>

DBCheckBox::DBCheckBox(QWidget *parent) : DBCheckBox(QString(), parent) {}

DBCheckBox::DBCheckBox(const QString &caption, QWidget *parent)
    : QCheckBox(caption, parent), link_(this, [this] { refresh(); })
{
    connect(this, &QCheckBox::toggled, this, &DBCheckBox::stateToggled);
}

void DBCheckBox::setDataSource(Table *table, const QString &fieldName)
{
    link_.bind(table, fieldName);
}

void DBCheckBox::refresh()
{
    const QSignalBlocker quiet(this); // what the table holds is not written back
    setChecked(link_.bound() && link_.field().asBoolean());
}

void DBCheckBox::stateToggled(bool checked)
{
    if (!link_.startEdit()) {
        refresh();
        dialogs().beep();
        return;
    }
    link_.field().setBoolean(checked);
}
