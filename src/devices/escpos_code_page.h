#pragma once

#include <QByteArray>
#include <QString>
#include <array>

// A single-byte character table of ESC/POS printers and displays: how
// text is turned into bytes, and the table number "ESC t n" selects.
class EscPosCodePage {
public:
    // "1252" (Windows-1252, the default), "858", "850" or "437"; an unknown
    // name gives Windows-1252. tableNumber < 0 takes the usual number of
    // that table (16, 19, 2, 0); printers that number their tables
    // differently set it.
    static EscPosCodePage named(const QString &name, int tableNumber = -1);

    int tableNumber() const { return tableNumber_; }

    // Characters the table lacks become '?'; control characters other than
    // carriage return and line feed become '?' too, so that no text from
    // the tables can reach the device as a command.
    QByteArray encode(const QString &text) const;

private:
    using UpperHalf = std::array<char16_t, 128>;
    EscPosCodePage(const UpperHalf *upperHalf, int tableNumber) : upperHalf_(upperHalf), tableNumber_(tableNumber) {}
    char byteFor(char16_t ch) const;

    const UpperHalf *upperHalf_;
    int tableNumber_;
};
