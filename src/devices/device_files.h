#pragma once

#include <QString>
#include <QStringList>

// The device files a receipt printer, a cash drawer or a customer display
// may hang on that are present on this machine: USB printers
// (/dev/usb/lp*), USB serial adapters (/dev/ttyUSB*, /dev/ttyACM* and
// their lasting names under /dev/serial/by-id) and the serial ports that
// have a chip behind them (/dev/ttyS*). `root` stands for "/" in tests.
QStringList devicePortsPresent(const QString &root = QStringLiteral("/"));

// For a device file the till's user may not write to: how to be let in,
// naming the group that owns the file (lp for USB printers, dialout for
// serial ports); empty when the user may write to it.
QString deviceAccessAdvice(const QString &path);
