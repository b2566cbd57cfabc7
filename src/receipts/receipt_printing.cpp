#include "receipt_printing.h"

#include "common/app_settings.h"
#include "common/language.h"
#include "devices/device_operations.h"
#include "receipts/printout_lines.h"
#include "receipts/report_printouts.h"
#include "receipts/sale_receipt.h"
#include "store/data_module.h"
#include "store/sale_record.h"

ReceiptPrinting::ReceiptPrinting(TDataModule2 &dm, DeviceOperations &devices, const AppSettings &settings,
                                 const DeviceNames &names)
    : dm_(dm), devices_(devices), settings_(settings), names_(names)
{
}

bool ReceiptPrinting::columns30() const
{
    return settings_.columns30Layout();
}

ShopRecords ReceiptPrinting::shop() const
{
    return {currentRecord(dm_.Control), currentRecord(dm_.tmpmaster)};
}

void ReceiptPrinting::send(const QStringList &lines, const QString &stopNote)
{
    devices_.BeginPrintout(stopNote);
    for (const QString &line : lines)
        if (!devices_.PrintLine(line))
            return; // stopped by the cashier: no feed, no cut
    devices_.EndPrintout();
}

void ReceiptPrinting::print_receipt_sale(const SaleRecord &sale)
{
    if (!names_.printer.isEmpty())
        send(saleReceiptLines(shop(), sale, columns30()),
             chooseText(QStringLiteral("The sale is posted: if this receipt is stopped now, it can be printed again "
                                       "with Re-Print <F11>."),
                        QStringLiteral("La vente est enregistrée : si ce reçu est arrêté maintenant, il peut être "
                                       "imprimé de nouveau avec Re-Print <F11>.")));
}

void ReceiptPrinting::print_receipt_stock(const SaleRecord &received)
{
    if (!names_.printer.isEmpty())
        send(stockReceiptLines(shop(), received, columns30()));
}

void ReceiptPrinting::PrintMoneyCount(int cashierId)
{
    Record counter(dm_.cashiertb.definition());
    for (const Record &cashier : recordsOf(dm_.cashiertb))
        if (cashier.asInteger(QStringLiteral("Cashier_id")) == cashierId)
            counter = cashier;
    send(moneyCountLines(shop(), currentRecord(dm_.Moneytb), counter, columns30()));
}

void ReceiptPrinting::PrintCashierReport() { send(cashierReportLines(shop(), recordsOf(dm_.cashiertb), columns30())); }
void ReceiptPrinting::PrintFinancialReport() { send(financialReportLines(shop(), currentRecord(dm_.fintb), columns30())); }
void ReceiptPrinting::PrintProductReport() { send(productReportLines(shop(), recordsOf(dm_.producttb), columns30())); }
void ReceiptPrinting::PrintDepartmentReport() { send(departmentReportLines(shop(), recordsOf(dm_.DeptTb), columns30())); }
