#pragma once

#include <QString>
#include <stdexcept>

// Every failure of the table store: an engine error (carrying SQLite's
// message), a value that does not fit its field, a duplicate key, an
// operation on a closed table.
class StoreError : public std::runtime_error {
public:
    explicit StoreError(const QString &message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString &message() const { return message_; }

private:
    QString message_;
};
