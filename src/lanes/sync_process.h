#pragma once

#include <QObject>
#include <QProcess>
#include <QTimer>

// The till's tillano-sync: started with the till's settings file when
// they name a store server, restarted a few seconds after it ends by
// itself, stopped with the till. It also ends when the till is killed:
// the system signals it when its parent dies. It is not restarted when it
// ended for a reason that starting it again cannot mend (wrong settings,
// a database not prepared as a lane): it said why on standard error.
class LaneSyncProcess : public QObject {
    Q_OBJECT
public:
    explicit LaneSyncProcess(QString settingsPath, QObject *parent = nullptr);
    ~LaneSyncProcess() override;

    void start();
    void stop();
    bool running() const { return process_.state() != QProcess::NotRunning; }
    // It ended by itself and will be started again.
    bool restartPending() const { return restart_.isActive(); }

    // tillano-sync beside the till's own binary, else from PATH.
    static QString program();

private:
    QString settingsPath_;
    QProcess process_;
    QTimer restart_;
    bool stopping_ = false;
};
