#include "widgets/covering_panel.h"

#include <QApplication>
#include <QFocusEvent>
#include <QWidget>

#include <algorithm>

CoveringPanels::CoveringPanels(QWidget *window, QWidget *client)
    : QObject(window), window_(window), client_(client)
{}

void CoveringPanels::add(QWidget *panel)
{
    panels_.push_back(panel);
    // Focus and shortcuts go straight to the control they are meant for; only the
    // application sees them all first, so that is where the covered ones are held back.
    if (panels_.size() == 1)
        qApp->installEventFilter(this);
}

QWidget *CoveringPanels::top() const
{
    for (auto it = panels_.rbegin(); it != panels_.rend(); ++it)
        if ((*it)->isVisibleTo(window_))
            return *it;
    return nullptr;
}

bool CoveringPanels::reachable(const QWidget *control) const
{
    QWidget *panel = top();
    if (!panel || !client_->isAncestorOf(control))
        return true;
    return control == panel || panel->isAncestorOf(control) || control->isAncestorOf(panel);
}

bool CoveringPanels::moveFocus(bool forward)
{
    QWidget *panel = top();
    if (!panel)
        return false;
    focusPanel(panel, forward);
    return true; // the focus never leaves the panel
}

// Moves the focus, in tab order, to the panel's next (or previous) control after the one
// that has it; from a control outside the panel, to the panel's first (or last) one; to
// the panel itself when none of its controls takes the focus.
void CoveringPanels::focusPanel(QWidget *panel, bool forward)
{
    QWidget *from = window_->focusWidget();
    if (!from || !reachable(from))
        from = panel;
    QWidget *w = from;
    do {
        w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
        if (panel->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(window_) &&
            w->isEnabled()) {
            w->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    } while (w != from);
    if (!reachable(window_->focusWidget()))
        panel->setFocus(Qt::OtherFocusReason);
}

// Keys follow the focus, which never stays under a panel; shortcuts (mnemonics) go
// straight to their control, so those are dropped here.
bool CoveringPanels::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    const auto panel = std::find(panels_.begin(), panels_.end(), watched);
    if (panel != panels_.end() && type == QEvent::ShowToParent) {
        // Shown over the control that has the focus: the focus moves onto the panel, and
        // back to that control when the panel hides.
        if (window_->focusWidget() && !reachable(window_->focusWidget())) {
            focusBeforeCover_ = window_->focusWidget();
            focusPanel(*panel, true);
        }
        return false;
    }
    if (panel != panels_.end() && type == QEvent::HideToParent) {
        if (focusBeforeCover_ && focusBeforeCover_->isVisibleTo(window_) && focusBeforeCover_->isEnabled())
            focusBeforeCover_->setFocus(Qt::OtherFocusReason);
        focusBeforeCover_ = nullptr;
        return false;
    }
    if ((type != QEvent::FocusIn && type != QEvent::Shortcut) || !watched->isWidgetType() ||
        reachable(static_cast<QWidget *>(watched)))
        return false;
    if (type == QEvent::FocusIn)
        focusPanel(top(), static_cast<QFocusEvent *>(event)->reason() != Qt::BacktabFocusReason);
    return true; // dropped
}
