#pragma once

#include "widgets/event_context.h"

#include <QLabel>
#include <QStringList>

// A caption on a window: setCaption runs onChange when the caption changes. Click and
// double-click are its own events, run in its window's event context.
class Label final : public QLabel {
public:
    // A negative width makes the label size itself to its caption.
    Label(QWidget *parent, const char *name, const QString &caption, int left, int top, int width = -1,
          int height = -1);

    QString caption() const { return caption_; }
    void setCaption(const QString &caption);
    int left() const { return left_; }
    void setLeft(int twips);
    quint32 foreColor() const { return foreColor_; }
    void setForeColor(quint32 bgr);
    double fontSize() const { return font().pointSizeF(); }
    void setFontSize(double pointSize);
    void setBold(bool bold);
    void setFace(const QStringList &families, double pointSize);
    // Lowers the font size, a quarter point at a time, until each sample fits in the width.
    void shrinkToFit(const QStringList &samples, int widthTwips);
    // Keeps this label clear of `before` on its line: it is drawn at its Left or, when
    // `before` has grown into it, `gapTwips` after `before`'s right edge; its containers
    // widen to hold it. Left itself keeps the value the program gave it.
    void keepClearOf(Label *before, int gapTwips);

    Handler onChange;
    Handler onClick;
    Handler onDblClick;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void fit();
    void place();
    bool takesSameRoom(const QString &caption);
    QString caption_;
    int left_;
    bool autoSize_;
    Label *before_ = nullptr;
    Label *follower_ = nullptr;
    int gapTwips_ = 0;
    bool afterDoubleClick_ = false;
    quint32 foreColor_ = 0;
    QString digitsMeasuredFor_; // the key of the font whose digits were last measured
    bool digitsAlike_ = false;
};
