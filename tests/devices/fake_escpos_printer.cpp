#include "fake_escpos_printer.h"

#include <QHostAddress>
#include <QMutexLocker>
#include <QTcpServer>
#include <QTcpSocket>

FakeEscPosPrinter::FakeEscPosPrinter()
{
    moveToThread(&thread_);
    thread_.start();
    QMetaObject::invokeMethod(this, &FakeEscPosPrinter::start, Qt::BlockingQueuedConnection);
}

FakeEscPosPrinter::~FakeEscPosPrinter()
{
    QMetaObject::invokeMethod(
        this, [this] { delete server_; }, Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
}

void FakeEscPosPrinter::start()
{
    server_ = new QTcpServer;
    server_->listen(QHostAddress::LocalHost, 0);
    port_ = server_->serverPort();
    connect(server_, &QTcpServer::newConnection, this, &FakeEscPosPrinter::accept);
}

void FakeEscPosPrinter::accept()
{
    while (QTcpSocket *socket = server_->nextPendingConnection()) {
        {
            QMutexLocker lock(&mutex_);
            ++connections_;
        }
        client_ = socket;
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { receive(socket); });
    }
}

void FakeEscPosPrinter::receive(QTcpSocket *socket)
{
    QByteArray data;
    {
        QMutexLocker lock(&mutex_);
        data = pending_ + socket->readAll();
        pending_.clear();
    }
    QByteArray answers;
    for (qsizetype i = 0; i < data.size(); ++i) {
        if (data[i] == '\x10' && (i + 1 >= data.size() || data[i + 1] == '\x04')) {
            if (i + 2 >= data.size()) {
                QMutexLocker lock(&mutex_);
                pending_ = data.mid(i);
                break;
            }
            const int status = statusByte();
            if (status >= 0)
                answers.append(char(status));
            i += 2;
            continue;
        }
        QMutexLocker lock(&mutex_);
        printed_.append(data[i]);
        if (data[i] == 'p' && printed_.size() >= 2 && printed_[printed_.size() - 2] == '\x1b')
            drawerOpenRequests_ = drawerOpenAfterKick_;
    }
    if (!answers.isEmpty())
        socket->write(answers);
}

int FakeEscPosPrinter::statusByte()
{
    QMutexLocker lock(&mutex_);
    ++statusRequests_;
    if (silent_)
        return -1;
    quint8 status = 0x12;
    if (offlineRequests_ > 0) {
        --offlineRequests_;
        status |= 0x08;
    }
    const bool drawerOpen = drawerOpenRequests_ > 0;
    if (drawerOpen)
        --drawerOpenRequests_;
    if (drawerOpen == openPinHigh_)
        status |= 0x04;
    return status;
}

QByteArray FakeEscPosPrinter::printed() const
{
    QMutexLocker lock(&mutex_);
    return printed_;
}

int FakeEscPosPrinter::statusRequests() const
{
    QMutexLocker lock(&mutex_);
    return statusRequests_;
}

int FakeEscPosPrinter::connections() const
{
    QMutexLocker lock(&mutex_);
    return connections_;
}

void FakeEscPosPrinter::setOfflineForRequests(int n)
{
    QMutexLocker lock(&mutex_);
    offlineRequests_ = n;
}

void FakeEscPosPrinter::setSilent(bool silent)
{
    QMutexLocker lock(&mutex_);
    silent_ = silent;
}

void FakeEscPosPrinter::setDrawerOpenForRequests(int n)
{
    QMutexLocker lock(&mutex_);
    drawerOpenAfterKick_ = n;
}

void FakeEscPosPrinter::setOpenDrawerPinHigh(bool high)
{
    QMutexLocker lock(&mutex_);
    openPinHigh_ = high;
}

void FakeEscPosPrinter::dropConnection()
{
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (client_)
                client_->disconnectFromHost();
        },
        Qt::BlockingQueuedConnection);
}
