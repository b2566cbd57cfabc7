#include "table.h"

#include "database.h"
#include "field_values.h"
#include "sqlite_statement.h"
#include "store_error.h"
#include "stored_values.h"

#include "common/language.h"

#include <sqlite3.h>

namespace {

QString quoted(const QString &identifier)
{
    return QLatin1Char('"') + identifier + QLatin1Char('"');
}

QString placeholders(qsizetype count)
{
    QStringList marks;
    for (qsizetype i = 0; i < count; ++i)
        marks.append(QStringLiteral("?"));
    return marks.join(QStringLiteral(", "));
}

}

// ---- Field --------------------------------------------------------------

const FieldDef &Field::definition() const { return table_->def_.fields[index_]; }
QVariant Field::value() const { return table_->fieldValue(index_); }
double Field::asFloat() const { return FieldValues::asFloat(value()); }
int Field::asInteger() const { return int(FieldValues::asInteger(value())); }
bool Field::asBoolean() const { return FieldValues::asBoolean(value()); }
QString Field::asString() const { return FieldValues::asString(definition(), value()); }
QDate Field::asDate() const { return FieldValues::asDate(value()); }
QTime Field::asTime() const { return FieldValues::asTime(value()); }
QString Field::displayText() const { return FieldValues::displayText(definition(), value()); }
void Field::setValue(const QVariant &v) { table_->setFieldValue(index_, v); }

// ---- Table --------------------------------------------------------------

Table::Table(Database &db, const TableDef &def, QObject *parent) : QObject(parent), db_(db), def_(def)
{
    setObjectName(def_.name);
    QStringList columns;
    for (int i = 0; i < def_.fields.size(); ++i) {
        fieldIndex_.insert(def_.fields[i].name, i);
        columns.append(quoted(def_.fields[i].name));
    }
    columns.append(QStringLiteral("rowid"));
    columnList_ = columns.join(QStringLiteral(", "));

    QStringList order;
    for (const QString &c : def_.orderColumns)
        order.append(quoted(c));
    if (order.isEmpty())
        order.append(QStringLiteral("rowid"));
    orderTuple_ = order.size() == 1 ? order.first() : QLatin1Char('(') + order.join(QStringLiteral(", ")) + QLatin1Char(')');
    orderBy_ = order.join(QStringLiteral(", "));
    for (const QString &c : def_.orderColumns)
        orderFields_.append(fieldIndex_.value(c));
    buffer_.resize(def_.fields.size());
    db_.registerTable(this);
}

Table::~Table()
{
    db_.unregisterTable(this);
}

int Table::fieldIndex(const QString &fieldName) const
{
    const auto it = fieldIndex_.constFind(fieldName);
    if (it == fieldIndex_.cend())
        throw StoreError(QStringLiteral("Table %1 has no field %2").arg(def_.name, fieldName));
    return it.value();
}

Field Table::field(const QString &fieldName)
{
    return Field(this, fieldIndex(fieldName));
}

void Table::checkActive() const
{
    if (state_ == TableState::Inactive)
        throw StoreError(QStringLiteral("Table %1 is not open").arg(def_.name));
}

// ---- statements -----------------------------------------------------------

QString Table::selectSql(Query query, const QString &columns) const
{
    QStringList where;
    if (query != ByRowid) {
        if (filtered_ && !filterCondition_.isEmpty())
            where.append(QLatin1Char('(') + filterCondition_ + QLatin1Char(')'));
        if (master_)
            where.append(quoted(detailField_) + QStringLiteral(" = ?"));
    }
    const qsizetype orderCount = def_.orderColumns.isEmpty() ? 1 : def_.orderColumns.size();
    const QString tuple = orderCount == 1 ? QStringLiteral("?") : QLatin1Char('(') + placeholders(orderCount) + QLatin1Char(')');
    QString descending = orderBy_;
    descending.replace(QStringLiteral(", "), QStringLiteral(" DESC, "));
    descending += QStringLiteral(" DESC");

    QString select = QStringLiteral("SELECT %1 FROM %2").arg(columns.isEmpty() ? columnList_ : columns, quoted(def_.name));
    QString tail;
    switch (query) {
    case First:
        tail = QStringLiteral(" ORDER BY ") + orderBy_ + QStringLiteral(" LIMIT 1");
        break;
    case Last:
        tail = QStringLiteral(" ORDER BY ") + descending + QStringLiteral(" LIMIT 1");
        break;
    case Next:
        where.append(orderTuple_ + QStringLiteral(" > ") + tuple);
        tail = QStringLiteral(" ORDER BY ") + orderBy_ + QStringLiteral(" LIMIT 1");
        break;
    case Forward:
        where.append(orderTuple_ + QStringLiteral(" > ") + tuple);
        tail = QStringLiteral(" ORDER BY ") + orderBy_;
        break;
    case FromFirst:
        tail = QStringLiteral(" ORDER BY ") + orderBy_;
        break;
    case Prior:
        where.append(orderTuple_ + QStringLiteral(" < ") + tuple);
        tail = QStringLiteral(" ORDER BY ") + descending + QStringLiteral(" LIMIT 1");
        break;
    case Find:
        where.append(quoted(def_.searchField) + QStringLiteral(" = ?"));
        tail = QStringLiteral(" LIMIT 1");
        break;
    case ByRowid:
        where.append(QStringLiteral("rowid = ?"));
        break;
    case Count:
        select = QStringLiteral("SELECT COUNT(*) FROM ") + quoted(def_.name);
        break;
    case RowsBefore:
        select = QStringLiteral("SELECT COUNT(*) FROM ") + quoted(def_.name);
        where.append(orderTuple_ + QStringLiteral(" < ") + tuple);
        break;
    case Page:
        tail = QStringLiteral(" ORDER BY ") + orderBy_ + QStringLiteral(" LIMIT ? OFFSET ?");
        break;
    case KeysInOrder:
        select = QStringLiteral("SELECT ") + orderBy_ + QStringLiteral(" FROM ") + quoted(def_.name);
        tail = QStringLiteral(" ORDER BY ") + orderBy_;
        break;
    case KeysFrom:
        select = QStringLiteral("SELECT ") + orderBy_ + QStringLiteral(" FROM ") + quoted(def_.name);
        where.append(orderTuple_ + QStringLiteral(" >= ") + tuple);
        tail = QStringLiteral(" ORDER BY ") + orderBy_ + QStringLiteral(" LIMIT 2 OFFSET ?");
        break;
    case RowsBetween:
        select = QStringLiteral("SELECT COUNT(*) FROM ") + quoted(def_.name);
        where.append(orderTuple_ + QStringLiteral(" >= ? AND ") + orderTuple_ + QStringLiteral(" < ?"));
        break;
    case QueryCount:
        break;
    }
    if (!where.isEmpty())
        select += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    return select + tail;
}

QVariantList Table::parameters(Query query, const QVariantList &tail) const
{
    const bool filter = query != ByRowid && filtered_ && !filterCondition_.isEmpty();
    const bool link = query != ByRowid && master_;
    if (!filter && !link)
        return tail; // shared, not copied: the usual case of a key search
    QVariantList values;
    if (filter)
        values += filterParameters_;
    if (link)
        values.append(linkValue());
    return values + tail;
}

int Table::statementVariant() const
{
    return (filtered_ && !filterCondition_.isEmpty() ? 1 : 0) + (master_ ? 2 : 0);
}

SqliteStatement &Table::statement(Query query)
{
    auto &slot = queries_[query][statementVariant()];
    if (!slot)
        slot = std::make_unique<SqliteStatement>(db_.handle(), selectSql(query));
    return *slot;
}

SqliteStatement &Table::writeStatement(const QString &key, const std::function<QString()> &sql)
{
    auto it = writes_.find(key);
    if (it == writes_.end())
        it = writes_.insert(key, std::make_shared<SqliteStatement>(db_.handle(), sql()));
    return *it.value();
}

void Table::stopReading()
{
    if (forward_)
        forward_->reset();
    forward_ = nullptr;
}

void Table::releaseStatements()
{
    stopReading();
    for (auto &row : queries_)
        for (auto &slot : row)
            slot.reset();
    writes_.clear();
    updateStatements_ = 0;
    pages_.clear();
}

// ---- reading ----------------------------------------------------------------

void Table::loadRow(SqliteStatement &st)
{
    const QList<FieldDef> &fields = std::as_const(def_.fields);
    QVariant *values = buffer_.data(); // detached once, not at every field
    for (int i = 0; i < fields.size(); ++i)
        readStored(fields[i], st, i, values[i]);
    rowid_ = st.integer(int(fields.size()));
    hasCurrent_ = true;
    loadedGeneration_ = db_.writeGeneration();
    rememberOrder();
}

void Table::rememberOrder()
{
    // Written in place: a scan reads one record after the other.
    if (orderFields_.isEmpty()) {
        loadedOrder_.resize(1);
        loadedOrder_[0] = QVariant(rowid_);
        return;
    }
    loadedOrder_.resize(orderFields_.size());
    for (int k = 0; k < orderFields_.size(); ++k) {
        const int i = orderFields_[k];
        loadedOrder_[k] = def_.fields[i].type == FieldType::AutoIncrement && buffer_[i].isNull() ? QVariant(rowid_)
                                                                                                  : buffer_[i];
    }
}

bool Table::readOne(Query query, const QVariantList &tail)
{
    SqliteStatement &st = statement(query);
    st.start(parameters(query, tail));
    const bool found = st.step();
    if (found)
        loadRow(st);
    st.reset();
    return found;
}

void Table::clearCurrent()
{
    hasCurrent_ = false;
    rowid_ = 0;
    loadedOrder_.clear();
    buffer_.fill(QVariant());
    eof_ = bof_ = true;
}

bool Table::loadRowid(qint64 rowid)
{
    return readOne(ByRowid, {QVariant(rowid)});
}

void Table::notifyViews()
{
    if (disabledControls_ == 0)
        emit changed();
}

void Table::notify()
{
    emit currentRecordChanged();
    notifyViews();
}

// ---- opening ------------------------------------------------------------------

void Table::open()
{
    if (active())
        return;
    if (!db_.isOpen())
        throw StoreError(QStringLiteral("Table %1 cannot be opened: the database is not connected").arg(def_.name));
    state_ = TableState::Browse;
    first();
}

void Table::close()
{
    if (!active())
        return;
    stopReading();
    state_ = TableState::Inactive; // pending edits are dropped
    modified_ = false;
    clearCurrent();
    notify();
}

void Table::emptyTable()
{
    if (!db_.isOpen())
        throw StoreError(QStringLiteral("Table %1 cannot be emptied: the database is not connected").arg(def_.name));
    if (editing()) {
        state_ = TableState::Browse;
        modified_ = false;
    }
    db_.beforeWrite();
    Database::FastWrite speed(db_, def_.durable);
    writeStatement(QStringLiteral("empty"), [&] { return QStringLiteral("DELETE FROM ") + quoted(def_.name); }).run();
    if (active()) {
        clearCurrent();
        notify();
    }
}

// ---- navigation -----------------------------------------------------------------

void Table::updateRecord()
{
    if (editing())
        emit updatingRecord();
}

void Table::checkBrowseMode()
{
    checkActive();
    if (!editing())
        return;
    updateRecord();
    if (modified_)
        post();
    else
        cancel();
}

void Table::first()
{
    checkBrowseMode();
    if (readFirst()) {
        eof_ = false;
        bof_ = true;
    } else {
        clearCurrent();
    }
    notify();
}

void Table::last()
{
    checkBrowseMode();
    if (readOne(Last, {})) {
        eof_ = false;
        bof_ = false;
    } else {
        clearCurrent();
    }
    notify();
}

bool Table::streamHolds() const
{
    return forward_ && hasCurrent_ && forwardGeneration_ == db_.writeGeneration() && forwardRowid_ == rowid_
        && forwardVariant_ == statementVariant() && (!master_ || forwardLink_ == linkValue());
}

void Table::startStream(Query query)
{
    stopReading();
    forward_ = &statement(query);
    forward_->start(parameters(query, query == Forward ? loadedOrder_ : QVariantList()));
    forwardGeneration_ = db_.writeGeneration();
    forwardVariant_ = statementVariant();
    forwardLink_ = master_ ? linkValue() : QVariant();
    forwardRead_ = 0;
    db_.readingStarted();
}

bool Table::stepStream()
{
    if (!forward_->step()) {
        stopReading();
        return false;
    }
    loadRow(*forward_);
    forwardRowid_ = rowid_;
    ++forwardRead_;
    return true;
}

bool Table::readFirst()
{
    // A stream still on the first record it read, with nothing written
    // since, would read that same record again: an open statement keeps
    // the data as it was when it started.
    if (streamHolds() && forwardRead_ == 1 && forwardFromFirst_)
        return true;
    startStream(FromFirst);
    forwardFromFirst_ = true;
    return stepStream();
}

bool Table::readNextForward()
{
    if (!streamHolds()) {
        startStream(Forward);
        forwardFromFirst_ = false;
    }
    return stepStream();
}

void Table::next()
{
    checkBrowseMode();
    if (!hasCurrent_) {
        eof_ = true;
        return;
    }
    if (readNextForward()) {
        bof_ = false;
        notify();
    } else {
        eof_ = true;
    }
}

void Table::prior()
{
    checkBrowseMode();
    if (!hasCurrent_) {
        bof_ = true;
        return;
    }
    if (readOne(Prior, loadedOrder_)) {
        eof_ = false;
        notify();
    } else {
        bof_ = true;
    }
}

bool Table::findKey(const QVariant &value)
{
    checkBrowseMode();
    if (def_.searchField.isEmpty())
        throw StoreError(QStringLiteral("Table %1 has no key to search").arg(def_.name));
    const FieldDef &key = def_.fields[fieldIndex(def_.searchField)];
    const QVariant canonical = FieldValues::canonical(def_.name, key, value);
    if (!readOne(Find, {canonical}))
        return false;
    eof_ = bof_ = false;
    notify();
    return true;
}

int Table::recordCount()
{
    checkActive();
    SqliteStatement &st = statement(Count);
    st.start(parameters(Count, {}));
    st.step();
    const int count = int(st.integer(0));
    st.reset();
    return count;
}

SqliteStatement &Table::pageStatement(const QList<int> &fields)
{
    auto &slot = pages_[{statementVariant(), fields}];
    if (!slot) {
        QStringList columns;
        for (int i : fields)
            columns.append(quoted(def_.fields[i].name));
        slot = std::make_unique<SqliteStatement>(
            db_.handle(), selectSql(Page, columns.join(QStringLiteral(", ")) + QStringLiteral(", rowid")));
    }
    return *slot;
}

QList<TableRow> Table::rows(int offset, int limit, const QList<int> &fields)
{
    checkActive();
    QList<TableRow> result;
    SqliteStatement &st = fields.isEmpty() ? statement(Page) : pageStatement(fields);
    st.start(parameters(Page, {QVariant(limit), QVariant(offset)}));
    const int columns = fields.isEmpty() ? int(def_.fields.size()) : int(fields.size());
    while (st.step()) {
        TableRow row;
        row.values.resize(def_.fields.size());
        for (int column = 0; column < columns; ++column) {
            const int i = fields.isEmpty() ? column : fields[column];
            readStored(def_.fields[i], st, column, row.values[i]);
        }
        row.rowid = st.integer(columns);
        result.append(std::move(row));
    }
    st.reset();
    return result;
}

int Table::currentRowIndex(int *recordCount)
{
    checkActive();
    if (!hasCurrent_)
        return -1;
    // Over the whole table in the order of one number, marks save counting.
    const bool numberKey = loadedOrder_.size() == 1
        && (loadedOrder_[0].typeId() == QMetaType::Double || loadedOrder_[0].typeId() == QMetaType::LongLong);
    if (numberKey && statementVariant() == 0) {
        const auto queries = [this] {
            return PositionMarks::Queries{statement(KeysInOrder), statement(KeysFrom), statement(RowsBetween),
                                          statement(Count)};
        };
        if (const std::optional<int> rows = marks_.rowsBefore(db_, loadedOrder_[0].toDouble(), queries, recordCount))
            return *rows;
    }
    SqliteStatement &st = statement(RowsBefore);
    st.start(parameters(RowsBefore, loadedOrder_));
    st.step();
    const int index = int(st.integer(0));
    st.reset();
    return index;
}

bool Table::moveToRowid(qint64 rowid)
{
    checkBrowseMode();
    if (!loadRowid(rowid))
        return false;
    eof_ = bof_ = false;
    notify();
    return true;
}

void Table::refresh()
{
    checkActive();
    if (editing())
        return;
    if (hasCurrent_ && loadRowid(rowid_)) {
        notify();
        return;
    }
    first();
}

void Table::resync()
{
    if (!active())
        return;
    state_ = TableState::Browse;
    modified_ = false;
    if (!(hasCurrent_ && loadRowid(rowid_))) {
        if (readOne(First, {}))
            eof_ = bof_ = false;
        else
            clearCurrent();
    }
    notify();
}

// ---- filters and links ----------------------------------------------------------

QVariant Table::linkValue() const
{
    // A master without a current record links to nothing.
    return master_->hasCurrent_ || master_->state_ == TableState::Insert
        ? master_->fieldValue(master_->fieldIndex(masterField_))
        : QVariant();
}

void Table::setFilter(const QString &condition, const QVariantList &parameters)
{
    stopReading();
    filterCondition_ = condition;
    filterParameters_ = parameters;
    for (auto &row : queries_) { // the statements that carry the filter
        row[1].reset();
        row[3].reset();
    }
    pages_.clear();
    if (filtered_ && active())
        first();
}

void Table::setFiltered(bool on)
{
    if (filtered_ == on)
        return;
    if (active())
        checkBrowseMode();
    filtered_ = on;
    if (active())
        first();
}

void Table::setMasterLink(Table &master, const QString &masterField, const QString &detailField)
{
    master.fieldIndex(masterField);
    fieldIndex(detailField);
    master_ = &master;
    masterField_ = masterField;
    detailField_ = detailField;
    connect(&master, &Table::currentRecordChanged, this, [this] {
        if (active() && !editing())
            first();
    });
}

void Table::disableControls()
{
    ++disabledControls_;
}

void Table::enableControls()
{
    if (disabledControls_ == 0)
        return;
    if (--disabledControls_ == 0)
        emit changed();
}

// ---- editing ----------------------------------------------------------------------

void Table::setFieldValue(int index, const QVariant &value)
{
    checkActive();
    if (!editing())
        throw StoreError(QStringLiteral("Table %1 is not in edit or insert mode").arg(def_.name));
    buffer_[index] = FieldValues::canonical(def_.name, def_.fields[index], value);
    modified_ = true;
    notifyViews();
}

void Table::startNewRecord()
{
    checkBrowseMode();
    hadCurrentBeforeInsert_ = hasCurrent_;
    rowidBeforeInsert_ = rowid_;
    buffer_.fill(QVariant());
    state_ = TableState::Insert;
    if (master_)
        buffer_[fieldIndex(detailField_)] = linkValue();
    if (newRecordHook_)
        newRecordHook_(*this);
    modified_ = false;
    notifyViews();
}

void Table::append()
{
    startNewRecord();
}

void Table::insert()
{
    // Records take their place by key, so inserting and appending differ
    // only in the caller's intent.
    startNewRecord();
}

void Table::edit()
{
    checkActive();
    if (editing())
        return;
    if (!hasCurrent_) {
        insert();
        return;
    }
    if (def_.durable && !db_.inTransaction()) {
        const QVector<QVariant> shown = buffer_;
        if (!loadRowid(rowid_))
            recordGone();
        if (buffer_ != shown)
            notify();
    }
    state_ = TableState::Edit;
    modified_ = false;
    editedFrom_ = buffer_; // shared until the first field is written
    notifyViews();
}

void Table::recordGone()
{
    const QString message =
        chooseText(QStringLiteral("This record is no longer in table %1: another program deleted it meanwhile."),
                   QStringLiteral("Cet enregistrement n'est plus dans la table %1 : un autre programme l'a "
                                  "supprimé entre-temps."))
            .arg(def_.name);
    state_ = TableState::Browse;
    modified_ = false;
    if (readOne(Next, loadedOrder_) || readOne(Prior, loadedOrder_))
        eof_ = bof_ = false;
    else
        clearCurrent();
    notify();
    throw StoreError(message);
}

QString Table::keyText() const
{
    QStringList parts;
    for (const QString &c : def_.orderColumns)
        parts.append(c + QStringLiteral(" = ") + buffer_[fieldIndex_.value(c)].toString());
    return parts.join(QStringLiteral(", "));
}

SqliteStatement &Table::insertStatement(QVariantList &values)
{
    const QList<FieldDef> &fields = std::as_const(def_.fields);
    for (int i = 0; i < fields.size(); ++i)
        if (fields[i].type != FieldType::AutoIncrement)
            values.append(buffer_[i]);
    return writeStatement(QStringLiteral("insert"), [&] {
        QStringList columns;
        for (const FieldDef &field : fields)
            if (field.type != FieldType::AutoIncrement)
                columns.append(quoted(field.name));
        return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
            .arg(quoted(def_.name), columns.join(QStringLiteral(", ")), placeholders(columns.size()));
    });
}

SqliteStatement *Table::updateStatement(QVariantList &values)
{
    // Only the fields whose value changed are written: a record posted
    // back unchanged writes nothing, and an index over fields that kept
    // their value is left alone. One statement is kept for each set of
    // fields, told apart by a key holding a character for each field.
    const QList<FieldDef> &fields = std::as_const(def_.fields);
    QString key = QStringLiteral("update ");
    for (int i = 0; i < fields.size(); ++i) {
        if (fields[i].type == FieldType::AutoIncrement || buffer_[i] == editedFrom_.value(i))
            continue;
        values.append(buffer_[i]);
        key += QChar(char16_t(0x100 + i));
    }
    if (values.isEmpty())
        return nullptr;
    values.append(QVariant(rowid_));
    if (!writes_.contains(key) && ++updateStatements_ > MaxUpdateStatements) {
        writes_.removeIf([](const auto &kept) { return kept.key().startsWith(QLatin1String("update")); });
        updateStatements_ = 1;
    }
    return &writeStatement(key, [&] {
        QStringList columns;
        for (qsizetype k = QStringLiteral("update ").size(); k < key.size(); ++k)
            columns.append(quoted(fields[key[k].unicode() - 0x100].name));
        return QStringLiteral("UPDATE %1 SET %2 = ? WHERE rowid = ?")
            .arg(quoted(def_.name), columns.join(QStringLiteral(" = ?, ")));
    });
}

void Table::writeRecord()
{
    const bool inserting = state_ == TableState::Insert;
    QVariantList values;
    values.reserve(def_.fields.size() + 1);
    SqliteStatement *st = inserting ? &insertStatement(values) : updateStatement(values);
    if (!st)
        return;
    try {
        db_.beforeWrite();
        Database::FastWrite speed(db_, def_.durable);
        st->run(values);
    } catch (const StoreError &e) {
        const int code = sqlite3_extended_errcode(db_.handle());
        if (code == SQLITE_CONSTRAINT_PRIMARYKEY || code == SQLITE_CONSTRAINT_UNIQUE)
            throw StoreError(QStringLiteral("Key violation in table %1: a record with %2 already exists (%3)")
                                 .arg(def_.name, keyText(), e.message()));
        if (e.problem() != StoreProblem::Other)
            throw; // names the database and what to do already
        throw StoreError(QStringLiteral("Table %1: %2").arg(def_.name, e.message()));
    }
    if (inserting)
        rowid_ = sqlite3_last_insert_rowid(db_.handle());
    else if (sqlite3_changes(db_.handle()) == 0)
        recordGone();
}

void Table::post()
{
    checkActive();
    if (!editing())
        return;
    updateRecord();
    const bool inserted = state_ == TableState::Insert;
    writeRecord();
    state_ = TableState::Browse;
    modified_ = false;
    // A record just added holds what was written, when no other program
    // can have changed it since: in a work table, which no other program
    // writes, or inside a transaction, which keeps others out (no trigger
    // changes the record it fires for). So does a record changed, when it
    // was read under the same guard and nothing but this post wrote since:
    // the fields it did not write are still as read. It is taken as SQLite
    // gives it back instead of being read again, where that can be told
    // without reading it.
    const bool othersKeptOut = !def_.durable || db_.inTransaction();
    const bool readJustBefore = db_.writeGeneration() - loadedGeneration_ <= 1;
    const auto takeAsWritten = [this] {
        const QList<FieldDef> &fields = std::as_const(def_.fields);
        QVariant *values = buffer_.data();
        for (int i = 0; i < fields.size(); ++i) {
            if (fields[i].type == FieldType::AutoIncrement)
                values[i].setValue(rowid_);
            else if (!takeAsStored(fields[i], values[i]))
                return loadRowid(rowid_);
        }
        hasCurrent_ = true;
        loadedGeneration_ = db_.writeGeneration();
        rememberOrder();
        return true;
    };
    if (othersKeptOut && (inserted || readJustBefore) ? takeAsWritten() : loadRowid(rowid_))
        eof_ = bof_ = false;
    notify();
}

void Table::cancel()
{
    checkActive();
    if (!editing())
        return;
    const bool wasInsert = state_ == TableState::Insert;
    state_ = TableState::Browse;
    modified_ = false;
    const bool hadCurrent = wasInsert ? hadCurrentBeforeInsert_ : hasCurrent_;
    const qint64 rowid = wasInsert ? rowidBeforeInsert_ : rowid_;
    if (!(hadCurrent && loadRowid(rowid)))
        clearCurrent();
    notify();
}

void Table::deleteRecord()
{
    checkActive();
    if (state_ == TableState::Insert) {
        cancel();
        return;
    }
    if (state_ == TableState::Edit)
        cancel();
    if (!hasCurrent_)
        throw StoreError(QStringLiteral("Table %1 has no record to delete").arg(def_.name));
    {
        db_.beforeWrite();
        Database::FastWrite speed(db_, def_.durable);
        writeStatement(QStringLiteral("delete"), [&] {
            return QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(quoted(def_.name));
        }).run({QVariant(rowid_)});
    }
    const QVariantList deletedAt = loadedOrder_;
    if (readOne(Next, deletedAt)) {
        eof_ = false;
    } else if (readOne(Prior, deletedAt)) {
        eof_ = false;
    } else {
        clearCurrent();
    }
    notify();
}
