#pragma once

#include <QString>

// A value quoted in a message (a path, a setting, a file's contents) with
// its middle left out when it is long, so that no message box grows wider
// or taller than the screen. Line breaks and other control characters
// are shown as blanks.
QString shortenedForMessage(const QString &value);
