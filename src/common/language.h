#pragma once

#include <QString>

// The "Language" setting as read at start-up. Texts composed while the
// program runs are English when it is exactly "0" and French otherwise.
void setLanguageSetting(const QString &value);
QString languageSetting();
bool englishTexts();

// The English or the French text, by the rule above.
QString chooseText(const QString &english, const QString &french);
