#pragma once

class QDateEdit;
class QWidget;

// A date picker: date only, in the short date format, with a drop-down
// calendar.
QDateEdit *makeDatePicker(QWidget *parent, const char *objectName);
