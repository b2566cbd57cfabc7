#include "table.h"

#include "database.h"
#include "field_values.h"
#include "sqlite_statement.h"
#include "store_error.h"

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

// The value a field holds, from the column SQLite stored.
QVariant storedValue(const FieldDef &field, const SqliteStatement &st, int column)
{
    if (st.isNull(column))
        return QVariant();
    switch (field.type) {
    case FieldType::Integer:
    case FieldType::AutoIncrement:
        return QVariant(st.integer(column));
    case FieldType::Logical:
        return QVariant(st.integer(column) != 0);
    case FieldType::Float:
    case FieldType::Money:
        return QVariant(st.real(column));
    case FieldType::Date:
        return QVariant(QDate::fromString(st.text(column), Qt::ISODate));
    case FieldType::Time:
        return QVariant(QTime::fromString(st.text(column), QStringLiteral("HH:mm:ss")));
    default:
        return QVariant(st.text(column));
    }
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
    buffer_.resize(def_.fields.size());
    written_.resize(def_.fields.size());
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

QString Table::selectSql(Query query) const
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

    QString select = QStringLiteral("SELECT %1 FROM %2").arg(columnList_, quoted(def_.name));
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
    case QueryCount:
        break;
    }
    if (!where.isEmpty())
        select += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    return select + tail;
}

QVariantList Table::parameters(Query query, const QVariantList &tail) const
{
    QVariantList values;
    if (query != ByRowid) {
        if (filtered_ && !filterCondition_.isEmpty())
            values += filterParameters_;
        if (master_)
            values.append(linkValue());
    }
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
}

// ---- reading ----------------------------------------------------------------

void Table::loadRow(SqliteStatement &st)
{
    for (int i = 0; i < def_.fields.size(); ++i)
        buffer_[i] = storedValue(def_.fields[i], st, i);
    rowid_ = st.integer(int(def_.fields.size()));
    hasCurrent_ = true;
    loadedOrder_ = orderValues();
}

QVariantList Table::orderValues() const
{
    if (def_.orderColumns.isEmpty())
        return {QVariant(rowid_)};
    QVariantList values;
    for (const QString &c : def_.orderColumns) {
        const int i = fieldIndex_.value(c);
        values.append(def_.fields[i].type == FieldType::AutoIncrement && buffer_[i].isNull() ? QVariant(rowid_)
                                                                                             : buffer_[i]);
    }
    return values;
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
    if (readOne(First, {})) {
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

bool Table::readNextForward()
{
    const int variant = statementVariant();
    const QVariant link = master_ ? linkValue() : QVariant();
    const bool streamHolds = forward_ && forwardGeneration_ == db_.writeGeneration() && forwardRowid_ == rowid_
        && forwardVariant_ == variant && forwardLink_ == link;
    if (!streamHolds) {
        stopReading();
        forward_ = &statement(Forward);
        forward_->start(parameters(Forward, loadedOrder_));
        forwardGeneration_ = db_.writeGeneration();
        forwardVariant_ = variant;
        forwardLink_ = link;
    }
    if (!forward_->step()) {
        stopReading();
        return false;
    }
    loadRow(*forward_);
    forwardRowid_ = rowid_;
    return true;
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

QList<TableRow> Table::rows(int offset, int limit)
{
    checkActive();
    QList<TableRow> result;
    SqliteStatement &st = statement(Page);
    st.start(parameters(Page, {QVariant(limit), QVariant(offset)}));
    while (st.step()) {
        TableRow row;
        row.values.resize(def_.fields.size());
        for (int i = 0; i < def_.fields.size(); ++i)
            row.values[i] = storedValue(def_.fields[i], st, i);
        row.rowid = st.integer(int(def_.fields.size()));
        result.append(row);
    }
    st.reset();
    return result;
}

int Table::currentRowIndex()
{
    checkActive();
    if (!hasCurrent_)
        return -1;
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
    written_[index] = true;
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
    written_.fill(false);
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

void Table::writeRecord()
{
    const bool inserting = state_ == TableState::Insert;
    QVariantList values;
    values.reserve(def_.fields.size() + 1);
    QString columnsKey; // which fields an update writes: its statement
    for (int i = 0; i < def_.fields.size(); ++i) {
        const bool writes = def_.fields[i].type != FieldType::AutoIncrement && (inserting || written_[i]);
        if (writes)
            values.append(buffer_[i]);
        columnsKey.append(writes ? QLatin1Char('1') : QLatin1Char('0'));
    }
    if (!inserting && values.isEmpty())
        return; // nothing was written into the record
    // The column list is only needed the first time, to prepare the statement.
    const auto columnList = [&](const QString &separator) {
        QStringList columns;
        for (int i = 0; i < def_.fields.size(); ++i)
            if (columnsKey[i] == QLatin1Char('1'))
                columns.append(quoted(def_.fields[i].name));
        return columns.join(separator);
    };
    SqliteStatement &st = inserting
        ? writeStatement(QStringLiteral("insert"), [&] {
              return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(quoted(def_.name), columnList(QStringLiteral(", ")), placeholders(values.size()));
          })
        : writeStatement(QStringLiteral("update ") + columnsKey, [&] {
              return QStringLiteral("UPDATE %1 SET %2 = ? WHERE rowid = ?")
                  .arg(quoted(def_.name), columnList(QStringLiteral(" = ?, ")));
          });
    if (!inserting)
        values.append(QVariant(rowid_));
    try {
        db_.beforeWrite();
        Database::FastWrite speed(db_, def_.durable);
        st.run(values);
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
    writeRecord();
    state_ = TableState::Browse;
    modified_ = false;
    if (loadRowid(rowid_))
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
