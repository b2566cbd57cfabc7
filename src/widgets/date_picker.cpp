#include "date_picker.h"

#include <QDateEdit>
#include <QLocale>

QDateEdit *makeDatePicker(QWidget *parent, const char *objectName)
{
    auto *picker = new QDateEdit(parent);
    picker->setObjectName(QLatin1String(objectName));
    picker->setCalendarPopup(true);
    picker->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
    return picker;
}
