#pragma once

#include "store/table.h"

#include <exception>

// Switches a table's record filter on for as long as it lives, and off
// again on every way out, an error part-way included: a filter left on
// would hide records from everything that reads the table next (product
// lookup, the next sale).
class FilterScope {
public:
    explicit FilterScope(Table &table) : table_(table) { table_.setFiltered(true); }
    ~FilterScope() noexcept(false)
    {
        // The switch goes off before the first record is read again, so a
        // failing read still leaves the filter off. While an error is on
        // its way out, a second one from here is dropped for it.
        if (std::uncaught_exceptions() == unwinding_) {
            table_.setFiltered(false);
            return;
        }
        try {
            table_.setFiltered(false);
        } catch (...) {
        }
    }
    FilterScope(const FilterScope &) = delete;
    FilterScope &operator=(const FilterScope &) = delete;

private:
    Table &table_;
    const int unwinding_ = std::uncaught_exceptions();
};
