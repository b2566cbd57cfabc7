#pragma once

#include <functional>

class PageReport;
class QWidget;
class TDataModule2;
class TForm14;
class TForm15;
class TPrinterDialog;

// The receipt-printer versions of the four reports that have one. They
// belong to the receipt printouts, which the shell owns, so it hands them in.
struct ReceiptPrinterReports {
    std::function<void()> cashier;
    std::function<void()> financial;
    std::function<void()> product;
    std::function<void()> department;
};

struct ReportMenuParts {
    TDataModule2 &dm;
    // True while the receipt printer is in use (its device name is not empty).
    std::function<bool()> receiptPrinterAvailable;
    ReceiptPrinterReports receiptPrinter;
    TPrinterDialog &printerDialog;
    TForm14 &salesRegisterWindow;
    PageReport &cashierPage;    // TForm9
    PageReport &financialPage;  // TForm10
    PageReport &productPage;    // TForm6
    PageReport &departmentPage; // TForm19
    TForm15 &stockLevelsPage;
    QWidget *previewParent = nullptr;
};

// The work behind the six entries of the Reports menu; the main window
// refuses them during a transaction before it comes here.
class ReportMenu {
public:
    explicit ReportMenu(ReportMenuParts parts) : p_(std::move(parts)) {}

    void printCashierReport();
    void printFinancialReport();
    // Only the products (departments) with sales of the day, for the run.
    void printProductReport();
    void printDepartmentReport();
    // The date range window.
    void printSalesRegister();
    void printStockLevels();

private:
    // With a receipt printer, "Select printer" says where the report goes;
    // without one, the page version goes to the preview.
    void printEitherWay(const std::function<void()> &onReceiptPrinter, PageReport &page);

    ReportMenuParts p_;
};
