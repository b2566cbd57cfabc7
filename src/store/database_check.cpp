#include "database_check.h"

#include "engine_error.h"
#include "locked_database.h"
#include "schema.h"

#include "common/language.h"

#include <QFile>
#include <QFileInfo>
#include <memory>
#include <sqlite3.h>

namespace {

[[noreturn]] void refuse(StoreProblem problem, const QString &file, const QString &detail)
{
    throw StoreError(databaseProblemText(problem, file, detail), problem);
}

// The file itself, before SQLite reads it: there, readable, writable,
// and beginning as every SQLite database does.
void checkFile(const QString &file)
{
    const QFileInfo info(file);
    if (!info.exists())
        refuse(StoreProblem::NoDatabase, file, chooseText(QStringLiteral("the file is missing"),
                                                          QStringLiteral("le fichier est absent")));
    QFile f(file);
    if (!info.isFile() || !f.open(QIODevice::ReadOnly))
        refuse(StoreProblem::Permissions, file, info.isFile() ? f.errorString()
                                                              : chooseText(QStringLiteral("it is not a file"),
                                                                           QStringLiteral("ce n'est pas un fichier")));
    const QByteArray header = f.read(16);
    if (header.isEmpty())
        refuse(StoreProblem::Damaged, file, chooseText(QStringLiteral("the file is empty, 0 bytes"),
                                                       QStringLiteral("le fichier est vide, 0 octet")));
    if (header != QByteArray("SQLite format 3", 16))
        refuse(StoreProblem::Damaged, file, chooseText(QStringLiteral("the file is not an SQLite database"),
                                                       QStringLiteral("le fichier n'est pas une base SQLite")));
    // Every write also needs the directory, for the database's WAL files.
    const QFileInfo directory(info.absolutePath());
    if (!info.isWritable() || !directory.isWritable())
        refuse(StoreProblem::Permissions, file,
               chooseText(QStringLiteral("%1 may not be written"), QStringLiteral("%1 ne peut pas être écrit"))
                   .arg(info.isWritable() ? directory.absoluteFilePath() : info.fileName()));
}

// A read-only connection: SQLite neither writes nor checkpoints through it.
class ReadOnlyConnection {
public:
    explicit ReadOnlyConnection(const QString &file) : file_(file)
    {
        if (sqlite3_open_v2(file.toUtf8().constData(), &db_, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
            // A failed open still gives a handle to close; the destructor
            // will not run for a constructor that throws.
            const std::unique_ptr<sqlite3, decltype(&sqlite3_close)> opened(db_, &sqlite3_close);
            fail();
        }
        sqlite3_busy_timeout(db_, LockedDatabase::WaitMs);
    }
    ~ReadOnlyConnection() { sqlite3_close(db_); }

    // The first column of each row of a query.
    QStringList column(const QString &sql)
    {
        sqlite3_stmt *st = nullptr;
        if (sqlite3_prepare_v2(db_, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK)
            fail();
        QStringList values;
        int rc;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW)
            values.append(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0))));
        sqlite3_finalize(st);
        if (rc != SQLITE_DONE)
            fail();
        return values;
    }

    bool hasTable(const QString &table)
    {
        return sqlite3_table_column_metadata(db_, nullptr, table.toUtf8().constData(), nullptr, nullptr, nullptr,
                                             nullptr, nullptr, nullptr)
            == SQLITE_OK;
    }

    // The declared type of a column; empty when the column is missing.
    QString columnType(const QString &table, const QString &column)
    {
        const char *type = nullptr;
        if (sqlite3_table_column_metadata(db_, nullptr, table.toUtf8().constData(), column.toUtf8().constData(),
                                          &type, nullptr, nullptr, nullptr, nullptr)
            != SQLITE_OK)
            return QString();
        return QString::fromUtf8(type ? type : "");
    }

    [[noreturn]] void fail()
    {
        const StoreError error = engineError(db_);
        if (error.problem() != StoreProblem::Other)
            throw error;
        refuse(StoreProblem::Damaged, file_, error.message());
    }

private:
    QString file_;
    sqlite3 *db_ = nullptr;
};

void checkTables(ReadOnlyConnection &db, const QString &file)
{
    for (const TableDef *def : Schema::all()) {
        if (!db.hasTable(def->name))
            refuse(StoreProblem::Foreign, file,
                   chooseText(QStringLiteral("the table %1 is missing"), QStringLiteral("la table %1 est absente"))
                       .arg(def->name));
        for (const FieldDef &field : def->fields) {
            const QString type = db.columnType(def->name, field.name);
            if (type.isEmpty())
                refuse(StoreProblem::Foreign, file,
                       chooseText(QStringLiteral("the table %1 has no column %2"),
                                  QStringLiteral("la table %1 n'a pas de colonne %2"))
                           .arg(def->name, field.name));
            if (type.compare(Schema::columnType(field.type), Qt::CaseInsensitive) != 0)
                refuse(StoreProblem::Foreign, file,
                       chooseText(QStringLiteral("the column %1 of the table %2 holds %3 instead of %4"),
                                  QStringLiteral("la colonne %1 de la table %2 contient %3 au lieu de %4"))
                           .arg(field.name, def->name, type, Schema::columnType(field.type)));
        }
    }
    for (const TableDef *def : {&Schema::control(), &Schema::fin()})
        if (db.column(QStringLiteral("SELECT COUNT(*) FROM \"%1\"").arg(def->name)).value(0).toInt() == 0)
            refuse(StoreProblem::Foreign, file,
                   chooseText(QStringLiteral("the table %1 has lost its record"),
                              QStringLiteral("la table %1 a perdu son enregistrement"))
                       .arg(def->name));
}

}

void checkDatabase(const QString &databaseFile)
{
    checkFile(databaseFile);
    ReadOnlyConnection db(databaseFile);
    // Reads every page once: a damaged file is found now, not halfway
    // through a sale.
    const QStringList problems = db.column(QStringLiteral("PRAGMA quick_check(1)"));
    if (problems.value(0) != QLatin1String("ok"))
        refuse(StoreProblem::Damaged, databaseFile, problems.value(0));
    checkTables(db, databaseFile);
}
