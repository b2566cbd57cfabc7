#pragma once

#include <QString>

class QGridLayout;
class QLabel;
class QWidget;

// Puts "caption  field" into a row of a grid, from `column` on, and makes
// the label the field's buddy; a control `beside` the field follows it
// closely.
QLabel *addLabelledRow(QGridLayout *grid, int row, const QString &caption, QWidget *field, int column = 0,
                       QWidget *beside = nullptr);

// Names each field after the label that is its buddy, so that a message
// refusing what was typed in it says which field it is, and sizes the
// window to its captions. Called again when they change language.
void fitToCaptions(QWidget &window);
