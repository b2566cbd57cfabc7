#pragma once

// A data set that is not a table: a count of rows the report holds in
// memory (a store server's answer, for example). A run steps through it
// like through a table; the report's items read row current().
class ReportRecords {
public:
    explicit ReportRecords(int count = 0) : count_(count) {}

    void setCount(int count) { count_ = count; current_ = 0; }
    int recordCount() const { return count_; }
    void first() { current_ = 0; }
    bool eof() const { return current_ >= count_; }
    void next() { ++current_; }
    int current() const { return current_; }

private:
    int count_;
    int current_ = 0;
};
