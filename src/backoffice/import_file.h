#pragma once

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

// The largest file taken as a product list: several million products. A
// file beyond it was chosen by mistake (a video, a disk image).
constexpr qint64 MaxImportFileBytes = 256 * 1024 * 1024;

// Reads a whole import file. False, with the system's words in `error`,
// when it cannot be opened or read (a directory, no permission) or holds
// more than `maxBytes`.
bool readImportFile(const QString &path, QByteArray &bytes, QString &error, qint64 maxBytes = MaxImportFileBytes);

// A control character where text should be: its line, from 1, and code.
struct ControlCharacter {
    int lineNumber = 0; // 0: none in the file
    char16_t code = 0;
};

// The lines of an import file as text. The bytes are UTF-8 when they are
// valid UTF-8 (a byte-order mark is dropped), as spreadsheets here write
// them, and Windows-1252 otherwise, as older tills write them. A line ends
// at a line feed, a carriage return or both; the end of the file ends the
// last line, and an empty last line is no line.
class ImportText {
public:
    explicit ImportText(QByteArray bytes);

    bool isUtf8() const { return utf8_; }
    int lineCount() const { return lineCount_; }

    // The first control character other than a tab and the line ends (a
    // NUL, a form feed, DEL, the codes 0x80 to 0x9F): a file holding one
    // is no list of products, whatever else it holds.
    ControlCharacter firstControlCharacter() const;

    // The next line; false after the last one.
    bool nextLine(QString &line);
    // The number of the line nextLine() gave last, from 1.
    int lineNumber() const { return lineNumber_; }

    // Where the reading stands, to come back to it.
    struct Position {
        qsizetype byte = 0;
        int lineNumber = 0;
    };
    Position position() const { return {pos_, lineNumber_}; }
    void seek(const Position &position);

private:
    QByteArray bytes_;
    bool utf8_ = true;
    QStringDecoder windows1252_;
    qsizetype pos_ = 0;
    int lineCount_ = 0;
    int lineNumber_ = 0;
};
