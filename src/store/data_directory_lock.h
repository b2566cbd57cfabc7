#pragma once

#include <QString>

// One program at a time works on a data directory: the till, tillano-setup
// and the benchmarks each hold an exclusive lock on the file tillano.lock
// in it for as long as they work there. The lock belongs to the open file,
// so the system releases it when the process ends, however it ends: a
// killed till leaves nothing to clean up. Programs started by the holder
// do not inherit it.
class DataDirectoryLock {
public:
    static constexpr const char *FileName = "tillano.lock";

    enum class State {
        Held,          // this program holds the directory
        HeldElsewhere, // another program holds it
        Failed,        // the lock file cannot be opened (see errorString())
    };

    // Tries to take the lock at once; never waits.
    explicit DataDirectoryLock(const QString &directory);
    ~DataDirectoryLock();
    DataDirectoryLock(const DataDirectoryLock &) = delete;
    DataDirectoryLock &operator=(const DataDirectoryLock &) = delete;

    State state() const { return state_; }
    bool held() const { return state_ == State::Held; }
    // The system's words for a failure.
    const QString &errorString() const { return error_; }

    // "Tillano is already running on the data directory …", in the
    // language of the texts.
    static QString heldElsewhereText(const QString &directory);

private:
    int fd_ = -1;
    State state_ = State::Failed;
    QString error_;
};
