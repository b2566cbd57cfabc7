#include "journal_queue.h"

#include "posting_checkpoints.h"

#include "common/language.h"
#include "store/database.h"
#include "store/schema.h"
#include "store/sqlite_statement.h"
#include "store/store_error.h"

namespace {

QString sql(const char *pattern)
{
    return QString::fromLatin1(pattern).arg(QLatin1String(Schema::JournalQueueTable));
}

QString stillQueuedText(int sales)
{
    return sales == 1 ? chooseText(QStringLiteral("The journal records of 1 posted sale are kept; they are "
                                                  "written after the next sale or at the next start of Tillano."),
                                   QStringLiteral("Les lignes de journal d'une vente enregistrée sont gardées ; "
                                                  "elles seront écrites après la prochaine vente ou au prochain "
                                                  "démarrage de Tillano."))
                      : chooseText(QStringLiteral("The journal records of %1 posted sales are kept; they are "
                                                  "written after the next sale or at the next start of Tillano."),
                                   QStringLiteral("Les lignes de journal de %1 ventes enregistrées sont gardées ; "
                                                  "elles seront écrites après la prochaine vente ou au prochain "
                                                  "démarrage de Tillano."))
                            .arg(sales);
}

}

namespace JournalQueue {

void add(Database &db, double transactionNumber, const QStringList &records)
{
    if (records.isEmpty())
        return;
    db.beforeWrite();
    // Done at every sale: the statements are prepared once.
    db.statement(sql("INSERT INTO \"%1\" (\"Queue_trxh_id\", \"Queue_records\") VALUES (?, ?)"))
        .run({transactionNumber, QString::fromUtf8(ExportJournal::saleBytes(records))});
}

int count(Database &db)
{
    SqliteStatement st(db.handle(), sql("SELECT COUNT(*) FROM \"%1\""));
    st.start();
    st.step();
    return int(st.integer(0));
}

void writeQueued(Database &db, const ExportJournal &journal)
{
    try {
        SqliteStatement &oldest = db.statement(sql("SELECT \"Queue_id\", \"Queue_records\" FROM \"%1\" "
                                                   "ORDER BY \"Queue_id\" LIMIT 1"));
        SqliteStatement &remove = db.statement(sql("DELETE FROM \"%1\" WHERE \"Queue_id\" = ?"));
        for (;;) {
            oldest.start();
            if (!oldest.step()) {
                oldest.reset();
                return;
            }
            const qint64 id = oldest.integer(0);
            const QByteArray sale = oldest.text(1).toUtf8();
            oldest.reset();
            try {
                journal.appendOnce(sale);
            } catch (const JournalWriteError &e) {
                throw JournalWriteError(e.message() + QStringLiteral("\n\n") + stillQueuedText(count(db)),
                                        e.filePath());
            }
            PostingCheckpoints::reach(PostingCheckpoint::JournalWritten);
            // Taking the sale off the queue need not wait for the disk. If
            // a power cut loses the removal, the sale is queued again at
            // start-up and the journal's end shows it written already; the
            // next durable commit makes the removal durable with it.
            const Database::FastWrite withoutSync(db, false);
            db.beforeWrite();
            remove.run({id});
        }
    } catch (const StoreError &) {
        // Left queued: the journal ends with what it holds of the oldest
        // sale, so the next write adds only what is missing.
    }
}

}
