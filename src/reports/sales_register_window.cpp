#include "sales_register_window.h"

#include "reports/sales_register_report.h"
#include "store/data_module.h"
#include "store/filter_scope.h"
#include "widgets/dialogs.h"

#include <QDateEdit>
#include <QPushButton>
#include <QVBoxLayout>

TForm14::TForm14(TDataModule2 &dm, TForm13 &report, QWidget *parent)
    : QDialog(parent), ReportRangeControls(this), dm_(dm), report_(report)
{
    setObjectName(QStringLiteral("Form14"));
    setWindowTitle(QStringLiteral("Print Sales Register"));
    connect(BitBtn1, &QPushButton::clicked, this, &TForm14::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm14::BitBtn2Click);
    addTo(new QVBoxLayout(this));
}

void TForm14::showForToday()
{
    showToday();
    dialogs().exec(*this);
}

void TForm14::BitBtn1Click()
{
    runOverRange([this] { report_.preview(this); });
}

void TForm14::BitBtn2Click()
{
    runOverRange([this] { report_.print(); });
}

void TForm14::runOverRange(const std::function<void()> &run)
{
    // The time of day of the pickers plays no part: whole days count.
    dm_.setSalesRegisterRange(DateTimePicker1->date(), DateTimePicker2->date());
    const FilterScope onlyTheRange(dm_.tranmaster);
    run();
}

void TForm14::applyFrenchCaptions()
{
    setWindowTitle(QStringLiteral("Imprimer registre des ventes"));
    ReportRangeControls::applyFrenchCaptions();
}
