#pragma once

#include <QMap>
#include <QPair>
#include <QString>
#include <QStringList>

// The program's settings, kept in a UTF-8 text file in registry form: each
// section is a full key path ("[software\Tillano]"), each line
// "Name=value". Key paths and value names compare without regard to case,
// as registry keys do. The file is read anew for every operation and
// rewritten atomically by every write, keeping every other section and
// line, including lines the reader cannot parse; only its owner may read
// and write it.
class SettingsStore {
public:
    explicit SettingsStore(QString path = defaultPath());

    // $TILLANO_SETTINGS when set, else $XDG_CONFIG_HOME/tillano/settings.ini
    // (~/.config/tillano/settings.ini).
    static QString defaultPath();

    const QString &path() const { return path_; }

    QString read(const QString &section, const QString &name, const QString &defaultValue = QString()) const;

    using Values = QList<QPair<QString, QString>>;

    // Returns false when the file cannot be written; nothing is changed
    // then, and errorString() says why.
    bool write(const QString &section, const QString &name, const QString &value);
    // Several values of one section, in one rewrite of the file.
    bool write(const QString &section, const Values &values);
    // Removes a key path: its section and every section under it.
    bool remove(const QString &keyPath);
    const QString &errorString() const { return error_; }

    // Changes to several sections, saved in one rewrite of the file: all
    // of them or, when it cannot be written, none.
    class Changes {
    public:
        void write(const QString &section, const Values &values);
        void remove(const QString &keyPath);

    private:
        friend class SettingsStore;
        explicit Changes(QStringList lines) : lines_(std::move(lines)) {}
        QStringList lines_;
    };
    Changes changes() const { return Changes(readLines()); }
    bool save(const Changes &changes) { return save(changes.lines_); }

    // Names of the keys directly under a key path, in file order.
    QStringList subkeys(const QString &keyPath) const;

    // Every value of one section, names as written in the file.
    QMap<QString, QString> values(const QString &section) const;

private:
    QStringList readLines() const;
    bool save(const QStringList &lines);
    QString path_;
    QString error_;
};
