#include "master_data_editor.h"

#include "form_keys.h"
#include "form_layout.h"

#include "store/store_error.h"
#include "store/table.h"
#include "widgets/db_edit.h"
#include "widgets/dialogs.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QVBoxLayout>
#include <optional>

namespace {

// Entry fields, memos, check boxes, radio buttons, lists and drop-downs,
// bound or not; the parts a drop-down is made of go with it.
bool isDataEntryControl(QWidget *control, const QWidget &window)
{
    if (insideDropDown(control, window))
        return false;
    return qobject_cast<QLineEdit *>(control) || qobject_cast<QComboBox *>(control)
        || qobject_cast<QCheckBox *>(control) || qobject_cast<QRadioButton *>(control)
        || qobject_cast<QTextEdit *>(control) || qobject_cast<QPlainTextEdit *>(control)
        || qobject_cast<QListView *>(control);
}

std::optional<DBNavigator::Button> browsingButton(int key)
{
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_PageUp: return DBNavigator::Prior;
    case Qt::Key_Down:
    case Qt::Key_PageDown: return DBNavigator::Next;
    case Qt::Key_Home: return DBNavigator::First;
    case Qt::Key_End: return DBNavigator::Last;
    case Qt::Key_Insert: return DBNavigator::Insert;
    case Qt::Key_Delete: return DBNavigator::Delete;
    case Qt::Key_F2: return DBNavigator::Edit;
    default: return std::nullopt;
    }
}

}

MasterDataEditor::MasterDataEditor(Table &table, QWidget *parent) : QDialog(parent), table_(table)
{
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
}

DBEdit *MasterDataEditor::boundEdit(const char *name, const char *field, int width)
{
    auto *edit = new DBEdit(this);
    edit->setObjectName(QLatin1String(name));
    edit->setDataSource(&table_, QLatin1String(field));
    edit->setFixedWidth(width);
    return edit;
}

void MasterDataEditor::finishLayout(QGridLayout *fields)
{
    DBNavigator1 = new DBNavigator(this);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    DBNavigator1->setDataSource(&table_);
    connect(DBNavigator1, &DBNavigator::clicked, this, &MasterDataEditor::DBNavigator1Click);

    // Enter must not close the window: it moves between the fields.
    Button1 = new QPushButton(QStringLiteral("Close"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setAutoDefault(false);
    connect(Button1, &QPushButton::clicked, this, &MasterDataEditor::Button1Click);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(DBNavigator1);
    bottom->addStretch();
    bottom->addWidget(Button1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addSpacing(8);
    layout->addLayout(bottom);
    fitToCaptions(*this);
    previewKeys(*this);
}

void MasterDataEditor::Set_Fields_State(bool enabled)
{
    for (QWidget *control : findChildren<QWidget *>())
        if (isDataEntryControl(control, *this))
            control->setEnabled(enabled);
}

void MasterDataEditor::FormActivate()
{
    if (table_.active())
        return;
    Set_Fields_State(false);
    table_.open();
}

void MasterDataEditor::DBNavigator1Click(DBNavigator::Button button)
{
    // The fields open exactly while a record is inserted or edited; a
    // delete answered No leaves a record in edit as it was.
    Set_Fields_State(table_.editing());
    // What is typed right after Insert goes into the new record.
    if (button == DBNavigator::Insert && table_.editing())
        focusFirstField();
}

void MasterDataEditor::focusFirstField()
{
    for (QWidget *control = nextInFocusChain(); control != this; control = control->nextInFocusChain()) {
        if (isFocusStop(control) && control->isEnabled()) {
            control->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void MasterDataEditor::press(DBNavigator::Button button)
{
    try {
        DBNavigator1->BtnClick(button);
    } catch (const StoreError &e) {
        dialogs().message(this, e.message());
    }
}

bool MasterDataEditor::FormKeyDown(QWidget *target, int key, Qt::KeyboardModifiers modifiers)
{
    if (table_.editing() && (key == Qt::Key_F10 || key == Qt::Key_F3)) {
        press(key == Qt::Key_F10 ? DBNavigator::Post : DBNavigator::Cancel);
        return true;
    }
    if (!table_.editing()) {
        const std::optional<DBNavigator::Button> button = browsingButton(key);
        if (button)
            press(*button);
        return button.has_value();
    }
    if (modifiers & Qt::AltModifier)
        return false; // Alt+Down opens the drop-down
    return moveFocusByKey(*this, target, key, [this](QWidget *control) { return isFocusStop(control); });
}

bool MasterDataEditor::mayClose()
{
    try {
        if (table_.editing()) {
            // A record left in insert or edit is written when something was
            // typed into it, and dropped otherwise.
            table_.updateRecord();
            table_.modified() ? table_.post() : table_.cancel();
            Set_Fields_State(false);
        }
        const QString refusal = table_.active() ? closeRefusal() : QString();
        if (refusal.isEmpty())
            return true;
        dialogs().message(this, refusal);
    } catch (const StoreError &e) {
        dialogs().message(this, e.message());
    }
    return false;
}

void MasterDataEditor::Button1Click()
{
    if (mayClose())
        accept();
}

void MasterDataEditor::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormActivate();
    Button1->setFocus();
}

void MasterDataEditor::closeEvent(QCloseEvent *event)
{
    if (mayClose())
        QDialog::closeEvent(event);
    else
        event->ignore();
}

void MasterDataEditor::keyPressEvent(QKeyEvent *event)
{
    // Escape does not close the window past its checks.
    if (!FormKeyDown(this, event->key(), event->modifiers()) && event->key() != Qt::Key_Escape)
        QDialog::keyPressEvent(event);
}

bool MasterDataEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (FormKeyDown(static_cast<QWidget *>(watched), key->key(), key->modifiers()))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}
