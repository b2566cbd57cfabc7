#include "sale_records.h"

#include "field_values.h"
#include "table.h"

#include <limits>

namespace {

double amount(Table &table, const QString &name)
{
    return table.field(name).asFloat();
}

}

SaleFigures saleFiguresOf(Table &header, Table &control)
{
    SaleFigures s;
    s.subtotal = amount(header, QStringLiteral("Trxh_total"));
    for (int n = 1; n <= TaxCount; ++n)
        s.taxes[n - 1] = amount(header, numbered("Trxh_tx", n));
    s.grandTotal = amount(header, QStringLiteral("Trxh_grand_total"));
    for (int n = 1; n <= PaymentCount; ++n)
        s.payments[n - 1] = amount(header, numbered("Trxh_pmt", n));
    s.foreignUnits = amount(header, QStringLiteral("Trxh_fc1"));
    for (int n = 1; n <= CouponCount; ++n)
        s.coupons[n - 1] = amount(header, numbered("Trxh_cpn", n));
    s.foreignRate = amount(control, QStringLiteral("Ctrl_fc_rate"));
    return s;
}

TaxRules taxRulesOf(Table &control)
{
    TaxRules rules;
    for (int n = 1; n <= TaxCount; ++n) {
        rules.rates[n - 1] = amount(control, numbered("Ctrl_tx", n, "_rate"));
        if (n > 1)
            rules.taxOnTax[n - 1] = control.field(numbered("Ctrl_tx", n, "_txontx")).asBoolean();
    }
    return rules;
}

QList<LineAmount> lineAmountsOf(Table &lines)
{
    const int total = lines.fieldIndex(QStringLiteral("Trx_total"));
    int taxed[TaxCount];
    for (int n = 0; n < TaxCount; ++n)
        taxed[n] = lines.fieldIndex(numbered("Trx_tx", n + 1));
    QList<LineAmount> amounts;
    for (const TableRow &row : lines.rows(0, std::numeric_limits<int>::max())) {
        LineAmount line;
        line.total = FieldValues::asFloat(row.values[total]);
        for (int n = 0; n < TaxCount; ++n)
            line.taxed[n] = FieldValues::asBoolean(row.values[taxed[n]]);
        amounts.append(line);
    }
    return amounts;
}
