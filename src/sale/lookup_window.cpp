#include "lookup_window.h"

#include "product_search.h"

#include "common/language.h"
#include "store/data_module.h"
#include "widgets/db_grid.h"
#include "widgets/dialogs.h"
#include "widgets/entry_line.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
const QColor Teal(0, 128, 128);
}

TForm16::TForm16(TDataModule2 &dm, QWidget *parent) : QDialog(parent), dm_(dm)
{
    setObjectName(QStringLiteral("Form16"));
    setWindowTitle(QStringLiteral("Lookup"));
    setModal(true);

    SearchLine = new EntryLine(this);
    SearchLine->setObjectName(QStringLiteral("SearchLine"));
    SearchLine->installEventFilter(this);

    DBGrid1 = new DBGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setDataSource(&dm.producttb);
    DBGrid1->watchDatabase(dm.database()); // shown for every find, mostly over the same records
    DBGrid1->setColumns({
        {QStringLiteral("Product_desc"), QStringLiteral("Description"), Qt::AlignLeft, 380, true},
        {QStringLiteral("Product_price"), QStringLiteral("Price"), Qt::AlignRight, 110},
    });
    DBGrid1->setRowSelect(true);
    DBGrid1->setRowIndicator(true);
    DBGrid1->setTitleColours(Teal, Qt::white);
    DBGrid1->installEventFilter(this);
    connect(DBGrid1, &DBGrid::doubleClicked, this, &TForm16::choose);

    QFont bold = font();
    bold.setBold(true);
    Label1 = new QLabel(QStringLiteral("Escape Key to exit"), this);
    Label2 = new QLabel(QStringLiteral("Return Key to select"), this);
    Label3 = new QLabel(QStringLiteral("Arrow Keys to navigate"), this);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(SearchLine);
    layout->addWidget(DBGrid1, 1);
    for (QLabel *hint : {Label1, Label2, Label3}) {
        hint->setFont(bold);
        layout->addWidget(hint);
    }
    resize(560, 460);
}

void TForm16::applyFrenchCaptions()
{
    setWindowTitle(QStringLiteral("Recherche"));
    Label1->setText(QStringLiteral("Escape pour quitter"));
    Label2->setText(QStringLiteral("Return pour sélectionner"));
    Label3->setText(QStringLiteral("Fleches pour naviguer"));
    DBGrid1->setColumnTitle(1, QStringLiteral("Prix"));
}

bool TForm16::findForEditor()
{
    Table &products = dm_.producttb;
    const qint64 startedOn = products.hasCurrent() ? products.currentRowid() : 0;
    forEditor_ = true;
    const bool chosen = dialogs().exec(*this) == QDialog::Accepted;
    forEditor_ = false;
    if (!chosen && startedOn != 0)
        products.moveToRowid(startedOn);
    return chosen;
}

void TForm16::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    SearchLine->clear();
    SearchLine->setPlaceholderText(chooseText(QStringLiteral("Code or words of the description, then Enter"),
                                              QStringLiteral("Code ou mots de la description, puis Entrée")));
    if (forEditor_)
        SearchLine->setFocus();
    else
        DBGrid1->setFocus();
}

void TForm16::search()
{
    if (findProduct(dm_, SearchLine->text()))
        DBGrid1->reload(); // the list shows it before the next key
    else
        dialogs().beep();
}

void TForm16::choose()
{
    Table &products = dm_.producttb;
    if (!products.hasCurrent())
        return;
    if (forEditor_) {
        accept(); // the table stands on the product chosen
        return;
    }
    Table &line = dm_.tmpdetail;
    line.edit();
    line.field(QStringLiteral("Trx_upc")).setFloat(products.field(QStringLiteral("Product_upc")).asFloat());
    accept();
}

void TForm16::reject()
{
    if (!forEditor_)
        dm_.tmpdetail.edit();
    QDialog::reject();
}

bool TForm16::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == SearchLine && event->type() == QEvent::ShortcutOverride) {
        // The search line's own keys below reach it before any shortcut,
        // without QLineEdit matching them against its editing keys first.
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Down) {
            event->accept();
            return true;
        }
    }
    if (watched == SearchLine && event->type() == QEvent::KeyPress) {
        // Enter finds (again: the next match), Down goes into the list.
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            search();
            return true;
        }
        if (key == Qt::Key_Down) {
            DBGrid1->setFocus();
            return true;
        }
    }
    if (watched == DBGrid1 && event->type() == QEvent::KeyPress) {
        auto *keyEvent = static_cast<QKeyEvent *>(event);
        const int key = keyEvent->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            choose();
            return true;
        }
        // A code or a word typed in the list starts a new search.
        const QString typed = keyEvent->text();
        const bool printable = !typed.isEmpty() && typed.at(0).isPrint()
            && !(keyEvent->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        if (printable) {
            SearchLine->setFocus();
            SearchLine->selectAll();
            QCoreApplication::sendEvent(SearchLine, event);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
