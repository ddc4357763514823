#include "os/qt_desktop.h"

#include "core/aligned_tick.h"
#include "core/convert.h"
#include "core/runtime_error.h"
#include "os/system.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSessionManager>
#include <QSet>
#include <QShortcut>
#include <QStandardPaths>
#include <QTimer>
#include <QWindow>

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
            due_ = nextRhythmDue(due_, now, interval_);
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

// What a box's buttons take only once the box could be read: for the system's double-click
// interval after the box appears, a click on it, or a key that answers it (Enter, Esc, Space),
// is dropped: the second click of the double-click whose first one opened the box, a key
// pressed by reflex. The release of a click the box did not take, and the repeats of a key held
// down since before, are dropped too.
class HeldInput final : public QObject {
public:
    explicit HeldInput(QWidget &box) : box_(box) { qApp->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!watched->isWidgetType() ||
            !(watched == &box_ || box_.isAncestorOf(static_cast<QWidget *>(watched))))
            return false;
        const QEvent::Type type = event->type();
        if (type == QEvent::Show && watched == &box_ && !shown_.isValid()) {
            shown_.start();
            interval_ = QApplication::doubleClickInterval();
        }
        const bool early = !shown_.isValid() || shown_.elapsed() < interval_;
        if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
            if (!early)
                buttons_ |= static_cast<QMouseEvent *>(event)->button();
            return early;
        }
        if (type == QEvent::MouseButtonRelease) {
            const Qt::MouseButton button = static_cast<QMouseEvent *>(event)->button();
            const bool begun = buttons_ & button;
            buttons_ &= ~button;
            return !begun;
        }
        if (type != QEvent::KeyPress && type != QEvent::KeyRelease)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        const int k = key->key();
        if (!answers(k))
            return false;
        if (type == QEvent::KeyRelease) {
            if (!key->isAutoRepeat())
                held_.remove(k);
            return early;
        }
        // A key held down since before the box appeared repeats while the box cannot be read
        // yet: its repeats are dropped until it is let go. (Wine may call the first press after a
        // release a repeat: alone, after the interval, it is taken.)
        if (key->isAutoRepeat() && (early || held_.contains(k))) {
            held_.insert(k);
            return true;
        }
        return early;
    }

private:
    static bool answers(int key)
    {
        return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape || key == Qt::Key_Space;
    }
    QWidget &box_;
    QElapsedTimer shown_;
    int interval_ = 0;
    Qt::MouseButtons buttons_;
    QSet<int> held_; // keys held down since before the box could be read
};

// Keeps a box answering Enter and Esc while a window it blocks has the keyboard. On Wayland a
// click on that window gives it the keyboard, and Qt drops every key sent to a window under a
// box: the program would look frozen. The box asks for the keyboard back (a compositor that
// lets a program activate its windows gives it), and until it has it, Enter and Esc, caught
// as shortcuts of the whole program (the only thing Qt still hears then), are handed to it.
class KeyKeeper final : public QObject {
public:
    explicit KeyKeeper(QDialog &box) : QObject(&box), box_(box)
    {
        for (const int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            auto *shortcut = new QShortcut(QKeySequence(key), &box);
            shortcut->setContext(Qt::ApplicationShortcut);
            shortcut->setAutoRepeat(false);
            shortcut->setEnabled(false);
            connect(shortcut, &QShortcut::activated, this, [this, key] { forward(key); });
            shortcuts_.push_back(shortcut);
        }
        connect(qApp, &QGuiApplication::focusWindowChanged, this, &KeyKeeper::focusMoved);
    }

private:
    void focusMoved(QWindow *focus)
    {
        const bool blocked = focus && box_.isVisible() && QApplication::activeModalWidget() == &box_ &&
                             focus != box_.windowHandle() && focus->modality() == Qt::NonModal;
        for (QShortcut *shortcut : shortcuts_)
            shortcut->setEnabled(blocked);
        if (blocked) {
            box_.raise();
            box_.activateWindow();
        }
    }
    void forward(int key)
    {
        for (QShortcut *shortcut : shortcuts_)
            shortcut->setEnabled(false); // the key sent below would come back here
        QWidget *to = box_.focusWidget() ? box_.focusWidget() : &box_;
        const QString text = key == Qt::Key_Escape ? QString(QChar(0x1b)) : QStringLiteral("\r");
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(to, &press);
        if (box_.isVisible()) {
            QCoreApplication::sendEvent(to, &release);
            focusMoved(QGuiApplication::focusWindow());
        }
    }
    QDialog &box_;
    std::vector<QShortcut *> shortcuts_;
};

// The window a box belongs to: the owner's, while it is shown.
QWidget *ownerWindow(QObject *owner)
{
    auto *widget = qobject_cast<QWidget *>(owner);
    return widget && widget->window()->isVisible() ? widget->window() : nullptr;
}

// Opens a box and waits for its answer. A box without an owner is a warning: it stays above
// every window, and where the system keeps it from the front it asks for attention (the task
// bar flashes on Windows; on X11 the window is marked urgent).
int runBox(QDialog &box)
{
    const bool warning = !box.parentWidget();
    // A box's size is fixed: a title bar with its close button, nothing to maximise.
    box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                       Qt::WindowCloseButtonHint | (warning ? Qt::WindowStaysOnTopHint : Qt::Widget));
    QTimer attention; // once the box shows
    attention.setSingleShot(true);
    QObject::connect(&attention, &QTimer::timeout, &box, [&box] {
        QApplication::alert(&box);
        QGuiApplication::sync(); // the request goes out now, not with the next event
    });
    if (warning)
        attention.start(0);
    HeldInput held(box);
    new KeyKeeper(box);
    return box.exec();
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
    // Called off, it leaves everything as it was: the close box minimises again.
    watchSessionEndCancelled(*this, [this] { sessionEnding_ = false; });
}

QtDesktop::~QtDesktop()
{
    // A launched tool must outlive the program (it may be switching the computer off):
    // let go of its QProcess instead of killing it.
    for (QProcess *p : running_)
        p->setParent(nullptr);
}

int QtDesktop::showMessage(const QString &text, int style, const QString &title, QObject *owner)
{
    QMessageBox box(ownerWindow(owner));
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
    runBox(box);
    const bool tookFirst = box.clickedButton() == first;
    if (buttons == MsgStyle::OkCancel)
        return tookFirst ? MsgResult::Ok : MsgResult::Cancel;
    if (buttons == MsgStyle::YesNo)
        return tookFirst ? MsgResult::Yes : MsgResult::No;
    return MsgResult::Ok;
}

void QtDesktop::postMessage(const QString &text, const QString &title)
{
    QTimer::singleShot(0, this, [this, text, title] { showMessage(text, MsgStyle::Ok, title, nullptr); });
}

QString QtDesktop::askText(const QString &prompt, const QString &title, QObject *owner)
{
    QInputDialog dialog(ownerWindow(owner));
    dialog.setWindowTitle(title);
    dialog.setLabelText(boxText(prompt, dialog.font()));
    if (auto *label = dialog.findChild<QLabel *>())
        label->setTextFormat(Qt::PlainText);
    dialog.setTextValue(QString());
    dialog.setOkButtonText(QStringLiteral("确定"));
    dialog.setCancelButtonText(QStringLiteral("取消"));
    return runBox(dialog) == QDialog::Accepted ? dialog.textValue() : QString();
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
