#pragma once

// The control layer: thin adapters that give Qt widgets the behaviour the window
// logic is written against. A program assignment that changes a caption, text or
// value runs the control's handler nested, before the assignment returns; an
// assignment that changes nothing runs nothing. Positions are in twips. Every control
// carries the name the window gives it ("Command5") as its object name.

#include "widgets/event_context.h"
#include "widgets/look.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <exception>

// Helper for controls whose change is reported by a Qt signal: a change the user makes is an
// event of its own window; while the program assigns, a handler's error is carried out to the
// assigning code.
class EventSource {
protected:
    explicit EventSource(QWidget *control) : control_(control) {}
    void raiseEvent(const Handler &handler);
    void assign(const std::function<void()> &change);

private:
    QWidget *control_;
    std::exception_ptr *carried_ = nullptr;
};

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

class TextBox final : public QLineEdit, private EventSource {
public:
    TextBox(QWidget *parent, const char *name, const QString &text, int left, int top, int width, int height);

    // Runs onChange when the text changes; the box then shows the text from its beginning.
    void setText(const QString &text);
    void setPasswordChar(QChar c);
    quint32 foreColor() const { return foreColor_; }
    void setForeColor(quint32 bgr);

    Handler onChange;
    Handler onClick;

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    quint32 foreColor_ = 0;
};

class CommandButton final : public QPushButton {
public:
    CommandButton(QWidget *parent, const char *name, const QString &caption, int left, int top, int width,
                  int height);

    QString caption() const { return text(); }
    void setCaption(const QString &caption) { setText(caption); }

    Handler onClick;
    Handler onMouseDown; // any mouse button

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};

class CheckBox final : public QCheckBox, private EventSource {
public:
    CheckBox(QWidget *parent, const char *name, const QString &caption, int left, int top, int width,
             int height);

    int value() const { return isChecked() ? 1 : 0; }
    void setValue(int value); // runs onClick when the value changes

    Handler onClick;

protected:
    bool hitButton(const QPoint &pos) const override { return rect().contains(pos); } // the whole control
};

// An editable combo box. Click: the user picked an entry (ListIndex >= 0).
// Change: the text was typed or set by the program (ListIndex -1).
class ComboBox final : public QComboBox, private EventSource {
public:
    ComboBox(QWidget *parent, const char *name, int left, int top, int width, int height);

    void addItem(const QString &item); // the text in the box stays as it is
    int listIndex() const { return listIndex_; }
    QString text() const { return currentText(); }
    void setText(const QString &text); // runs onChange when the text changes

    Handler onClick;
    Handler onChange;

private:
    int listIndex_ = -1;
    bool finishingEdit_ = false;
};

// A panel: hides its children with it. Without a border it is a plain opaque area.
// Hidden with the focus in it, it leaves the focus with its window.
class Frame final : public QGroupBox {
public:
    enum Border { NoBorder, WithBorder };
    Frame(QWidget *parent, const char *name, const QString &caption, Border border, int left, int top,
          int width, int height);

    QString caption() const { return title(); }
    void setCaption(const QString &caption) { setTitle(caption); }

    Handler onDblClick; // a double-click on the frame itself, not on a control in it

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    Border border_;
};

class Line final : public QWidget {
public:
    Line(QWidget *parent, const char *name, int x1, int y1, int x2, int y2, quint32 bgr);

    int x2() const { return x2_; }
    void setX2(int twips);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void fit();
    int x1_, y1_, x2_, y2_;
    QColor color_;
};
