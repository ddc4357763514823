#include "os/qt_desktop.h"

#include "core/aligned_tick.h"
#include "core/convert.h"
#include "core/runtime_error.h"
#include "os/system.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSessionManager>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>

namespace {

// A single-shot precise QTimer re-armed at every tick for the next due time, so ticks
// keep their rhythm (no drift from handler time) and a tick blocked in a modal box
// does not hold up the next one. An aligned timer takes each due time from the wall
// clock instead, so it stays just after the second boundaries whatever the jitter.
class QtTimerBackend final : public TimerBackend {
public:
    QtTimerBackend()
    {
        timer_.setSingleShot(true);
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] { fire(); });
        clock_.start();
    }
    void start(int intervalMs) override
    {
        alignAfter_ = -1;
        interval_ = std::max(0, intervalMs);
        due_ = clock_.elapsed() + interval_;
        timer_.start(interval_);
    }
    void startAligned(int intervalMs, int afterMs) override
    {
        alignAfter_ = afterMs;
        interval_ = std::max(1, intervalMs);
        timer_.start(msToAlignedTick(QTime::currentTime(), interval_, alignAfter_));
    }
    void stop() override { timer_.stop(); }

private:
    void fire()
    {
        if (alignAfter_ >= 0) {
            timer_.start(msToAlignedTick(QTime::currentTime(), interval_, alignAfter_));
        } else {
            const qint64 now = clock_.elapsed();
            due_ += interval_;
            if (due_ < now) // fell behind by a whole interval: start the rhythm afresh
                due_ = now + interval_;
            timer_.start(int(due_ - now));
        }
        if (onFire)
            onFire();
    }

    QTimer timer_;
    QElapsedTimer clock_;
    int interval_ = 0;
    qint64 due_ = 0;
    int alignAfter_ = -1; // not aligned
};

// The text of a box, wrapped to stay on screen. A box wraps a long line at its blanks (and
// between Chinese characters), but not inside a long unbroken run such as a password of 400
// letters, which would make the box wider than the screen or be cut off: such a run is broken
// into lines no wider than a box wraps to (half the screen, at most 500 pixels).
QString boxText(const QString &text, const QFont &font)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const int width = std::min(500, screen ? screen->availableGeometry().width() / 2 : 500);
    const QFontMetrics metrics(font);
    QString out;
    int run = 0; // the width of the unbroken run so far
    for (const QChar c : displayText(text)) {
        const bool breaks = c.isSpace() || c.script() == QChar::Script_Han;
        const int advance = metrics.horizontalAdvance(c);
        if (breaks) {
            run = 0;
        } else {
            if (run + advance > width && !c.isLowSurrogate()) {
                out += u'\n';
                run = 0;
            }
            run += advance;
        }
        out += c;
    }
    return out;
}

} // namespace

QtDesktop::QtDesktop()
{
    // When the desktop session ends, the windows must not veto it.
    if (auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        QObject::connect(
            app, &QGuiApplication::commitDataRequest, this,
            [this](QSessionManager &) { sessionEnding_ = true; }, Qt::DirectConnection);
    }
}

QtDesktop::~QtDesktop()
{
    // A launched tool must outlive the program (it may be switching the computer off):
    // let go of its QProcess instead of killing it.
    for (QProcess *p : running_)
        p->setParent(nullptr);
}

int QtDesktop::showMessage(const QString &text, int style, const QString &title)
{
    QMessageBox box;
    box.setWindowTitle(title);
    box.setTextFormat(Qt::PlainText); // a password "a<b>c" is shown as typed, not as markup
    box.setText(boxText(text, box.font()));
    const int buttons = style & MsgStyle::ButtonsMask;
    const int icon = style & MsgStyle::IconMask;
    box.setIcon(icon == MsgStyle::Critical      ? QMessageBox::Critical
                : icon == MsgStyle::Question    ? QMessageBox::Question
                : icon == MsgStyle::Exclamation ? QMessageBox::Warning
                : icon == MsgStyle::Information ? QMessageBox::Information
                                                : QMessageBox::NoIcon);
    QPushButton *first = nullptr;
    QPushButton *second = nullptr;
    if (buttons == MsgStyle::OkCancel) {
        first = box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
        second = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
    } else if (buttons == MsgStyle::YesNo) {
        first = box.addButton(QStringLiteral("是"), QMessageBox::YesRole);
        second = box.addButton(QStringLiteral("否"), QMessageBox::NoRole);
    } else {
        first = box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
    }
    box.setDefaultButton(first);
    box.setEscapeButton(second ? second : first);
    box.exec();
    const bool tookFirst = box.clickedButton() == first;
    if (buttons == MsgStyle::OkCancel)
        return tookFirst ? MsgResult::Ok : MsgResult::Cancel;
    if (buttons == MsgStyle::YesNo)
        return tookFirst ? MsgResult::Yes : MsgResult::No;
    return MsgResult::Ok;
}

void QtDesktop::postMessage(const QString &text, const QString &title)
{
    QTimer::singleShot(0, this, [this, text, title] { showMessage(text, MsgStyle::Ok, title); });
}

QString QtDesktop::askText(const QString &prompt, const QString &title)
{
    QInputDialog dialog;
    dialog.setWindowTitle(title);
    dialog.setLabelText(boxText(prompt, dialog.font()));
    if (auto *label = dialog.findChild<QLabel *>())
        label->setTextFormat(Qt::PlainText);
    dialog.setTextValue(QString());
    dialog.setOkButtonText(QStringLiteral("确定"));
    dialog.setCancelButtonText(QStringLiteral("取消"));
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

void QtDesktop::runCommand(const QString &commandLine)
{
    QStringList args = QProcess::splitCommand(commandLine);
    const QString program = args.isEmpty() ? QString() : QStandardPaths::findExecutable(args.takeFirst());
    if (program.isEmpty())
        throw RuntimeError(RuntimeError::CommandNotFound);

    auto *process = new QProcess(this);
    hideProcessWindow(*process);
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    auto done = [this, process] {
        running_.erase(std::remove(running_.begin(), running_.end(), process), running_.end());
        process->deleteLater();
    };
    connect(process, &QProcess::finished, this,
            [this, commandLine, done](int exitCode, QProcess::ExitStatus status) {
                if (status != QProcess::NormalExit || exitCode != 0)
                    postMessage(
                        commandFailedText(commandLine, status == QProcess::NormalExit ? exitCode : -1),
                        QStringLiteral("提示"));
                done();
            });
    connect(process, &QProcess::errorOccurred, this, [this, commandLine, done](QProcess::ProcessError e) {
        if (e != QProcess::FailedToStart)
            return;
        postMessage(commandNotStartedText(commandLine), QStringLiteral("提示"));
        done();
    });
    running_.push_back(process);
    process->start(program, args);
}

QDateTime QtDesktop::now() const
{
    return QDateTime::currentDateTime();
}

std::unique_ptr<TimerBackend> QtDesktop::createTimer()
{
    return std::make_unique<QtTimerBackend>();
}

void QtDesktop::setSleepInhibited(bool on)
{
    if (!inhibitor_ && !on)
        return;
    if (!inhibitor_)
        inhibitor_ = createSystemSleepInhibitor();
    inhibitor_->setInhibited(on);
}
