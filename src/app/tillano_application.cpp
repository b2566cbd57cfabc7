#include "tillano_application.h"

#include "store/store_error.h"
#include "widgets/dialogs.h"

#include <QLocale>

TillanoApplication::TillanoApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Tillano"));
    setApplicationDisplayName(QStringLiteral("Tillano"));
    // The POSIX locale has no currency; a shop runs on a real one.
    if (QLocale::system().name() == QLatin1String("C"))
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

bool TillanoApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const StoreError &e) {
        dialogs().message(activeWindow(), e.message());
    } catch (const std::exception &e) {
        dialogs().message(activeWindow(), QString::fromLocal8Bit(e.what()));
    }
    return false;
}
