#pragma once

#include <QByteArray>

class StoreReportTable;

// A store report as CSV (RFC 4180), UTF-8 with CRLF line ends: a heading
// line of the report's column names, then one line per row. Sums as the
// server rounded them ("1234.50", a full stop whatever the region), other
// numbers as plain decimals, dates ISO (2024-03-09), times 17:42:10,
// moments ISO 8601 with their offset, NULL as an empty field; a field
// holding a comma, a double quote or a line break is quoted, its quotes
// doubled.
QByteArray storeReportCsv(const StoreReportTable &table);
