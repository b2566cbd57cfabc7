#pragma once

#include <QString>

class SettingsStore;

// Key paths of the settings file.
inline const QString TillanoSection = QStringLiteral("software\\Tillano");
inline const QString PrintingSection = QStringLiteral("software\\Tillano\\Printing");
inline const QString OposRoot = QStringLiteral("software\\OLEforRetail\\ServiceOPOS");

// The six settings of the program, read once at start-up and kept in
// memory; three of them are written back by the general parameters and
// one by the tips dialog.
struct AppSettings {
    QString data;
    QString language = QStringLiteral("0");
    QString tips = QStringLiteral("Y");
    QString pod = QStringLiteral("N");
    QString paperCut = QStringLiteral("Y");
    QString columns30 = QStringLiteral("N");

    // Reads the six values, in the order Data, Language, Tips, POD,
    // PaperCut, Columns30; a missing value reads as its default.
    static AppSettings load(const SettingsStore &store);

    bool tipsShown() const { return isYes(tips); }
    bool printAtCheckout() const { return pod.toUpper() == QLatin1String("N"); }
    bool printOnDemandTicked() const { return isYes(pod); }
    bool paperCutOn() const { return isYes(paperCut); }
    bool columns30Layout() const { return isYes(columns30); }
    int paperWidth() const { return columns30Layout() ? 30 : 40; }

    static bool isYes(const QString &flag) { return flag.toUpper() == QLatin1String("Y"); }
};

// The OPOS-style device name of a device class ("POSPrinter",
// "CashDrawer", "LineDisplay"): the first key under the class key, or
// empty when there is none.
QString oposDeviceName(const SettingsStore &store, const QString &deviceClass);

// The key path that holds the configuration of one device.
QString oposDeviceSection(const QString &deviceClass, const QString &deviceName);
