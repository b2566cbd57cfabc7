#include "db_navigator.h"

#include "dialogs.h"

#include "common/language.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace {

struct ButtonLook {
    const char *glyph;
    const char *hint;
};

const ButtonLook Looks[DBNavigator::ButtonCount] = {
    {"|\u25C0", "First record"}, {"\u25C0", "Prior record"}, {"\u25B6", "Next record"},
    {"\u25B6|", "Last record"},  {"+", "Insert record"},      {"\u2212", "Delete record"},
    {"\u25B2", "Edit record"},   {"\u2714", "Post edit"},     {"\u2716", "Cancel edit"},
};

}

DBNavigator::DBNavigator(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    for (int i = 0; i < ButtonCount; ++i) {
        auto *b = new QToolButton(this);
        b->setText(QString::fromUtf8(Looks[i].glyph));
        b->setToolTip(QString::fromUtf8(Looks[i].hint));
        b->setFocusPolicy(Qt::NoFocus);
        b->setMinimumWidth(28);
        connect(b, &QToolButton::clicked, this, [this, i] { BtnClick(Button(i)); });
        layout->addWidget(b);
        buttons_[i] = b;
    }
    updateButtons();
}

void DBNavigator::setDataSource(Table *table)
{
    disconnect(changed_);
    table_ = table;
    if (table)
        changed_ = connect(table, &Table::changed, this, &DBNavigator::updateButtons);
    updateButtons();
}

void DBNavigator::BtnClick(Button button)
{
    if (!table_ || !table_->active())
        return;
    act(button);
    updateButtons();
    emit clicked(button);
}

void DBNavigator::act(Button button)
{
    Table &t = *table_;
    switch (button) {
    case First: t.first(); break;
    case Prior: t.prior(); break;
    case Next: t.next(); break;
    case Last: t.last(); break;
    case Insert: t.insert(); break;
    case Edit: t.edit(); break;
    case Post: t.post(); break;
    case Cancel: t.cancel(); break;
    case Delete:
        if ((t.hasCurrent() || t.state() == TableState::Insert)
            && dialogs().question(window(), chooseText(QStringLiteral("Delete record?"),
                                                       QStringLiteral("Supprimer l'enregistrement?"))))
            t.deleteRecord();
        break;
    }
}

void DBNavigator::updateButtons()
{
    // Moving while a record is in edit posts it, so the moves stay enabled.
    const bool open = table_ && table_->active();
    const bool editing = open && table_->editing();
    const bool onRecord = open && (table_->hasCurrent() || table_->state() == TableState::Insert);
    buttons_[First]->setEnabled(open && !table_->bof());
    buttons_[Prior]->setEnabled(open && !table_->bof());
    buttons_[Next]->setEnabled(open && !table_->eof());
    buttons_[Last]->setEnabled(open && !table_->eof());
    buttons_[Insert]->setEnabled(open);
    buttons_[Delete]->setEnabled(onRecord);
    buttons_[Edit]->setEnabled(open && !editing);
    buttons_[Post]->setEnabled(editing);
    buttons_[Cancel]->setEnabled(editing);
}
