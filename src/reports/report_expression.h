#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

class Table;
class TDataModule2;

// Finds a table object by the name reports use for it ("producttb").
using TableResolver = std::function<Table *(const QString &objectName)>;

// The ten table objects of the data module under their object names.
TableResolver dataModuleTables(TDataModule2 &dm);

// A report definition that cannot work: an unknown table, a syntax error.
class ReportDefinitionError : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// An arithmetic expression over fields of the current records, written as
// the table object's name, a full stop and the field name:
//   "cashiertb.Cashier_sales + cashiertb.Cashier_tx1"
//   "SUM(producttb.Product_qty * producttb.Product_avg_cost)"
// with numbers, + - * /, parentheses and SUM(...), the total of its
// argument over the detail records printed so far. A division by zero
// gives zero. Fields are resolved once, when the expression is made.
class ReportExpression {
public:
    ReportExpression(const QString &text, const TableResolver &tables);
    ~ReportExpression();
    ReportExpression(ReportExpression &&) noexcept;

    const QString &text() const { return text_; }
    long double value() const;

    // Adds the current records into every SUM of the expression.
    void accumulate();
    void resetSums();
    bool hasSums() const { return !sums_.empty(); }

    struct Node;
    struct Sum;

private:
    QString text_;
    std::unique_ptr<Node> root_;
    std::vector<Sum *> sums_;
};
