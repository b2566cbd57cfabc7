#pragma once

#include <QStringList>

// The fields a product line of an import file has.
constexpr int ImportFieldCount = 13;

// The fields of one line of an import file, as a reading split it: the
// first ones kept (one more than a product has, to tell a wrong line),
// all of them counted, so that a line of millions of commas is counted,
// not held.
struct ImportFields {
    static constexpr int Kept = ImportFieldCount + 1;
    QStringList kept;
    int count = 0;

    bool wanted() const { return kept.size() < Kept; }
    void add(QString field)
    {
        if (kept.isEmpty())
            kept.reserve(Kept);
        if (wanted())
            kept.append(std::move(field));
        ++count;
    }
    bool operator==(const ImportFields &other) const = default;
};

// A field's text in storage of its own, for a field read in place in the
// line of a file.
inline QString ownCopy(const QString &field)
{
    return QString(field.constData(), field.size());
}
