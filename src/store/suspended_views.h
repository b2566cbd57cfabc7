#pragma once

#include "table.h"

#include <initializer_list>
#include <vector>

// Suspends the refreshing of the views bound to some tables for the
// length of a scope, so that work writing many fields (a line filled from
// its product, totals summed line by line) refreshes the screen once, at
// the end, instead of after every field.
class SuspendedViews {
public:
    // A table not given (null) is passed over.
    explicit SuspendedViews(std::initializer_list<Table *> tables) : tables_(tables)
    {
        std::erase(tables_, nullptr);
        for (Table *t : tables_)
            t->disableControls();
    }
    ~SuspendedViews()
    {
        for (Table *t : tables_)
            t->enableControls();
    }
    SuspendedViews(const SuspendedViews &) = delete;
    SuspendedViews &operator=(const SuspendedViews &) = delete;

private:
    std::vector<Table *> tables_;
};
