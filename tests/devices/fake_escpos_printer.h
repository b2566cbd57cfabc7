#pragma once

#include <QByteArray>
#include <QMutex>
#include <QObject>
#include <QThread>

class QTcpServer;
class QTcpSocket;

// A network receipt printer on loopback, in a thread of its own so the
// blocking calls of the code under test can talk to it. It records the
// bytes it would print and answers the real-time status request
// "DLE EOT n" with a status byte, like a printer does: off line when told
// to be, and with its drawer sensor showing the drawer open for a number
// of requests after each drawer kick (ESC p).
class FakeEscPosPrinter : public QObject {
    Q_OBJECT
public:
    FakeEscPosPrinter();
    ~FakeEscPosPrinter() override;

    quint16 port() const { return port_; }
    QString portSetting() const { return QStringLiteral("tcp://127.0.0.1:%1").arg(port_); }

    // Everything received except the status requests.
    QByteArray printed() const;
    int statusRequests() const;
    int connections() const;

    // The next n status requests report the printer off line.
    void setOfflineForRequests(int n);
    // Status requests are not answered at all (a printer that hangs).
    void setSilent(bool silent);
    // After a drawer kick, this many status requests report it open.
    void setDrawerOpenForRequests(int n);
    // The sensor level of an open drawer: high (default) or low.
    void setOpenDrawerPinHigh(bool high);
    // Closes the client connection, as a printer's idle timeout does.
    void dropConnection();

private:
    void start();
    void accept();
    void receive(QTcpSocket *socket);
    // The status byte to answer, or -1 when silent.
    int statusByte();

    QThread thread_;
    QTcpServer *server_ = nullptr;
    QTcpSocket *client_ = nullptr;
    quint16 port_ = 0;

    mutable QMutex mutex_;
    QByteArray printed_;
    QByteArray pending_; // a status request split over two reads
    int statusRequests_ = 0;
    int connections_ = 0;
    int offlineRequests_ = 0;
    bool silent_ = false;
    int drawerOpenAfterKick_ = 0;
    int drawerOpenRequests_ = 0;
    bool openPinHigh_ = true;
};
