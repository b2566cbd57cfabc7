#include "stored_values.h"

#include "sqlite_statement.h"

#include <QDate>
#include <QTime>
#include <cmath>

namespace {

// Dates and times are stored as "YYYY-MM-DD" and "HH:MM:SS". Read for
// every record of a scan, they are taken apart by hand; anything else
// goes through Qt's parser, which decides as before.
int digits(const char *text, int count)
{
    int value = 0;
    for (int i = 0; i < count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// The three numbers of "YYYY-MM-DD" or "HH:MM:SS": the first one
// `firstWidth` digits long, then two of two digits, each after
// `separator`; false when the text is not exactly that.
bool splitFixed(QByteArrayView text, int firstWidth, char separator, int parts[3])
{
    if (text.size() != firstWidth + 6 || text[firstWidth] != separator || text[firstWidth + 3] != separator)
        return false;
    parts[0] = digits(text.data(), firstWidth);
    parts[1] = digits(text.data() + firstWidth + 1, 2);
    parts[2] = digits(text.data() + firstWidth + 4, 2);
    return parts[0] >= 0 && parts[1] >= 0 && parts[2] >= 0;
}

QDate storedDate(const SqliteStatement &st, int column)
{
    int parts[3];
    if (splitFixed(st.utf8(column), 4, '-', parts) && QDate::isValid(parts[0], parts[1], parts[2]))
        return QDate(parts[0], parts[1], parts[2]);
    return QDate::fromString(st.text(column), Qt::ISODate);
}

QTime storedTime(const SqliteStatement &st, int column)
{
    int parts[3];
    if (splitFixed(st.utf8(column), 2, ':', parts) && QTime::isValid(parts[0], parts[1], parts[2]))
        return QTime(parts[0], parts[1], parts[2]);
    return QTime::fromString(st.text(column), QStringLiteral("HH:mm:ss"));
}

}

void readStored(const FieldDef &field, const SqliteStatement &st, int column, QVariant &value)
{
    if (st.isNull(column)) {
        if (value.isValid())
            value = QVariant();
        return;
    }
    switch (field.type) {
    case FieldType::Integer:
    case FieldType::AutoIncrement:
        value.setValue(st.integer(column));
        break;
    case FieldType::Logical:
        value.setValue(st.integer(column) != 0);
        break;
    case FieldType::Float:
    case FieldType::Money:
        value.setValue(st.real(column));
        break;
    case FieldType::Date:
        value.setValue(storedDate(st, column));
        break;
    case FieldType::Time:
        value.setValue(storedTime(st, column));
        break;
    default:
        value.setValue(st.text(column));
    }
}

bool takeAsStored(const FieldDef &field, QVariant &value)
{
    if (!value.isValid())
        return true; // written as none, read as none
    switch (field.type) {
    case FieldType::Integer:
        return value.typeId() == QMetaType::LongLong;
    case FieldType::Logical:
        return value.typeId() == QMetaType::Bool;
    case FieldType::Float:
    case FieldType::Money: {
        if (value.typeId() != QMetaType::Double || !std::isfinite(value.toDouble()))
            return false;
        // SQLite keeps a whole REAL as an integer: a zero loses its sign.
        if (value.toDouble() == 0)
            value.setValue(0.0);
        return true;
    }
    case FieldType::Text:
    case FieldType::Memo: {
        if (value.typeId() != QMetaType::QString)
            return false;
        // Texts are stored as UTF-8; only valid UTF-16 that is not empty
        // comes back exactly as it went.
        const QString &text = *static_cast<const QString *>(value.constData());
        if (text.isEmpty() || !text.isValidUtf16()) {
            const QByteArray utf8 = text.toUtf8();
            value.setValue(QString::fromUtf8(QByteArrayView(utf8.constData(), utf8.size())));
        }
        return true;
    }
    default:
        return false;
    }
}
