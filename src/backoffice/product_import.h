#pragma once

#include "import_summary.h"

#include <functional>

class ImportText;
class TDataModule2;

// Merges the lines of an import file into the product table: a line whose
// code is there updates that product's descriptive fields, any other adds
// a new product with zero quantities and totals. The last line of a code
// wins. Every line is posted in one transaction, committed before run()
// returns, so that a 100,000-line file takes seconds, not minutes.
class ProductImport {
public:
    // Told the number of each line before it is read.
    using Progress = std::function<void(int lineNumber)>;

    explicit ProductImport(TDataModule2 &dm) : dm_(dm) {}

    ImportSummary run(ImportText &text, const Progress &progress = {});

private:
    // Posts one product; true when it is new. Throws StoreError when the
    // table refuses it.
    bool post(const ProductLine &line);

    TDataModule2 &dm_;
};
