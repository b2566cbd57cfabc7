// Every test program starts with US English formats ("$1,234.50",
// "12/9/26", "2:06:47 PM"), whatever the machine's locale, before any test
// object exists. A test that needs another locale sets it and puts this one
// back.
#include <QLocale>

namespace {
const bool usEnglishFormats = [] {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    return true;
}();
}
