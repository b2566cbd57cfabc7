#pragma once

#include "field.h"
#include "position_marks.h"
#include "table_def.h"

#include <QHash>
#include <QObject>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>

class Database;
class SqliteStatement;

enum class TableState { Inactive, Browse, Edit, Insert };

// One record read for a grid, without moving the cursor.
struct TableRow {
    qint64 rowid = 0;
    QVector<QVariant> values;
};

// A table object: a cursor over one SQLite table in its record order.
// The cursor is a key position, not a copy of the table: every move and
// every key search is one indexed statement, and only the current record
// is held in memory, in an edit buffer while it is edited or inserted.
//
// Record rules: moving while a record is in edit or insert posts it when a
// field was written since, and drops it otherwise. Edit on a record in
// edit does nothing; edit on an empty table inserts. After a post the
// record stays current; after a delete the next record (or the previous
// one after the last) becomes current.
//
// Another program may change a durable table's records meanwhile (a
// lane's tillano-sync taking in the store's changes): edit re-reads the
// record first (outside a transaction), and posting an edited record
// writes only the fields whose value changed since, so that what changed under it
// stays; a record deleted under it is refused with a message, not
// written to nowhere.
class Table : public QObject {
    Q_OBJECT
public:
    Table(Database &db, const TableDef &def, QObject *parent = nullptr);
    ~Table() override;

    const QString &name() const { return def_.name; }
    const TableDef &definition() const { return def_; }

    void open();
    void close();
    bool active() const { return state_ != TableState::Inactive; }
    TableState state() const { return state_; }
    bool editing() const { return state_ == TableState::Edit || state_ == TableState::Insert; }
    bool modified() const { return modified_; }

    // Removes every record, whether the table is open or closed.
    void emptyTable();

    int recordCount();
    bool isEmpty() { return recordCount() == 0; }
    bool hasCurrent() const { return hasCurrent_; }

    void first();
    void next();
    void prior();
    void last();
    bool eof() const { return eof_; }
    bool bof() const { return bof_; }

    // Searches the table's key; on success that record becomes current.
    bool findKey(const QVariant &value);

    void append();
    void insert();
    void edit();
    void post();
    void cancel();
    void deleteRecord();

    // Re-reads the current record from the database.
    void refresh();

    // Asks bound entry fields to write what was typed into the record;
    // done by post and before every move of a record in edit or insert.
    void updateRecord();

    // Field access by name; an unknown name raises StoreError.
    Field field(const QString &fieldName);
    Field field(int index) { return Field(this, index); }
    int fieldIndex(const QString &fieldName) const;
    int fieldCount() const { return int(def_.fields.size()); }

    // Called whenever a new record is started, before the caller writes.
    void setNewRecordHook(std::function<void(Table &)> hook) { newRecordHook_ = std::move(hook); }

    // A record filter: an SQL condition over the table's fields with bound
    // parameters, effective only while switched on.
    void setFilter(const QString &condition, const QVariantList &parameters = {});
    void setFiltered(bool on);
    bool filtered() const { return filtered_; }

    // Shows only the records whose detailField equals masterField of the
    // master's current record, following every change of it.
    void setMasterLink(Table &master, const QString &masterField, const QString &detailField);

    // Suspends and resumes the refreshing of bound views.
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return disabledControls_ > 0; }

    // For grids: records in table order, and where the current one stands.
    // With `fields` named, only those are read (the others stay null).
    QList<TableRow> rows(int offset, int limit, const QList<int> &fields = {});
    // With `recordCount` given, the number of records is set there too
    // when it comes at no cost with the row (else it is left as it was).
    int currentRowIndex(int *recordCount = nullptr);
    qint64 currentRowid() const { return rowid_; }
    bool moveToRowid(qint64 rowid);

    // Drops the prepared statements (before the connection closes, and
    // after a rollback moved the data under them).
    void releaseStatements();
    void resync();
    // Ends a forward read in progress (see next()).
    void stopReading();

signals:
    // The current record moved, was reloaded or the table's contents
    // changed; never suspended (master-detail links follow it).
    void currentRecordChanged();
    // Bound views should refresh; suspended by disableControls().
    void changed();
    // Bound entry fields should write their pending text now.
    void updatingRecord();

private:
    friend class Field;
    enum Query {
        First, Last, Next, Prior, Find, ByRowid, Count, Page, RowsBefore, Forward, FromFirst, KeysInOrder, KeysFrom, RowsBetween,
        QueryCount
    };

    QVariant fieldValue(int index) const { return buffer_.value(index); }
    void setFieldValue(int index, const QVariant &value);

    void checkActive() const;
    void checkBrowseMode();
    SqliteStatement &statement(Query query);
    int statementVariant() const;
    bool streamHolds() const;
    void startStream(Query query);
    bool stepStream();
    bool readFirst();
    bool readNextForward();
    SqliteStatement &writeStatement(const QString &key, const std::function<QString()> &sql);
    QString selectSql(Query query, const QString &columns = QString()) const;
    SqliteStatement &pageStatement(const QList<int> &fields);
    QVariantList parameters(Query query, const QVariantList &tail) const;
    void rememberOrder();
    QVariant linkValue() const;
    bool readOne(Query query, const QVariantList &tail);
    void loadRow(SqliteStatement &st);
    void clearCurrent();
    void startNewRecord();
    bool loadRowid(qint64 rowid);
    SqliteStatement &insertStatement(QVariantList &values);
    SqliteStatement *updateStatement(QVariantList &values);
    void writeRecord();
    [[noreturn]] void recordGone();
    void notify();
    void notifyViews();
    QString keyText() const;

    Database &db_;
    TableDef def_;
    QHash<QString, int> fieldIndex_;
    QString columnList_;
    QString orderBy_;
    QString orderTuple_;
    QList<int> orderFields_;

    TableState state_ = TableState::Inactive;
    bool hasCurrent_ = false;
    bool eof_ = true;
    bool bof_ = true;
    bool modified_ = false;
    qint64 rowid_ = 0;
    quint64 loadedGeneration_ = 0; // the database's writes when the record was read
    QVariantList loadedOrder_; // order values of the current record as read
    QVector<QVariant> buffer_;
    QVector<QVariant> editedFrom_; // the record as it was when its edit began
    bool hadCurrentBeforeInsert_ = false;
    qint64 rowidBeforeInsert_ = 0;

    std::function<void(Table &)> newRecordHook_;
    QString filterCondition_;
    QVariantList filterParameters_;
    bool filtered_ = false;
    Table *master_ = nullptr;
    QString masterField_;
    QString detailField_;
    int disabledControls_ = 0;

    std::unique_ptr<SqliteStatement> queries_[QueryCount][4];

    // A scan in key order keeps one statement stepping forward instead of
    // seeking each record anew; it is valid while nothing was written and
    // the cursor still stands where the stream left it. first() starts one.
    SqliteStatement *forward_ = nullptr;
    qint64 forwardRowid_ = 0;
    int forwardRead_ = 0;
    bool forwardFromFirst_ = false;
    quint64 forwardGeneration_ = 0;
    int forwardVariant_ = -1;
    QVariant forwardLink_;
    QHash<QString, std::shared_ptr<SqliteStatement>> writes_;
    // rows() of some fields, by statement variant and fields
    QHash<std::pair<int, QList<int>>, std::shared_ptr<SqliteStatement>> pages_;
    static constexpr int MaxUpdateStatements = 32; // one per set of fields written
    int updateStatements_ = 0;
    PositionMarks marks_; // rows of records, for grids
};
