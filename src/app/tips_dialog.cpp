#include "tips_dialog.h"

#include "common/app_settings.h"
#include "common/language.h"
#include "common/settings_store.h"

#include <QCheckBox>
#include <QFile>
#include <QFrame>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

QString tipsFileName()
{
    return englishTexts() ? QStringLiteral("Tips.txt") : QStringLiteral("trucs.txt");
}

TTipsDlg::TTipsDlg(SettingsStore &settings, QWidget *parent) : QDialog(parent), settings_(settings)
{
    setWindowTitle(QStringLiteral("Tips"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(421, 379);

    auto *panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Memo1 = new QPlainTextEdit(panel);
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto *panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(4, 4, 4, 4);
    panelLayout->addWidget(Memo1);

    CheckBox1 = new QCheckBox(QStringLiteral("Do not show this tip box again"), this);
    CheckBox1->setChecked(true);
    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &TTipsDlg::OKBtnClick);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(CheckBox1);
    bottom->addStretch();
    bottom->addWidget(OKBtn);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addLayout(bottom);
}

bool TTipsDlg::loadTips(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    Memo1->setPlainText(QString::fromUtf8(file.readAll()));
    setWindowFilePath(path); // which file is shown; the caption stays "Tips"
    return true;
}

void TTipsDlg::OKBtnClick()
{
    if (CheckBox1->isChecked())
        settings_.write(TillanoSection, QStringLiteral("Tips"), QStringLiteral("N"));
    accept();
}
