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

std::optional<int> PositionMarks::rowsBefore(Database &db, double key, SqliteStatement &keysInOrder,
                                             SqliteStatement &rowsBetween)
{
    const Stamp now = stampOf(db);
    if (!(now == stamp_)) {
        restart(now); // asked once: the caller counts
        return std::nullopt;
    }
    if (!read_) {
        if (!markable_ || !readKeys(keysInOrder)) {
            markable_ = false;
            return std::nullopt;
        }
        read_ = true;
    }
    const int rows = countFromMarks(key, rowsBetween);
    // Both statements see the data as it is now: marks read before a
    // change another connection committed are worth nothing.
    const Stamp after = stampOf(db);
    if (!(after == stamp_)) {
        restart(after);
        return std::nullopt;
    }
    return rows;
}

bool PositionMarks::readKeys(SqliteStatement &keysInOrder)
{
    keys_.clear();
    bool markable = true;
    double previous = 0;
    keysInOrder.start();
    for (qint64 row = 0; markable && keysInOrder.step(); ++row) {
        const QVariant value = keysInOrder.value(0);
        const double key = value.toDouble();
        markable = (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::LongLong)
            && (row == 0 || key > previous);
        if (row % Spacing == 0)
            keys_.append(key);
        previous = key;
    }
    keysInOrder.reset();
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
