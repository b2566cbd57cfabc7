#include "sale_record.h"

#include "data_module.h"
#include "field_values.h"

#include "common/amount_families.h"

SaleFigures saleFiguresOf(const Record &header, const Record &control)
{
    SaleFigures s;
    s.subtotal = header.asFloat(QStringLiteral("Trxh_total"));
    s.grandTotal = header.asFloat(QStringLiteral("Trxh_grand_total"));
    const auto read = [&header](const AmountFamily &family, double *amounts) {
        const QStringList fields = familyFields(QStringLiteral("Trxh_"), family);
        for (int n = 0; n < family.count; ++n)
            amounts[n] = header.asFloat(fields[n]);
    };
    read(Taxes, s.taxes);
    read(Payments, s.payments);
    read(ForeignCurrency, &s.foreignUnits);
    read(Coupons, s.coupons);
    s.foreignRate = control.asFloat(QStringLiteral("Ctrl_fc_rate"));
    return s;
}

TaxRules taxRulesOf(const Record &control)
{
    TaxRules rules;
    for (int n = 1; n <= TaxCount; ++n) {
        rules.rates[n - 1] = control.asFloat(numbered("Ctrl_tx", n, "_rate"));
        if (n > 1)
            rules.taxOnTax[n - 1] = control.asBoolean(numbered("Ctrl_tx", n, "_txontx"));
    }
    return rules;
}

QList<LineAmount> lineAmountsOf(const QList<Record> &lines)
{
    if (lines.isEmpty())
        return {};
    // Every line has the same fields: they are looked up once.
    const Record &first = lines.first();
    const int total = first.indexOf(QStringLiteral("Trx_total"));
    int taxed[TaxCount];
    for (int n = 0; n < TaxCount; ++n)
        taxed[n] = first.indexOf(numbered("Trx_tx", n + 1));
    QList<LineAmount> amounts;
    amounts.reserve(lines.size());
    for (const Record &line : lines) {
        LineAmount amount;
        amount.total = FieldValues::asFloat(line.values()[total]);
        for (int n = 0; n < TaxCount; ++n)
            amount.taxed[n] = FieldValues::asBoolean(line.values()[taxed[n]]);
        amounts.append(amount);
    }
    return amounts;
}

SaleRecord readWorkSale(TDataModule2 &dm, int signedInCashierId, bool training)
{
    dm.Control.first();
    const Record control = currentRecord(dm.Control);
    SaleRecord sale;
    sale.header = currentRecord(dm.tmpmaster).reshaped(Schema::tranmaster());
    sale.figures = saleFiguresOf(sale.header, control);
    const QVector<int> lineFields = Record::fieldSources(dm.tmpdetail.definition(), Schema::trandetail());
    for (const Record &workLine : recordsOf(dm.tmpdetail)) {
        Record line = workLine.reshaped(Schema::trandetail(), lineFields);
        line.setValue(QStringLiteral("Trx_id"), QVariant()); // the work line's own number is not the sale's
        sale.lines.append(line);
    }
    sale.cashierId = signedInCashierId;
    sale.training = training;
    return sale;
}
