#pragma once

#include <QString>

#include <functional>
#include <memory>

class Desktop;
class Form1;
class Form2;
class Form4;

// The countdown figure at which the reminder opens: empty, a number (a preset or the
// result of the reminder's own counting) or the text the user typed. It is compared
// with the shown count as text.
class RemindAt {
public:
    bool isEmpty() const { return kind_ == Empty; }
    bool isNumber() const { return kind_ == Number; }
    double number() const { return number_; }
    void setNumber(double number);
    void setText(const QString &text);
    QString text() const; // a number as its decimal text
    // Lowers it by one; a text becomes its number less one. A text that is not a
    // number is left as it is and false is returned.
    bool decrement();

private:
    enum Kind { Empty, Number, Text } kind_ = Empty;
    double number_ = 0;
    QString text_;
};

// The windows of the program: each is created on first reference (running its
// Form_Load). The program ends only through end().
class Forms {
public:
    Forms(Desktop &desktop, std::function<void()> quit);
    ~Forms();

    Desktop &desktop() const { return desktop_; }
    void start(); // Form1 loaded and shown

    Form1 &form1();
    Form2 &form2();
    Form4 &form4();
    bool hasForm4() const { return bool(form4_); }
    void unloadForm4(); // destroyed; the next reference creates it afresh

    // Ends the program at once: no handler runs afterwards.
    void end();
    bool ended() const { return ended_; }

    RemindAt remindAt;

private:
    Desktop &desktop_;
    std::function<void()> quit_;
    std::unique_ptr<Form1> form1_;
    std::unique_ptr<Form2> form2_;
    std::unique_ptr<Form4> form4_;
    bool ended_ = false;
};
