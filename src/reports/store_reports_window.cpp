#include "store_reports_window.h"

#include "common/language.h"
#include "lanes/server_connection.h"
#include "reports/store_report.h"
#include "widgets/dialogs.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDateEdit>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// The wait cursor while the server answers.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

}

StoreReportsWindow::StoreReportsWindow(TDataModule2 &dm, Reader reader, QWidget *parent)
    : QDialog(parent), ReportRangeControls(this), dm_(dm), reader_(std::move(reader))
{
    setObjectName(QStringLiteral("StoreReportsWindow"));
    setWindowTitle(QStringLiteral("Store reports"));

    ReportGroup = new QGroupBox(QStringLiteral("Report"), this);
    kinds_ = new QButtonGroup(this);
    auto *items = new QVBoxLayout(ReportGroup);
    const auto item = [&](const char *name, const char *caption, StoreReportKind kind) {
        auto *button = new QRadioButton(QLatin1String(caption), ReportGroup);
        button->setObjectName(QLatin1String(name));
        kinds_->addButton(button, int(kind));
        items->addWidget(button);
        return button;
    };
    FinancialItem = item("FinancialItem", "Financial report", StoreReportKind::Financial);
    CashiersItem = item("CashiersItem", "Cashier report", StoreReportKind::Cashiers);
    ProductsItem = item("ProductsItem", "Product sales report", StoreReportKind::Products);
    DepartmentsItem = item("DepartmentsItem", "Department sales report", StoreReportKind::Departments);
    RegisterItem = item("RegisterItem", "Sales register", StoreReportKind::Register);
    FinancialItem->setChecked(true);

    connect(BitBtn1, &QPushButton::clicked, this, &StoreReportsWindow::PreviewClick);
    connect(BitBtn2, &QPushButton::clicked, this, &StoreReportsWindow::PrintClick);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(ReportGroup);
    addTo(layout);
}

void StoreReportsWindow::showForToday()
{
    showToday();
    kinds_->checkedButton()->setFocus();
    dialogs().exec(*this);
}

void StoreReportsWindow::PreviewClick()
{
    runChosen([this](StoreReport &report) { report.preview(this); });
}

void StoreReportsWindow::PrintClick()
{
    runChosen([](StoreReport &report) { report.print(); });
}

StoreReportKind StoreReportsWindow::chosenKind() const
{
    return StoreReportKind(kinds_->checkedId());
}

void StoreReportsWindow::runChosen(const std::function<void(StoreReport &)> &show)
{
    const QDate from = DateTimePicker1->date();
    const QDate to = DateTimePicker2->date();
    if (from > to) {
        dialogs().message(this, chooseText(QStringLiteral("The ending date is before the starting date."),
                                           QStringLiteral("La date de fin est avant la date de début.")));
        return;
    }
    StoreReportData data;
    try {
        const WaitCursor waiting;
        data = reader_(chosenKind(), from, to);
    } catch (const ServerError &e) {
        dialogs().message(this, chooseText(QStringLiteral("The store server could not give the report: %1"),
                                           QStringLiteral("Le serveur du magasin n'a pas pu donner le rapport : %1"))
                                    .arg(e.message()));
        return;
    }
    const std::unique_ptr<StoreReport> report = makeStoreReport(dm_, std::move(data));
    show(*report);
}

void StoreReportsWindow::applyFrenchCaptions()
{
    setWindowTitle(QStringLiteral("Rapports du magasin"));
    ReportGroup->setTitle(QStringLiteral("Rapport"));
    FinancialItem->setText(QStringLiteral("Rapport financier"));
    CashiersItem->setText(QStringLiteral("Rapport caissier"));
    ProductsItem->setText(QStringLiteral("Rapport ventes des produits"));
    DepartmentsItem->setText(QStringLiteral("Rapport ventes des départements"));
    RegisterItem->setText(QStringLiteral("Registre des ventes"));
    ReportRangeControls::applyFrenchCaptions();
}
