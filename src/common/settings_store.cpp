#include "settings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

// "[software\Tillano]" -> "software\Tillano"; empty when not a section line.
QString sectionOf(const QString &line)
{
    const QString t = line.trimmed();
    if (t.size() >= 2 && t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']')))
        return t.mid(1, t.size() - 2).trimmed();
    return QString();
}

bool isSectionLine(const QString &line) { return !sectionOf(line).isEmpty(); }

// "Name=value" -> name; empty when the line is not a value line.
QString nameOf(const QString &line)
{
    if (isSectionLine(line))
        return QString();
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    return eq > 0 ? line.left(eq).trimmed() : QString();
}

QString valueOf(const QString &line)
{
    return line.mid(line.indexOf(QLatin1Char('=')) + 1);
}

bool sameKey(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

}

SettingsStore::SettingsStore(QString path) : path_(std::move(path)) {}

QString SettingsStore::defaultPath()
{
    const QString fromEnvironment = qEnvironmentVariable("TILLANO_SETTINGS");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty())
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/tillano/settings.ini");
}

QStringList SettingsStore::readLines() const
{
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(file.readAll());
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QMap<QString, QString> SettingsStore::values(const QString &section) const
{
    QMap<QString, QString> result;
    bool inSection = false;
    for (const QString &line : readLines()) {
        if (isSectionLine(line)) {
            inSection = sameKey(sectionOf(line), section);
            continue;
        }
        const QString name = nameOf(line);
        if (inSection && !name.isEmpty() && !result.contains(name))
            result.insert(name, valueOf(line));
    }
    return result;
}

QString SettingsStore::read(const QString &section, const QString &name, const QString &defaultValue) const
{
    const QMap<QString, QString> all = values(section);
    for (auto it = all.cbegin(); it != all.cend(); ++it)
        if (sameKey(it.key(), name))
            return it.value();
    return defaultValue;
}

namespace {

// Sets one value in the lines of the file: in place when the section has
// it, after the section's last value when not, in a new section at the end
// when there is none.
void setValue(QStringList &lines, const QString &section, const QString &name, const QString &value)
{
    const QString newLine = name + QLatin1Char('=') + value;
    qsizetype sectionStart = -1;  // index of the section line
    qsizetype lastValueLine = -1; // last non-blank line inside the section
    qsizetype existing = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (isSectionLine(lines[i])) {
            if (sectionStart >= 0)
                break;
            if (sameKey(sectionOf(lines[i]), section)) {
                sectionStart = i;
                lastValueLine = i;
            }
            continue;
        }
        if (sectionStart < 0)
            continue;
        if (!lines[i].trimmed().isEmpty())
            lastValueLine = i;
        if (existing < 0 && sameKey(nameOf(lines[i]), name))
            existing = i;
    }

    if (existing >= 0) {
        lines[existing] = newLine;
    } else if (sectionStart >= 0) {
        lines.insert(lastValueLine + 1, newLine);
    } else {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            lines.append(QString());
        lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
        lines.append(newLine);
    }
}

bool isUnder(const QString &section, const QString &keyPath)
{
    return sameKey(section, keyPath)
        || (section.size() > keyPath.size() && section.startsWith(keyPath, Qt::CaseInsensitive)
            && section[keyPath.size()] == QLatin1Char('\\'));
}

}

bool SettingsStore::write(const QString &section, const QString &name, const QString &value)
{
    return write(section, Values{{name, value}});
}

bool SettingsStore::write(const QString &section, const Values &values)
{
    Changes change = changes();
    change.write(section, values);
    return save(change);
}

bool SettingsStore::remove(const QString &keyPath)
{
    Changes change = changes();
    change.remove(keyPath);
    return save(change);
}

void SettingsStore::Changes::write(const QString &section, const Values &values)
{
    for (const auto &[name, value] : values)
        setValue(lines_, section, name, value);
}

void SettingsStore::Changes::remove(const QString &keyPath)
{
    bool removing = false;
    for (qsizetype i = 0; i < lines_.size();) {
        if (isSectionLine(lines_[i]))
            removing = isUnder(sectionOf(lines_[i]), keyPath);
        if (removing)
            lines_.removeAt(i);
        else
            ++i;
    }
    // No blank lines left at the end where a section was.
    while (!lines_.isEmpty() && lines_.last().trimmed().isEmpty())
        lines_.removeLast();
}

bool SettingsStore::save(const QStringList &lines)
{
    QDir().mkpath(QFileInfo(path_).absolutePath());
    QSaveFile file(path_);
    if (file.open(QIODevice::WriteOnly)) {
        // It names the data directory and the devices: the till's user's only.
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        file.write((lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
        if (file.commit()) {
            error_.clear();
            return true;
        }
    }
    error_ = file.errorString();
    return false;
}

QStringList SettingsStore::subkeys(const QString &keyPath) const
{
    QString prefix = keyPath;
    while (prefix.endsWith(QLatin1Char('\\')))
        prefix.chop(1);
    prefix += QLatin1Char('\\');

    QStringList names;
    for (const QString &line : readLines()) {
        const QString section = sectionOf(line);
        if (section.size() <= prefix.size() || !section.startsWith(prefix, Qt::CaseInsensitive))
            continue;
        const QString child = section.mid(prefix.size()).section(QLatin1Char('\\'), 0, 0);
        if (child.isEmpty())
            continue;
        const bool known = std::any_of(names.cbegin(), names.cend(),
                                       [&](const QString &n) { return sameKey(n, child); });
        if (!known)
            names.append(child);
    }
    return names;
}
