#pragma once

#include <QString>

class QDialog;
class QHBoxLayout;
class QPushButton;

// The right-aligned row of a small dialog: a default button that accepts
// and one that rejects.
struct DialogButtons {
    QHBoxLayout *row;
    QPushButton *ok;
    QPushButton *cancel;
};
DialogButtons makeDialogButtons(QDialog &dialog, const QString &okText, const QString &cancelText);
