#include "lane_listing.h"
#include "schema_upgrade.h"

#include "lanes/server_connection.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

namespace {

const char *Usage =
    "Usage: tillano-server init CONNINFO     create or upgrade the schema tillano\n"
    "       tillano-server status CONNINFO   list the lanes and what they sent\n"
    "CONNINFO is a libpq connection string, \"host=... dbname=... user=...\" or \"postgresql://...\".\n";

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
    parser.addPositionalArgument(QStringLiteral("COMMAND"), QStringLiteral("init or status"));
    parser.addPositionalArgument(QStringLiteral("CONNINFO"), QStringLiteral("The server database."));
    parser.process(app);

    const QStringList args = parser.positionalArguments();
    if (args.size() != 2 || (args[0] != QLatin1String("init") && args[0] != QLatin1String("status"))) {
        std::fputs(Usage, stderr);
        return 2;
    }
    try {
        ServerConnection server(args[1]);
        server.open();
        if (args[0] == QLatin1String("init")) {
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
