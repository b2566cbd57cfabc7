#include "money_count_window.h"

#include "common/amount_families.h"
#include "store/data_module.h"
#include "widgets/db_edit.h"
#include "widgets/db_text.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const char *const InstructionsEnglish = "This is the blind money count.  Enter the amounts for each category.  "
                                        "A report will print after you accept the entries.";
const char *const InstructionsFrench = "Ceci est un décompte aveugle.  Entrer les montants pour chaquecatégorie.  "
                                       "Un rapport sera imprimer lorsque vous acceptez.";
}

TForm11::TForm11(TDataModule2 &dm, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Blind Money Count"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint);

    Instructions = new QLabel(QString::fromUtf8(InstructionsEnglish), this);
    Instructions->setWordWrap(true);
    QFont bold = Instructions->font();
    bold.setBold(true);
    Instructions->setFont(bold);

    auto *rows = new QGridLayout;
    auto addRow = [&](QWidget *label, const QString &field) {
        const int row = rows->rowCount();
        auto *edit = new DBEdit(this);
        edit->setDataSource(&dm.Moneytb, field);
        edit->setAlignment(Qt::AlignRight);
        edit->installEventFilter(this);
        Amounts.append(edit);
        rows->addWidget(label, row, 0, Qt::AlignRight);
        rows->addWidget(edit, row, 1);
    };
    auto tenderName = [&](const QString &field) {
        auto *name = new DBText(this);
        name->setDataSource(&dm.Control, field);
        name->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        TenderNames.append(name);
        return name;
    };

    FloatLabel = new QLabel(QStringLiteral("Float"), this);
    addRow(FloatLabel, QStringLiteral("Money_float"));
    for (const AmountFamily &family : {Payments, Coupons}) {
        const QStringList names = familyFields(QStringLiteral("Ctrl_"), family);
        const QStringList counts = familyFields(QStringLiteral("Money_"), family);
        for (int i = 0; i < family.count; ++i)
            addRow(tenderName(names[i]), counts[i]);
    }
    ForeignCurrencyLabel = new QLabel(QStringLiteral("Foreign Currency"), this);
    addRow(ForeignCurrencyLabel, QStringLiteral("Money_fc1"));

    AcceptBtn = new QPushButton(QStringLiteral("Accept"), this);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    for (QPushButton *b : {AcceptBtn, CancelBtn}) {
        b->setAutoDefault(false);
        b->installEventFilter(this);
    }
    connect(AcceptBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(AcceptBtn);
    buttons->addWidget(CancelBtn);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Instructions);
    layout->addLayout(rows);
    layout->addLayout(buttons);
    setMinimumWidth(380);
}

void TForm11::applyFrenchCaptions()
{
    setWindowTitle(QStringLiteral("Décompte aveugle"));
    Instructions->setText(QString::fromUtf8(InstructionsFrench));
    FloatLabel->setText(QStringLiteral("Départ"));
    ForeignCurrencyLabel->setText(QStringLiteral("Devise étrangère"));
    AcceptBtn->setText(QStringLiteral("Accepter"));
    CancelBtn->setText(QStringLiteral("Annuler"));
}

QList<QWidget *> TForm11::focusStops() const
{
    QList<QWidget *> stops(Amounts.cbegin(), Amounts.cend());
    stops << AcceptBtn << CancelBtn;
    return stops;
}

void TForm11::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Amounts.first()->setFocus();
}

bool TForm11::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent *>(event)->key();
    const QList<QWidget *> stops = focusStops();
    const qsizetype at = stops.indexOf(static_cast<QWidget *>(watched));
    if (at < 0)
        return QDialog::eventFilter(watched, event);

    // Enter on a button presses it, as a cashier who has typed the last
    // amount and moved to "Accept" expects.
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && qobject_cast<QPushButton *>(watched)) {
        static_cast<QPushButton *>(watched)->click();
        return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Down) {
        stops[(at + 1) % stops.size()]->setFocus();
        return true;
    }
    if (key == Qt::Key_Up) {
        stops[(at + stops.size() - 1) % stops.size()]->setFocus();
        return true;
    }
    if (key == Qt::Key_Escape) {
        reject();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
