#pragma once

#include <functional>

// The work behind keys and menu entries of the sale window that other
// parts of the program provide. The window runs its guards first (a
// transaction in progress, the focus rules) and then the hook; a hook not
// set does nothing.
struct SaleWindowHooks {
    std::function<void()> checkout;           // Total <F2>, with a transaction in progress
    std::function<void()> endOfDay;           // End of Day <F7>, between transactions
    std::function<void()> rePrint;            // Re-Print <F11>, between transactions
    std::function<void()> signOutAndIn;       // In/Out <F12>: from the removal of the blank line to the sign-in
    std::function<void()> editGeneralParameters;
    std::function<void()> editDevices;        // between transactions
    std::function<void()> editProducts;       // shows the product editor; the window closes and reopens the table
    std::function<void()> editCashiers;       // shows the cashier editor; likewise
    std::function<bool()> findSignedInCashier; // after it: false when the signed-in cashier is gone
    std::function<void()> editDepartments;    // shows the department editor; likewise
    std::function<void()> importProducts;
    std::function<void()> printCashierReport;
    std::function<void()> printFinancialReport;
    std::function<void()> printProductReport;
    std::function<void()> printDepartmentReport;
    std::function<void()> printSalesRegister;
    std::function<void()> printStockLevels;
    std::function<void()> storeReports;       // a lane's store reports, between transactions
    std::function<void()> zeroPeriodTotals;
    std::function<void()> purgeSalesRegister;
    std::function<void()> helpFiles;
    std::function<void()> helpOnline;
    std::function<void()> purchaseSourceCode;
};
