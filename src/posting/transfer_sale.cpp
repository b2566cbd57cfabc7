#include "transfer_sale.h"

#include "journal_records.h"
#include "posting_checkpoints.h"

#include "store/data_module.h"
#include "store/sale_records.h"

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

// Copies the fields the target shares with the source, except those named.
void copySharedFields(Table &source, Table &target, const QStringList &except)
{
    for (const FieldDef &def : source.definition().fields) {
        if (except.contains(def.name))
            continue;
        target.field(def.name).setValue(source.field(def.name).value());
    }
}

// The account of a line's product for the journal. A product deleted since
// the line was rung counts as a product without an account number: 0.
int productAccount(Table &products, double upc)
{
    return products.findKey(upc) ? products.field(QStringLiteral("Product_accnt")).asInteger() : 0;
}

}

TransferredSale Transfer_sale(TDataModule2 &dm)
{
    Table &control = dm.Control;
    Table &salesRegister = dm.tranmaster;
    Table &postedLines = dm.trandetail;
    Table &workHeader = dm.tmpmaster;
    Table &workLines = dm.tmpdetail;

    TransferredSale sale;
    sale.transactionNumber = freeTransactionNumber(control, salesRegister);
    const bool exporting = control.field(QStringLiteral("Ctrl_export")).asBoolean();

    const SaleFigures figures = saleFiguresOf(workHeader, control);

    salesRegister.insert();
    salesRegister.field(QStringLiteral("Trxh_id")).setFloat(sale.transactionNumber);
    copySharedFields(workHeader, salesRegister, {QStringLiteral("Trxh_id"), QStringLiteral("Trxh_terminal_id")});
    salesRegister.field(QStringLiteral("Trxh_change")).setFloat(figures.registerChange().toDouble());
    salesRegister.field(QStringLiteral("Trxh_terminal_id"))
        .setInteger(control.field(QStringLiteral("Ctrl_terminal_id")).asInteger());
    salesRegister.post();
    PostingCheckpoints::reach(PostingCheckpoint::HeaderPosted);

    advanceCounter(control);
    PostingCheckpoints::reach(PostingCheckpoint::CounterPosted);

    if (exporting)
        sale.journalRecords.append(JournalRecords::header(salesRegister));

    const Field upc = workLines.field(QStringLiteral("Trx_upc"));
    for (workLines.first(); !workLines.eof(); workLines.next()) {
        postedLines.insert();
        postedLines.field(QStringLiteral("Trx_id")).setFloat(sale.transactionNumber);
        copySharedFields(workLines, postedLines, {QStringLiteral("Trx_id")});
        postedLines.post();
        PostingCheckpoints::reach(PostingCheckpoint::LinePosted);
        if (exporting)
            sale.journalRecords.append(JournalRecords::line(postedLines, productAccount(dm.producttb, upc.asFloat())));
    }
    return sale;
}
