#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

class DeviceSettings;

// The connection to a real device: a device file (/dev/usb/lp0,
// /dev/ttyUSB0) or a network printer ("tcp://host:9100"). Every call is
// bounded by a timeout, so an unreachable or stalled device gives an OPOS
// result code instead of a hang.
class DevicePort {
public:
    virtual ~DevicePort() = default;

    // The port of a "Port" value, opened (Success) or not (the code says
    // why). A device that shares its printer's port (the cash drawer)
    // names the same "Port" and gets the same open connection.
    // Values used: Port, Timeout (ms, default 3000), and for serial
    // devices Baud (default 9600) and FlowControl (none, rtscts, xonxoff).
    // On failure `why` gets the system's words.
    static std::shared_ptr<DevicePort> shared(const DeviceSettings &settings, int &result, QString *why = nullptr);

    // Connects again when the device has dropped the connection; Success
    // when the port is usable.
    virtual int reconnectIfDropped() { return 0; }
    virtual int write(const QByteArray &data) = 0;
    // Reads what arrives within the timeout (at most maxBytes); empty when
    // nothing came.
    virtual QByteArray read(int maxBytes, int timeoutMs) = 0;
    // False for a one-way link (a device file that could be opened for
    // writing only): no status can be asked.
    virtual bool canRead() const { return true; }
    // Forgets bytes already received (stale answers).
    virtual void discardInput() = 0;
    // Counts the connections made; a new count means the device may have
    // been reset and needs its set-up again.
    int connectionCount() const { return connections_; }
    // The system's words for the last failure ("Permission denied",
    // "Connection refused").
    const QString &errorText() const { return error_; }

protected:
    int connections_ = 0;
    QString error_;
};

// The port setting of a device, taken apart: either a TCP host and port or
// a device path. An empty result means the value is not usable.
struct PortAddress {
    QString host;
    quint16 tcpPort = 0;
    QString path;
    bool isTcp() const { return !host.isEmpty(); }
    bool isValid() const { return isTcp() || !path.isEmpty(); }
    static PortAddress parse(const QString &value);
};
