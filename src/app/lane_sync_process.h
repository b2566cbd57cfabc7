#pragma once

#include <QObject>
#include <QProcess>
#include <QTimer>

// The till's tillano-sync: started with the till's settings file when
// they name a store server, restarted a few seconds after it ends by
// itself, stopped with the till. It also ends when the till is killed:
// the system signals it when its parent dies.
class LaneSyncProcess : public QObject {
    Q_OBJECT
public:
    explicit LaneSyncProcess(QString settingsPath, QObject *parent = nullptr);
    ~LaneSyncProcess() override;

    void start();
    void stop();
    bool running() const { return process_.state() != QProcess::NotRunning; }

    // tillano-sync beside the till's own binary, else from PATH.
    static QString program();

private:
    QString settingsPath_;
    QProcess process_;
    QTimer restart_;
    bool stopping_ = false;
};
