#include "device_port.h"

#include "devices/device_settings.h"
#include "common/language.h"
#include "devices/opos_controls.h"

#include <QDeadlineTimer>
#include <QHash>
#include <QTcpSocket>
#include <QUrl>
#include <QtDebug>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int DefaultTimeoutMs = 3000;

// A network printer, usually on port 9100. The connection is made again
// when the printer has dropped it (idle timeout, power cycle).
class TcpPort : public DevicePort {
public:
    TcpPort(PortAddress address, int timeoutMs) : address_(std::move(address)), timeoutMs_(timeoutMs) {}

    int connect()
    {
        socket_.abort();
        socket_.connectToHost(address_.host, address_.tcpPort);
        if (!socket_.waitForConnected(timeoutMs_)) {
            error_ = socket_.errorString();
            qWarning().noquote() << "Cannot reach the device at" << address_.host + QLatin1Char(':')
                                        + QString::number(address_.tcpPort) + QStringLiteral(":")
                                 << error_;
            const auto error = socket_.error();
            socket_.abort();
            if (error == QAbstractSocket::HostNotFoundError)
                return Opos::NoHardware;
            return error == QAbstractSocket::SocketTimeoutError ? Opos::Timeout : Opos::Offline;
        }
        socket_.setSocketOption(QAbstractSocket::LowDelayOption, 1);
        ++connections_;
        return Opos::Success;
    }

    int write(const QByteArray &data) override
    {
        const int connected = reconnectIfDropped();
        if (connected != Opos::Success)
            return connected;
        if (socket_.write(data) != data.size()) {
            error_ = socket_.errorString();
            return Opos::Failure;
        }
        const QDeadlineTimer deadline(timeoutMs_);
        while (socket_.bytesToWrite() > 0) {
            if (!socket_.waitForBytesWritten(int(deadline.remainingTime()))) {
                error_ = socket_.errorString();
                return socket_.state() == QAbstractSocket::ConnectedState ? Opos::Timeout : Opos::Offline;
            }
        }
        return Opos::Success;
    }

    QByteArray read(int maxBytes, int timeoutMs) override
    {
        if (socket_.bytesAvailable() == 0)
            socket_.waitForReadyRead(timeoutMs);
        return socket_.read(maxBytes);
    }

    void discardInput() override
    {
        socket_.waitForReadyRead(0);
        socket_.readAll();
    }

    int reconnectIfDropped() override
    {
        // Lets the socket notice a connection the printer has closed.
        if (socket_.state() == QAbstractSocket::ConnectedState && socket_.bytesAvailable() == 0)
            socket_.waitForReadyRead(0);
        return socket_.state() == QAbstractSocket::ConnectedState ? Opos::Success : connect();
    }

private:
    PortAddress address_;
    int timeoutMs_;
    QTcpSocket socket_;
};

speed_t baudConstant(int baud)
{
    switch (baud) {
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    default: return B9600;
    }
}

int resultOfErrno(int error)
{
    switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return Opos::NoHardware;
    case EBUSY:
    case EWOULDBLOCK:
        return Opos::Claimed;
    case EIO:
        return Opos::Offline;
    default:
        return Opos::Failure;
    }
}

// A printer or display on a device file: USB printer class, serial port
// or USB serial adapter. Opened non-blocking and locked, so a second
// program (or a second copy of this one) cannot interleave its output.
class DeviceFilePort : public DevicePort {
public:
    DeviceFilePort(QString path, int timeoutMs) : path_(std::move(path)), timeoutMs_(timeoutMs) {}
    ~DeviceFilePort() override
    {
        if (fd_ >= 0)
            ::close(fd_);
    }

    int open(int baud, const QString &flowControl)
    {
        const QByteArray path = path_.toLocal8Bit();
        fd_ = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd_ < 0 && (errno == EACCES || errno == EROFS)) {
            fd_ = ::open(path.constData(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
            readable_ = false;
        }
        if (fd_ < 0)
            return failure("open");
        if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
            const int result = failure("lock");
            error_ = chooseText(QStringLiteral("another program is using it"),
                                QStringLiteral("un autre programme l'utilise"));
            return result;
        }
        if (::isatty(fd_) && !configureSerial(baud, flowControl))
            return failure("configure");
        ++connections_;
        return Opos::Success;
    }

    int write(const QByteArray &data) override
    {
        const QDeadlineTimer deadline(timeoutMs_);
        qsizetype done = 0;
        while (done < data.size()) {
            const ssize_t n = ::write(fd_, data.constData() + done, size_t(data.size() - done));
            if (n > 0) {
                done += n;
                continue;
            }
            if (n < 0 && errno != EAGAIN && errno != EINTR) {
                error_ = QString::fromLocal8Bit(std::strerror(errno));
                return resultOfErrno(errno);
            }
            if (!waitFor(POLLOUT, deadline))
                return Opos::Timeout;
        }
        return Opos::Success;
    }

    bool canRead() const override { return readable_; }

    QByteArray read(int maxBytes, int timeoutMs) override
    {
        QByteArray bytes(maxBytes, Qt::Uninitialized);
        const QDeadlineTimer deadline(timeoutMs);
        do {
            const ssize_t n = ::read(fd_, bytes.data(), size_t(maxBytes));
            if (n > 0)
                return bytes.left(n);
            if (n == 0 || (errno != EAGAIN && errno != EINTR))
                return QByteArray();
        } while (waitFor(POLLIN, deadline));
        return QByteArray();
    }

    void discardInput() override
    {
        if (::isatty(fd_))
            ::tcflush(fd_, TCIFLUSH);
        else
            while (!read(256, 0).isEmpty()) {
            }
    }

private:
    bool waitFor(short events, const QDeadlineTimer &deadline)
    {
        pollfd p{fd_, events, 0};
        const int ms = int(deadline.remainingTime());
        return ms > 0 && ::poll(&p, 1, ms) > 0 && (p.revents & events);
    }

    bool configureSerial(int baud, const QString &flowControl)
    {
        ::ioctl(fd_, TIOCEXCL);
        termios tio{};
        if (::tcgetattr(fd_, &tio) != 0)
            return false;
        ::cfmakeraw(&tio);
        ::cfsetispeed(&tio, baudConstant(baud));
        ::cfsetospeed(&tio, baudConstant(baud));
        tio.c_cflag |= CLOCAL | CREAD;
        tio.c_cflag &= ~CRTSCTS;
        tio.c_iflag &= ~(IXON | IXOFF);
        if (flowControl == QLatin1String("rtscts"))
            tio.c_cflag |= CRTSCTS;
        else if (flowControl == QLatin1String("xonxoff"))
            tio.c_iflag |= IXON | IXOFF;
        return ::tcsetattr(fd_, TCSANOW, &tio) == 0;
    }

    int failure(const char *step)
    {
        const int error = errno;
        error_ = QString::fromLocal8Bit(std::strerror(error));
        qWarning().noquote() << QStringLiteral("Cannot %1 the device %2: %3").arg(QLatin1String(step), path_, error_);
        return resultOfErrno(error);
    }

    QString path_;
    int timeoutMs_;
    int fd_ = -1;
    bool readable_ = true;
};

}

PortAddress PortAddress::parse(const QString &value)
{
    PortAddress address;
    const QString text = value.trimmed();
    if (text.startsWith(QLatin1String("tcp://"), Qt::CaseInsensitive)) {
        const QUrl url(text);
        if (url.isValid() && !url.host().isEmpty() && url.port() > 0) {
            address.host = url.host();
            address.tcpPort = quint16(url.port());
        }
    } else {
        address.path = text;
    }
    return address;
}

std::shared_ptr<DevicePort> DevicePort::shared(const DeviceSettings &settings, int &result, QString *why)
{
    // Ports in use, by their setting: the cash drawer is kicked through the
    // connection of the printer it hangs on.
    static QHash<QString, std::weak_ptr<DevicePort>> inUse;

    const QString portValue = settings.text(QStringLiteral("Port"));
    if (auto port = inUse.value(portValue).lock()) {
        result = Opos::Success;
        return port;
    }
    const PortAddress address = PortAddress::parse(portValue);
    const int timeoutMs = settings.number(QStringLiteral("Timeout"), DefaultTimeoutMs);
    if (!address.isValid()) {
        qWarning().noquote() << "Unusable device port setting:" << portValue;
        result = Opos::NoHardware;
        return nullptr;
    }
    std::shared_ptr<DevicePort> port;
    if (address.isTcp()) {
        auto tcp = std::make_shared<TcpPort>(address, timeoutMs);
        result = tcp->connect();
        port = tcp;
    } else {
        auto file = std::make_shared<DeviceFilePort>(address.path, timeoutMs);
        result = file->open(settings.number(QStringLiteral("Baud"), 9600),
                            settings.text(QStringLiteral("FlowControl"), QStringLiteral("none")).toLower());
        port = file;
    }
    if (result != Opos::Success) {
        if (why)
            *why = port->errorText();
        return nullptr;
    }
    inUse.insert(portValue, port);
    return port;
}
