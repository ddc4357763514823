#pragma once

#include <QColor>
#include <QWidget>

// A straight line from (x1, y1) to (x2, y2), in twips, in one colour; clicks go through it.
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
