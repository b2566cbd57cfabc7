#include "import_file.h"

#include "common/language.h"

#include <QFile>
#include <algorithm>
#include <array>

namespace {

const QByteArray Utf8Bom("\xEF\xBB\xBF");

bool validUtf8(QByteArrayView bytes)
{
    // Checked in slices cut between characters, so that a large file is
    // never held twice as text; a character cut off by the end of the file
    // is an error too.
    constexpr qsizetype Slice = 1 << 20;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    for (qsizetype pos = 0; pos < bytes.size() && !decoder.hasError();) {
        qsizetype end = std::min(pos + Slice, bytes.size());
        for (int back = 0; back < 3 && end < bytes.size() && (bytes[end] & 0xC0) == 0x80; ++back)
            --end;
        (void)QString(decoder(bytes.sliced(pos, end - pos)));
        pos = end;
    }
    return !decoder.hasError();
}

// Where the line starting at `pos` ends, and where the next one starts.
qsizetype lineEnd(const QByteArray &bytes, qsizetype pos, qsizetype &next)
{
    const QByteArrayView rest = QByteArrayView(bytes).sliced(pos);
    qsizetype at = rest.indexOf('\n');
    const qsizetype cr = QByteArrayView(rest.data(), at < 0 ? rest.size() : at).indexOf('\r');
    if (cr >= 0)
        at = cr;
    at = at < 0 ? bytes.size() : pos + at;
    next = at;
    if (at < bytes.size())
        next += bytes[at] == '\r' && at + 1 < bytes.size() && bytes[at + 1] == '\n' ? 2 : 1;
    return at;
}

}

bool readImportFile(const QString &path, QByteArray &bytes, QString &error, qint64 maxBytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    bytes.clear();
    // Read in pieces to the end, not by the size: a device or a pipe has none.
    const qint64 size = file.isSequential() ? 0 : file.size();
    if (size <= maxBytes) {
        bytes.reserve(size);
        for (QByteArray piece; bytes.size() <= maxBytes && !(piece = file.read(1 << 20)).isEmpty();)
            bytes += piece;
    }
    if (file.error() != QFileDevice::NoError) {
        error = file.errorString();
        return false;
    }
    if (size > maxBytes || bytes.size() > maxBytes) {
        bytes.clear();
        error = chooseText(QStringLiteral("it holds more than %1 MB, too much for a product list"),
                           QStringLiteral("il dépasse %1 Mo, trop pour une liste de produits"))
                    .arg(maxBytes / (1024 * 1024));
        return false;
    }
    return true;
}

ImportText::ImportText(QByteArray bytes) : bytes_(std::move(bytes)), windows1252_("windows-1252")
{
    if (bytes_.startsWith(Utf8Bom))
        bytes_.remove(0, Utf8Bom.size());
    utf8_ = validUtf8(bytes_);
    if (!windows1252_.isValid()) // a Qt without ICU: the same but for bytes 0x80 to 0x9F
        windows1252_ = QStringDecoder(QStringDecoder::Latin1);
    for (qsizetype pos = 0; pos < bytes_.size(); ++lineCount_)
        lineEnd(bytes_, pos, pos);
}

ControlCharacter ImportText::firstControlCharacter() const
{
    // Bytes below 0x80 are the same characters in both encodings; above,
    // UTF-8 writes the codes 0x80 to 0x9F as C2 80 to C2 9F, and
    // Windows-1252 leaves five bytes without a character. The bytes worth
    // a look are marked, so that the rest are passed over quickly.
    std::array<bool, 256> marked{};
    for (int b = 0; b < 0x20; ++b)
        marked[b] = b != '\t';
    marked[0x7F] = true;
    if (utf8_)
        marked[0xC2] = true;
    else
        for (const int b : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
            marked[b] = true;

    const auto *bytes = reinterpret_cast<const quint8 *>(bytes_.constData());
    const qsizetype size = bytes_.size();
    int line = 1;
    for (qsizetype i = 0; i < size; ++i) {
        if (!marked[bytes[i]])
            continue;
        const quint8 b = bytes[i];
        if (b == '\n' || b == '\r') {
            if (!(b == '\r' && i + 1 < size && bytes[i + 1] == '\n'))
                ++line;
        } else if (b != 0xC2) {
            return {line, char16_t(b)};
        } else if (i + 1 < size && bytes[i + 1] >= 0x80 && bytes[i + 1] <= 0x9F) {
            return {line, char16_t(bytes[i + 1])};
        }
    }
    return {};
}

void ImportText::seek(const Position &position)
{
    pos_ = position.byte;
    lineNumber_ = position.lineNumber;
}

bool ImportText::nextLine(QString &line)
{
    if (pos_ >= bytes_.size())
        return false;
    const qsizetype start = pos_;
    const QByteArrayView bytes = QByteArrayView(bytes_).sliced(start, lineEnd(bytes_, start, pos_) - start);
    line = utf8_ ? QString::fromUtf8(bytes) : QString(windows1252_.decode(bytes));
    ++lineNumber_;
    return true;
}
