#include "dialog_buttons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

DialogButtons makeDialogButtons(QDialog &dialog, const QString &okText, const QString &cancelText)
{
    DialogButtons b{new QHBoxLayout, new QPushButton(okText, &dialog), new QPushButton(cancelText, &dialog)};
    b.ok->setDefault(true);
    QObject::connect(b.ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(b.cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    b.row->addStretch();
    b.row->addWidget(b.ok);
    b.row->addWidget(b.cancel);
    return b;
}
