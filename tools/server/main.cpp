#include "lane_listing.h"
#include "report_command.h"
#include "schema_upgrade.h"

#include "lanes/server_connection.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

namespace {

const char *Usage =
    "Usage: tillano-server init CONNINFO     create or upgrade the schema tillano\n"
    "       tillano-server status CONNINFO   list the lanes and what they sent\n"
    "       tillano-server report NAME --from DATE [--to DATE] [--store N] CONNINFO\n"
    "                                        a store report as CSV on standard output\n"
    "NAME is financial, cashiers, products, departments, line-totals, register,\n"
    "register-lines or lanes; DATE is 2024-03-09; --to is --from when not given;\n"
    "--store is needed when the database holds several stores.\n"
    "CONNINFO is a libpq connection string, \"host=... dbname=... user=...\" or \"postgresql://...\".\n";

int usageError(const QString &problem)
{
    if (!problem.isEmpty())
        std::fprintf(stderr, "tillano-server: %s\n", qPrintable(problem));
    std::fputs(Usage, stderr);
    return 2;
}

// The report asked for on the command line, or the problem with it.
QString reportRequest(const QCommandLineParser &parser, const QString &name, ReportRequest &request)
{
    request.name = name;
    request.from = QDate::fromString(parser.value(QStringLiteral("from")), Qt::ISODate);
    request.to = parser.isSet(QStringLiteral("to")) ? QDate::fromString(parser.value(QStringLiteral("to")), Qt::ISODate)
                                                    : request.from;
    if (!request.from.isValid() || !request.to.isValid())
        return QStringLiteral("--from (and --to) need a date written 2024-03-09.");
    if (request.to < request.from)
        return QStringLiteral("The range ends (--to) before it starts (--from).");
    if (parser.isSet(QStringLiteral("store"))) {
        bool ok = false;
        request.store = parser.value(QStringLiteral("store")).toInt(&ok);
        if (!ok || request.store < 1)
            return QStringLiteral("--store needs a store number of 1 or more.");
    }
    return {};
}

}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tillano-server"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TILLANO_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("The store server of Tillano lanes, on PostgreSQL.\n\n")
                                     + QString::fromLatin1(Usage));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("COMMAND"), QStringLiteral("init, status or report NAME"));
    parser.addPositionalArgument(QStringLiteral("CONNINFO"), QStringLiteral("The server database."));
    parser.addOption({QStringLiteral("from"), QStringLiteral("report: the first day."), QStringLiteral("DATE")});
    parser.addOption({QStringLiteral("to"), QStringLiteral("report: the last day (the first when not given)."),
                      QStringLiteral("DATE")});
    parser.addOption({QStringLiteral("store"), QStringLiteral("report: the store, when the database holds several."),
                      QStringLiteral("N")});
    parser.process(app);

    QStringList args = parser.positionalArguments();
    const bool report = args.value(0) == QLatin1String("report");
    ReportRequest request;
    if (report) {
        if (args.size() != 3)
            return usageError({});
        const QString problem = reportRequest(parser, args.takeAt(1), request);
        if (!problem.isEmpty())
            return usageError(problem);
    } else if (args.size() != 2 || (args[0] != QLatin1String("init") && args[0] != QLatin1String("status"))) {
        return usageError({});
    }
    try {
        ServerConnection server(args[1]);
        server.open();
        if (report) {
            QStringList notes;
            const QByteArray csv = reportCsv(server, request, notes);
            for (const QString &note : notes)
                std::fprintf(stderr, "tillano-server: %s\n", qPrintable(note));
            std::fwrite(csv.constData(), 1, size_t(csv.size()), stdout);
        } else if (args[0] == QLatin1String("init")) {
            for (const QString &line : initServer(server))
                std::printf("%s\n", qPrintable(line));
        } else {
            std::fputs(qPrintable(laneListing(server)), stdout);
        }
    } catch (const ServerError &e) {
        std::fprintf(stderr, "tillano-server: %s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}
