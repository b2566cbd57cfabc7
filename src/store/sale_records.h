#pragma once

#include "common/sale_figures.h"

class Table;

// The sale figures as the records hold them. Each reads the current record
// (or, for the lines, every record in table order) and moves no cursor.

// A sale header (the work header or a posted one) with the foreign-currency
// rate of the control record.
SaleFigures saleFiguresOf(Table &header, Table &control);

// The taxes set up in the control record.
TaxRules taxRulesOf(Table &control);

// The lines of a sale: the work lines, or the posted lines of the current
// sales register header. What a line in edit holds and has not posted yet
// does not count.
QList<LineAmount> lineAmountsOf(Table &lines);
