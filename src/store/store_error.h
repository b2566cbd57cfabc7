#pragma once

#include <QString>
#include <stdexcept>

// What a store failure means for the user: what went wrong with the data
// directory's database, and so what to do about it.
enum class StoreProblem {
    Other,       // an engine error, a value that does not fit, a misuse
    NoDatabase,  // no data directory, or no database in it
    Permissions, // the file or its directory may not be read or written
    Damaged,     // not an SQLite database, or a damaged one
    Foreign,     // an SQLite database without the tables and columns of a shop
    Locked,      // another program holds the database
    DiskFull,
};

// Every failure of the table store: an engine error (carrying SQLite's
// message, and for the problems above the file and what to do), a value
// that does not fit its field, a duplicate key, an operation on a closed
// table.
class StoreError : public std::runtime_error {
public:
    explicit StoreError(const QString &message, StoreProblem problem = StoreProblem::Other,
                        const QString &cause = QString())
        : std::runtime_error(message.toStdString()), message_(message), problem_(problem), cause_(cause) {}
    const QString &message() const { return message_; }
    StoreProblem problem() const { return problem_; }
    // What went wrong without what it means for the change ("this change
    // was not saved"), for a caller that knows better what was kept.
    const QString &cause() const { return cause_.isEmpty() ? message_ : cause_; }

private:
    QString message_;
    StoreProblem problem_;
    QString cause_;
};
