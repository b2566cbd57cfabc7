#include "report_menu.h"

#include "reports/page_report.h"
#include "reports/printer_dialog.h"
#include "reports/sales_register_window.h"
#include "reports/stock_levels_report.h"
#include "store/data_module.h"
#include "store/filter_scope.h"
#include "widgets/dialogs.h"

void ReportMenu::printEitherWay(const std::function<void()> &onReceiptPrinter, PageReport &page)
{
    if (p_.receiptPrinterAvailable()) {
        // Closing the dialog by its title bar counts as OK: only the choice matters.
        dialogs().exec(p_.printerDialog);
        if (p_.printerDialog.ItemIndex() == 0) {
            onReceiptPrinter();
            return;
        }
    }
    page.preview(p_.previewParent);
}

void ReportMenu::printCashierReport()
{
    printEitherWay(p_.receiptPrinter.cashier, p_.cashierPage);
}

void ReportMenu::printFinancialReport()
{
    printEitherWay(p_.receiptPrinter.financial, p_.financialPage);
}

void ReportMenu::printProductReport()
{
    const FilterScope onlySoldProducts(p_.dm.producttb);
    printEitherWay(p_.receiptPrinter.product, p_.productPage);
}

void ReportMenu::printDepartmentReport()
{
    const FilterScope onlyDepartmentsWithSales(p_.dm.DeptTb);
    printEitherWay(p_.receiptPrinter.department, p_.departmentPage);
}

void ReportMenu::printSalesRegister()
{
    p_.salesRegisterWindow.showForToday();
}

void ReportMenu::printStockLevels()
{
    p_.stockLevelsPage.noteStoreStock();
    p_.stockLevelsPage.preview(p_.previewParent);
}
