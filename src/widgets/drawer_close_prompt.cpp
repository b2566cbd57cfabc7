#include "drawer_close_prompt.h"

#include "common/language.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

DrawerClosePrompt::DrawerClosePrompt(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(chooseText(QStringLiteral("Cash drawer"), QStringLiteral("Tiroir caisse")));
    setWindowFlags(windowFlags() & ~Qt::WindowCloseButtonHint);
    setMinimumWidth(320); // room for the title in the window manager's bar
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(chooseText(QStringLiteral("The cash drawer is open.\nShut it, then click the button."),
                                            QStringLiteral("Le tiroir caisse est ouvert.\nFermez-le, puis cliquez sur le "
                                                           "bouton.")),
                                 this));
    auto *shut = new QPushButton(chooseText(QStringLiteral("Drawer shut"), QStringLiteral("Tiroir fermé")), this);
    shut->setObjectName(QStringLiteral("drawerShutButton"));
    shut->setDefault(true);
    connect(shut, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(shut);
}
