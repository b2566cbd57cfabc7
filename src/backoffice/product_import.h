#pragma once

#include "import_summary.h"

#include <functional>

struct ProductFile;
class TDataModule2;

// Merges the products read from an import file into the product table: a
// product whose code is there gets the line's descriptive fields, any
// other is added with zero quantities and totals. The last line of a code
// wins. Every product is written in one transaction, committed before
// write() returns, so that a 100,000-line file takes seconds, not
// minutes; when the database gives the transaction up, nothing of the
// file stays.
class ProductImport {
public:
    // Told the number of each line before it is written.
    using Progress = std::function<void(int lineNumber)>;

    explicit ProductImport(TDataModule2 &dm) : dm_(dm) {}

    // The file's summary with what was added, updated and refused.
    ImportSummary write(const ProductFile &file, const Progress &progress = {});

private:
    TDataModule2 &dm_;
};
