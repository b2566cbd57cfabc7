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

    ReportBand &header = band(BandType::PageHeader);
    const qreal headingsTop = addReportHeading(header, documentName());
    addColumnHeadings(header, headingsTop, Columns, TextStyle().strong().underlined());
    header.setHeight(headingsTop + RowHeight + 6);

    ReportBand &detail = band(BandType::Detail);
    addColumnFields(detail, 0, Columns);
    detail.setHeight(RowHeight);

    const TextStyle total = TextStyle().strong();
    ReportBand &summary = band(BandType::Summary);
    summary.addRule(Columns[2].x, 3, PageGeometry::ContentWidth - Columns[2].x);
    summary.addLabel(Columns[1].cell(6), QStringLiteral("Totals"), total);
    summary.addExpression(Columns[2].cell(6), QStringLiteral("SUM(DeptTb.Dept_sales)"), NumberFormat::currency(),
                          total.right());
    summary.addExpression(Columns[3].cell(6), QStringLiteral("SUM(DeptTb.Dept_sales_ptd)"), NumberFormat::currency(),
                          total.right());
    summary.setHeight(6 + RowHeight + 4);
}

void TForm19::applyFrenchCaptions()
{
    translateLabels({{QStringLiteral("Department Sales Report"), QStringLiteral("Rapport Ventes des Départements")},
                     {QStringLiteral("Department"), QStringLiteral("Département")},
                     {QStringLiteral("Sales"), QStringLiteral("Ventes")},
                     {QStringLiteral("Sales PTD"), QStringLiteral("Ventes PAD")}});
}
