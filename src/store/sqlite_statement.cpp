#include "sqlite_statement.h"

#include "engine_error.h"
#include "locked_database.h"

#include <QDate>
#include <QTime>
#include <sqlite3.h>

void executeSql(sqlite3 *db, const QString &sql)
{
    const QByteArray utf8 = sql.toUtf8();
    for (;;) {
        const int rc = sqlite3_exec(db, utf8.constData(), nullptr, nullptr, nullptr);
        if (rc == SQLITE_OK)
            return;
        // One statement, which took effect whole or not at all: a locked
        // one can simply run again.
        const StoreError error = engineError(db);
        if (!(error.problem() == StoreProblem::Locked && LockedDatabase::waitAgain(db)))
            throw error;
    }
}

SqliteStatement::SqliteStatement(sqlite3 *db, const QString &sql) : db_(db), sql_(sql)
{
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v3(db, utf8.constData(), int(utf8.size()), SQLITE_PREPARE_PERSISTENT, &stmt_, nullptr)
        != SQLITE_OK)
        throw engineError(db);
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(stmt_);
}

void SqliteStatement::reset()
{
    sqlite3_reset(stmt_);
    midway_ = false;
}

void SqliteStatement::start(const QVariantList &values)
{
    reset();
    for (int i = 0; i < values.size(); ++i)
        bind(i + 1, values[i]);
}

void SqliteStatement::bind(int index, const QVariant &value)
{
    int rc = SQLITE_OK;
    if (value.isNull()) {
        rc = sqlite3_bind_null(stmt_, index);
    } else {
        switch (value.typeId()) {
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            rc = sqlite3_bind_int64(stmt_, index, value.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(stmt_, index, value.toDouble());
            break;
        case QMetaType::QDate:
            rc = sqlite3_bind_text(stmt_, index, value.toDate().toString(Qt::ISODate).toUtf8().constData(), -1,
                                   SQLITE_TRANSIENT);
            break;
        case QMetaType::QTime:
            rc = sqlite3_bind_text(stmt_, index, value.toTime().toString(QStringLiteral("HH:mm:ss")).toUtf8().constData(),
                                   -1, SQLITE_TRANSIENT);
            break;
        case QMetaType::QByteArray: {
            const QByteArray bytes = value.toByteArray();
            rc = sqlite3_bind_blob(stmt_, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray utf8 = value.toString().toUtf8();
            rc = sqlite3_bind_text(stmt_, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        }
        }
    }
    if (rc != SQLITE_OK)
        throw engineError(db_);
}

void SqliteStatement::bindNull(int index)
{
    if (sqlite3_bind_null(stmt_, index) != SQLITE_OK)
        throw engineError(db_);
}

void SqliteStatement::bindInteger(int index, qint64 value)
{
    if (sqlite3_bind_int64(stmt_, index, value) != SQLITE_OK)
        throw engineError(db_);
}

void SqliteStatement::bindReal(int index, double value)
{
    if (sqlite3_bind_double(stmt_, index, value) != SQLITE_OK)
        throw engineError(db_);
}

void SqliteStatement::bindText(int index, QStringView text)
{
    // The UTF-8 is kept here until the parameter is bound again, so that
    // SQLite reads it where it is instead of copying it at every bind. Most
    // texts are ASCII, whose UTF-8 is the same bytes: narrowed into the room
    // the last text left, they need no allocation.
    if (std::size_t(index) > texts_.size())
        texts_.resize(std::size_t(index));
    QByteArray &utf8 = texts_[std::size_t(index) - 1];
    utf8.resize(text.size());
    char *out = utf8.data();
    qsizetype i = 0;
    for (const QChar ch : text) {
        if (ch.unicode() >= 0x80)
            break;
        out[i++] = char(ch.unicode());
    }
    if (i < text.size())
        utf8 = text.toUtf8();
    if (sqlite3_bind_text(stmt_, index, utf8.constData(), int(utf8.size()), SQLITE_STATIC) != SQLITE_OK)
        throw engineError(db_);
}

bool SqliteStatement::step()
{
    for (;;) {
        const int rc = sqlite3_step(stmt_);
        if (rc == SQLITE_ROW) {
            midway_ = true;
            return true;
        }
        if (rc == SQLITE_DONE)
            return false;
        const StoreError error = engineError(db_);
        // A statement that has not returned a row yet starts over as if new
        // (the bindings stay); one halfway through its rows cannot.
        const bool mayRetry = error.problem() == StoreProblem::Locked && !midway_;
        reset();
        if (!(mayRetry && LockedDatabase::waitAgain(db_)))
            throw error;
    }
}

void SqliteStatement::run(const QVariantList &values)
{
    start(values);
    while (step()) {
    }
    reset();
}

int SqliteStatement::columnCount() const
{
    return sqlite3_column_count(stmt_);
}

bool SqliteStatement::isNull(int column) const
{
    return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

bool SqliteStatement::isNumber(int column) const
{
    const int type = sqlite3_column_type(stmt_, column);
    return type == SQLITE_INTEGER || type == SQLITE_FLOAT;
}

QVariant SqliteStatement::value(int column) const
{
    switch (sqlite3_column_type(stmt_, column)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(stmt_, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt_, column));
    case SQLITE_NULL:
        return QVariant();
    case SQLITE_BLOB:
        return QVariant(bytes(column));
    default:
        return QVariant(text(column));
    }
}

qint64 SqliteStatement::integer(int column) const
{
    return sqlite3_column_int64(stmt_, column);
}

double SqliteStatement::real(int column) const
{
    return sqlite3_column_double(stmt_, column);
}

QByteArray SqliteStatement::bytes(int column) const
{
    const auto *data = static_cast<const char *>(sqlite3_column_blob(stmt_, column));
    return QByteArray(data, sqlite3_column_bytes(stmt_, column));
}

QString SqliteStatement::text(int column) const
{
    return QString::fromUtf8(utf8(column));
}

QByteArrayView SqliteStatement::utf8(int column) const
{
    const auto *data = reinterpret_cast<const char *>(sqlite3_column_text(stmt_, column));
    return QByteArrayView(data, sqlite3_column_bytes(stmt_, column));
}
