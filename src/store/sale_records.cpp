#include "sale_records.h"

#include "field_values.h"
#include "table.h"

#include <limits>

namespace {

double amount(Table &table, const QString &name)
{
    return table.field(name).asFloat();
}

QString numbered(const char *stem, int n)
{
    return QLatin1String(stem) + QString::number(n);
}

}

SaleFigures saleFiguresOf(Table &header, Table &control)
{
    SaleFigures s;
    s.subtotal = amount(header, QStringLiteral("Trxh_total"));
    for (int n = 0; n < 3; ++n) {
        s.taxes[n] = amount(header, numbered("Trxh_tx", n + 1));
        s.coupons[n] = amount(header, numbered("Trxh_cpn", n + 1));
    }
    s.grandTotal = amount(header, QStringLiteral("Trxh_grand_total"));
    for (int n = 0; n < 5; ++n)
        s.payments[n] = amount(header, numbered("Trxh_pmt", n + 1));
    s.foreignUnits = amount(header, QStringLiteral("Trxh_fc1"));
    s.foreignRate = amount(control, QStringLiteral("Ctrl_fc_rate"));
    return s;
}

TaxRules taxRulesOf(Table &control)
{
    TaxRules rules;
    for (int n = 0; n < 3; ++n)
        rules.rates[n] = amount(control, QStringLiteral("Ctrl_tx%1_rate").arg(n + 1));
    for (int n = 1; n < 3; ++n)
        rules.taxOnTax[n] = control.field(QStringLiteral("Ctrl_tx%1_txontx").arg(n + 1)).asBoolean();
    return rules;
}

QList<LineAmount> lineAmountsOf(Table &lines)
{
    const int total = lines.fieldIndex(QStringLiteral("Trx_total"));
    int taxed[3];
    for (int n = 0; n < 3; ++n)
        taxed[n] = lines.fieldIndex(numbered("Trx_tx", n + 1));
    QList<LineAmount> amounts;
    for (const TableRow &row : lines.rows(0, std::numeric_limits<int>::max())) {
        LineAmount line;
        line.total = FieldValues::asFloat(row.values[total]);
        for (int n = 0; n < 3; ++n)
            line.taxed[n] = FieldValues::asBoolean(row.values[taxed[n]]);
        amounts.append(line);
    }
    return amounts;
}
