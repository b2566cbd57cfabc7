#pragma once

#include "store/table.h"

#include <initializer_list>
#include <vector>

// Suspends the refreshing of the views bound to some tables for the
// length of a scope, so that work writing many fields (a line filled from
// its product, totals summed line by line) refreshes the screen once, at
// the end, instead of after every field.
class SuspendedViews {
public:
    explicit SuspendedViews(std::initializer_list<Table *> tables) : tables_(tables)
    {
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
