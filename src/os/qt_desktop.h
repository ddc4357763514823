#pragma once

#include "core/desktop.h"
#include "os/sleep_inhibitor.h"
#include "os/system.h"

#include <QObject>

#include <vector>

class QProcess;

// The real desktop: Qt boxes, QProcess launches, the system clock and precise timers.
class QtDesktop final : public QObject, public Desktop {
public:
    QtDesktop();
    ~QtDesktop() override;

    int showMessage(const QString &text, int style, const QString &title, QObject *owner) override;
    void postMessage(const QString &text, const QString &title) override;
    QString askText(const QString &prompt, const QString &title, QObject *owner) override;
    void runCommand(const QString &commandLine) override;
    QDateTime now() const override;
    std::unique_ptr<TimerBackend> createTimer() override;
    void setSleepInhibited(bool on) override;
    bool sessionEnding() const override { return sessionEnding_; }
    bool restoredWindowsStartIconic() const override { return ::restoredWindowsStartIconic(); }

private:
    std::vector<QProcess *> running_;
    std::unique_ptr<SleepInhibitor> inhibitor_; // made at the first request
    bool sessionEnding_ = false;
};
