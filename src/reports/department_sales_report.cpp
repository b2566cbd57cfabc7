#include "department_sales_report.h"

#include "reports/report_parts.h"
#include "store/data_module.h"

namespace {

const QList<ReportColumn> Columns{
    {0, 80, QStringLiteral("Department"), QStringLiteral("DeptTb.Dept_code")},
    {85, 250, QStringLiteral("Description"), QStringLiteral("DeptTb.Dept_desc")},
    {340, 95, QStringLiteral("Sales"), QStringLiteral("DeptTb.Dept_sales"), true},
    {440, 100, QStringLiteral("Sales PTD"), QStringLiteral("DeptTb.Dept_sales_ptd"), true},
};

}

TForm19::TForm19(TDataModule2 &dm) : PageReport(dm, QStringLiteral("Department Sales Report"))
{
    setDataSet(&dm.DeptTb);
    addListing(band(BandType::PageHeader), band(BandType::Detail), documentName(), Columns,
               TextStyle().strong().underlined());
    addTotalLine(band(BandType::Summary), Columns[1], QStringLiteral("Totals"),
                 {{Columns[2], QStringLiteral("SUM(DeptTb.Dept_sales)")},
                  {Columns[3], QStringLiteral("SUM(DeptTb.Dept_sales_ptd)")}},
                 NumberFormat::currency());
}

void TForm19::applyFrenchCaptions()
{
    translateLabels({{QStringLiteral("Department Sales Report"), QStringLiteral("Rapport Ventes des Départements")},
                     {QStringLiteral("Department"), QStringLiteral("Département")},
                     {QStringLiteral("Sales"), QStringLiteral("Ventes")},
                     {QStringLiteral("Sales PTD"), QStringLiteral("Ventes PAD")}});
}
