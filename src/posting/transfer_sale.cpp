#include "transfer_sale.h"

#include "journal_records.h"
#include "posting_checkpoints.h"

#include "store/data_module.h"
#include "store/sale_record.h"

namespace {

const QString InvoiceCounter = QStringLiteral("Ctrl_invoice_no");

void advanceCounter(Table &control)
{
    control.first();
    control.edit();
    Field counter = control.field(InvoiceCounter);
    counter.setFloat(counter.asFloat() + 1);
    control.post();
}

// The counter's number, or the first one after it that the register does
// not hold yet, the counter following. A counter set back below numbers
// already posted never gives one of them again.
double freeTransactionNumber(Table &control, Table &salesRegister)
{
    control.first();
    while (salesRegister.findKey(control.field(InvoiceCounter).asFloat()))
        advanceCounter(control);
    return control.field(InvoiceCounter).asFloat();
}

// Inserts a record of the table's own shape, every field but those the
// table numbers itself, and posts it; returns it as the table holds it.
Record inserted(Table &table, const Record &record)
{
    table.insert();
    const QList<FieldDef> &fields = table.definition().fields;
    for (int i = 0; i < fields.size(); ++i)
        if (fields[i].type != FieldType::AutoIncrement)
            table.field(i).setValue(record.values()[i]);
    table.post();
    return currentRecord(table);
}

// The account of a line's product for the journal. A product deleted since
// the line was rung counts as a product without an account number: 0.
int productAccount(Table &products, const ProductAccounts &known, double upc)
{
    if (const auto account = known.constFind(upc); account != known.cend())
        return *account;
    return products.findKey(upc) ? products.field(QStringLiteral("Product_accnt")).asInteger() : 0;
}

}

TransferredSale Transfer_sale(TDataModule2 &dm, SaleRecord &sale, const ProductAccounts &known)
{
    Table &control = dm.Control;
    TransferredSale transferred;
    transferred.transactionNumber = freeTransactionNumber(control, dm.tranmaster);
    const bool exporting = control.field(QStringLiteral("Ctrl_export")).asBoolean();

    sale.header.setValue(QStringLiteral("Trxh_id"), transferred.transactionNumber);
    sale.header.setValue(QStringLiteral("Trxh_change"), sale.figures.registerChange().toDouble());
    sale.header.setValue(QStringLiteral("Trxh_terminal_id"), control.field(QStringLiteral("Ctrl_terminal_id")).asInteger());
    sale.header = inserted(dm.tranmaster, sale.header);
    PostingCheckpoints::reach(PostingCheckpoint::HeaderPosted);

    advanceCounter(control);
    PostingCheckpoints::reach(PostingCheckpoint::CounterPosted);

    if (exporting)
        transferred.journalRecords.append(JournalRecords::header(sale.header));

    for (Record &line : sale.lines) {
        line.setValue(QStringLiteral("Trx_id"), transferred.transactionNumber);
        line = inserted(dm.trandetail, line);
        PostingCheckpoints::reach(PostingCheckpoint::LinePosted);
        if (exporting) {
            const double upc = line.asFloat(QStringLiteral("Trx_upc"));
            transferred.journalRecords.append(JournalRecords::line(line, productAccount(dm.producttb, known, upc)));
        }
    }
    return transferred;
}
