#pragma once

#include "table_def.h"

#include <QVariant>

class SqliteStatement;

// The values of a table's fields as SQLite stores and gives them back.

// Writes the value a field holds, from the column SQLite stored, into
// `value`. A scan reads every field of every record: a value of the type
// the field held before is overwritten in place, not built anew.
void readStored(const FieldDef &field, const SqliteStatement &st, int column, QVariant &value);

// Turns a value just written into the field's column into what reading
// it back would give (readStored), without reading it: false when that
// cannot be told here (a date or time, a value not in its field's own
// form), and the record must be read back instead.
bool takeAsStored(const FieldDef &field, QVariant &value);
