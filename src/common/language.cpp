#include "language.h"

namespace {
QString &currentSetting()
{
    static QString setting = QStringLiteral("0");
    return setting;
}
}

void setLanguageSetting(const QString &value) { currentSetting() = value; }

QString languageSetting() { return currentSetting(); }

bool englishTexts() { return currentSetting() == QLatin1String("0"); }

QString chooseText(const QString &english, const QString &french)
{
    return englishTexts() ? english : french;
}
