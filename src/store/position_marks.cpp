#include "position_marks.h"

#include "database.h"
#include "sqlite_statement.h"

#include <algorithm>
#include <sqlite3.h>

PositionMarks::Stamp PositionMarks::stampOf(Database &db)
{
    unsigned version = 0;
    sqlite3_file_control(db.handle(), "main", SQLITE_FCNTL_DATA_VERSION, &version);
    return {db.writeGeneration(), version};
}

void PositionMarks::restart(const Stamp &stamp)
{
    stamp_ = stamp;
    read_ = false;
    markable_ = true;
    keys_.clear();
}

std::optional<int> PositionMarks::rowsBefore(Database &db, double key, const std::function<Queries()> &statements,
                                             int *records)
{
    const Stamp now = stampOf(db);
    if (!(now == stamp_)) {
        restart(now); // asked once: the caller counts
        return std::nullopt;
    }
    if (!markable_)
        return std::nullopt;
    const Queries queries = statements();
    if (!read_) {
        if (!readKeys(queries)) {
            markable_ = false;
            return std::nullopt;
        }
        read_ = true;
    }
    const int rows = countFromMarks(key, queries.rowsBetween);
    // The marks, the count and the row see the data as it is now: marks
    // read before a change another connection committed are worth nothing.
    const Stamp after = stampOf(db);
    if (!(after == stamp_)) {
        restart(after);
        return std::nullopt;
    }
    if (records)
        *records = records_;
    return rows;
}

bool PositionMarks::readKeys(const Queries &queries)
{
    keys_.clear();
    // The first record in key order: no key (NULL) comes before numbers.
    SqliteStatement &first = queries.keysInOrder;
    first.start();
    const bool numbered = first.step() && first.isNumber(0);
    const double firstKey = numbered ? first.real(0) : 0;
    first.reset();
    if (!numbered)
        return false;
    // Each next mark Spacing records on from the last, SQLite skipping the
    // records between without reading them. The record before a mark must
    // hold a smaller key, so that exactly Spacing records lie between two
    // marks; a text (after every number) ends the marks as the end does.
    keys_.append(firstKey);
    SqliteStatement &next = queries.keysFrom;
    bool markable = true;
    for (bool more = true; more && markable;) {
        next.start({QVariant(keys_.last()), QVariant(Spacing - 1)});
        more = next.step();
        const double before = more ? next.real(0) : 0;
        more = more && next.step() && next.isNumber(0);
        if (more) {
            markable = next.real(0) > before;
            keys_.append(next.real(0));
        }
        next.reset();
    }
    SqliteStatement &count = queries.count;
    count.start();
    count.step();
    records_ = int(count.integer(0));
    count.reset();
    return markable;
}

int PositionMarks::countFromMarks(double key, SqliteStatement &rowsBetween) const
{
    const auto after = std::upper_bound(keys_.cbegin(), keys_.cend(), key);
    if (after == keys_.cbegin())
        return 0; // before the first record
    const qsizetype mark = after - keys_.cbegin() - 1;
    rowsBetween.start({QVariant(keys_[mark]), QVariant(key)});
    rowsBetween.step();
    const qint64 counted = rowsBetween.integer(0);
    rowsBetween.reset();
    return int(mark * Spacing + counted);
}
