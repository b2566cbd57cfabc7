#include "sync_process.h"

#include "sync_exit.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

namespace {
constexpr int RestartAfterMs = 5000;
}

LaneSyncProcess::LaneSyncProcess(QString settingsPath, QObject *parent)
    : QObject(parent), settingsPath_(QFileInfo(settingsPath).absoluteFilePath())
{
    process_.setProgram(program());
    process_.setArguments({QStringLiteral("--settings"), settingsPath_});
    // Its reasons for failing go where the till's own go.
    process_.setProcessChannelMode(QProcess::ForwardedChannels);
    const pid_t till = getpid();
    process_.setChildProcessModifier([till] {
        // Ended with the till, even when the till is killed.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != till)
            _exit(0);
    });
    restart_.setSingleShot(true);
    restart_.setInterval(RestartAfterMs);
    connect(&restart_, &QTimer::timeout, this, &LaneSyncProcess::start);
    connect(&process_, &QProcess::finished, this, [this](int exitCode, QProcess::ExitStatus status) {
        if (!stopping_ && !(status == QProcess::NormalExit && syncEndedForGood(exitCode)))
            restart_.start();
    });
    connect(&process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart && !stopping_)
            restart_.start();
    });
}

LaneSyncProcess::~LaneSyncProcess()
{
    stop();
}

QString LaneSyncProcess::program()
{
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("tillano-sync"));
    return QFileInfo(beside).isExecutable() ? beside : QStringLiteral("tillano-sync");
}

void LaneSyncProcess::start()
{
    stopping_ = false;
    if (!running())
        process_.start();
}

void LaneSyncProcess::stop()
{
    stopping_ = true;
    restart_.stop();
    if (!running())
        return;
    process_.terminate();
    if (!process_.waitForFinished(3000)) {
        process_.kill();
        process_.waitForFinished(1000);
    }
}
