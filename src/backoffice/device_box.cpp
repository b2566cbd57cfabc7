#include "device_box.h"

#include "common/app_settings.h"
#include "common/language.h"
#include "common/settings_store.h"
#include "devices/device_files.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>

namespace {

const QString ServiceValue = QStringLiteral("Service");
const QString SimulatedService = QStringLiteral("simulated");
const QString EscPosService = QStringLiteral("escpos");

}

DeviceBox::DeviceBox(const QString &title, QString deviceClass, QString newName, QString newOutput, QWidget *parent)
    : QGroupBox(title, parent), deviceClass_(std::move(deviceClass)), name_(std::move(newName)),
      newOutput_(std::move(newOutput))
{
    setObjectName(deviceClass_);
    form_ = new QFormLayout(this);
    KindBox = new QComboBox(this);
    KindBox->addItems({chooseText(QStringLiteral("None"), QStringLiteral("Aucun")),
                       chooseText(QStringLiteral("Simulated (output file)"), QStringLiteral("Simulé (fichier de sortie)")),
                       QStringLiteral("ESC/POS")});
    form_->addRow(chooseText(QStringLiteral("Kind"), QStringLiteral("Sorte")), KindBox);
    buttons_ = new QHBoxLayout;
    buttons_->addStretch();
    form_->addRow(buttons_); // the values go above the buttons

    auto *output = new QLineEdit(this);
    output->setMinimumWidth(output->fontMetrics().averageCharWidth() * 36); // a path in the data directory
    addValue(chooseText(QStringLiteral("Output file"), QStringLiteral("Fichier de sortie")), output,
             {QStringLiteral("Output"), QString(), 1 << Simulated, [output] { return output->text().trimmed(); },
              [output](const QString &text) { output->setText(text); }});
    PortBox = new QComboBox(this);
    PortBox->setEditable(true);
    PortBox->lineEdit()->setPlaceholderText(QStringLiteral("tcp://192.168.1.50:9100"));
    PortBox->setMinimumContentsLength(28);
    addValue(QStringLiteral("Port"), PortBox,
             {QStringLiteral("Port"), QString(), 1 << EscPos, [this] { return PortBox->currentText().trimmed(); },
              [this](const QString &text) { PortBox->setCurrentText(text); }});
    connect(KindBox, &QComboBox::currentIndexChanged, this, [this] {
        showRowsOfKind();
        emit kindChanged();
    });
}

void DeviceBox::addValue(const QString &caption, QWidget *control, Value value)
{
    control->setAccessibleName(caption);
    form_->insertRow(form_->rowCount() - 1, caption, control);
    values_.append({control, std::move(value)});
}

void DeviceBox::addButton(QWidget *button) const
{
    buttons_->addWidget(button);
}

DeviceBox::Kind DeviceBox::kindOf(const DeviceSettings &settings)
{
    const QString service = settings.text(ServiceValue).toLower();
    return service == SimulatedService ? Simulated : service == EscPosService ? EscPos : None;
}

void DeviceBox::load(const SettingsStore &store)
{
    const QString name = oposDeviceName(store, deviceClass_);
    if (!name.isEmpty())
        name_ = name;
    loaded_ = name.isEmpty() ? DeviceSettings() : DeviceSettings::read(store, deviceClass_, name);

    const QString port = loaded_.text(QStringLiteral("Port"));
    PortBox->clear();
    PortBox->addItems(devicePortsPresent());
    if (!port.isEmpty() && PortBox->findText(port) < 0)
        PortBox->insertItem(0, port);
    for (auto &[control, value] : values_)
        value.show(loaded_.text(value.name, value.defaultValue));
    if (loaded_.text(QStringLiteral("Output")).isEmpty())
        values_.first().second.show(newOutput_);
    KindBox->setCurrentIndex(kindOf(loaded_));
    showRowsOfKind();
}

DeviceBox::Kind DeviceBox::kind() const
{
    return Kind(KindBox->currentIndex());
}

void DeviceBox::showRowsOfKind()
{
    for (const auto &[control, value] : values_)
        form_->setRowVisible(control, value.kinds & (1 << kind()));
    for (int i = 0; i < buttons_->count(); ++i)
        if (QWidget *button = buttons_->itemAt(i)->widget())
            button->setEnabled(kind() != None);
}

SettingsStore::Values DeviceBox::valuesToWrite() const
{
    SettingsStore::Values values{{ServiceValue, kind() == Simulated ? SimulatedService : EscPosService}};
    for (const auto &[control, value] : values_)
        if (value.kinds & (1 << kind()))
            values.append({value.name, value.read()});
    return values;
}

DeviceSettings DeviceBox::chosen() const
{
    if (kind() == None)
        return DeviceSettings();
    DeviceSettings settings = loaded_;
    for (const auto &[name, text] : valuesToWrite())
        settings.set(name, text);
    return settings;
}

bool DeviceBox::changed() const
{
    if (kind() != kindOf(loaded_))
        return true;
    if (kind() == None)
        return false;
    for (const auto &[control, value] : values_)
        if ((value.kinds & (1 << kind())) && value.read() != loaded_.text(value.name, value.defaultValue))
            return true;
    return false;
}

void DeviceBox::save(SettingsStore::Changes &changes) const
{
    if (!changed())
        return;
    if (kind() == None)
        changes.remove(OposRoot + QLatin1Char('\\') + deviceClass_);
    else
        changes.write(oposDeviceSection(deviceClass_, name_), valuesToWrite());
}
