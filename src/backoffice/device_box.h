#pragma once

#include "common/settings_store.h"
#include "devices/device_settings.h"

#include <QGroupBox>
#include <functional>

class QComboBox;
class QFormLayout;
class QHBoxLayout;
class SettingsStore;

// One device's part of the devices window: its kind (none, simulated with
// its output file, ESC/POS with its port) and the values of its settings
// section, each shown only for the kinds it serves. Values the box does
// not show stay in the section as they are.
class DeviceBox : public QGroupBox {
    Q_OBJECT
public:
    enum Kind { None, Simulated, EscPos };

    // `deviceClass` ("POSPrinter"), the device name a new section takes,
    // and the output file a new simulated device writes.
    DeviceBox(const QString &title, QString deviceClass, QString newName, QString newOutput, QWidget *parent);

    // A value of the section: its caption, the control that shows it, the
    // kinds it serves and how the control reads and writes the text.
    struct Value {
        QString name;
        QString defaultValue;
        int kinds; // bits of 1 << Kind
        std::function<QString()> read;
        std::function<void(const QString &)> show;
    };
    void addValue(const QString &caption, QWidget *control, Value value);
    void addButton(QWidget *button) const;

    // Shows the device's section of the settings.
    void load(const SettingsStore &store);
    Kind kind() const;
    // The section as the box would write it.
    DeviceSettings chosen() const;
    bool changed() const;
    // Adds the writing of its section to the changes, when the box was
    // changed (for none, the removal of the device's sections).
    void save(SettingsStore::Changes &changes) const;

    QComboBox *KindBox;
    QComboBox *PortBox; // for a drawer, the printer's port unless another is chosen

signals:
    void kindChanged();

private:
    void showRowsOfKind();
    static Kind kindOf(const DeviceSettings &settings);
    // The values to write for the chosen kind.
    SettingsStore::Values valuesToWrite() const;

    QString deviceClass_;
    QString name_;
    QString newOutput_;
    DeviceSettings loaded_;
    QFormLayout *form_;
    QHBoxLayout *buttons_;
    QList<QPair<QWidget *, Value>> values_;
};
