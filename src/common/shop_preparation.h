#pragma once

#include <QString>

// How a shop is prepared with tillano-setup: the demo shop, or a real shop
// and the code of its first manager. Tillano shows it when it has no shop
// yet, tillano-setup --help shows it too. A settingsFile given is put into
// the commands as --settings, for settings kept outside the default file.
// Each paragraph is one line, for a message box to wrap; the commands are
// lines of their own.
QString shopPreparationText(const QString &settingsFile = QString());

// " --settings FILE" for the commands (quoted when it holds a blank);
// nothing for no file.
QString settingsOption(const QString &settingsFile);
