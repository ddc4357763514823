#pragma once

#include <QString>

#include <stdexcept>

// A run-time error of the program's logic: a failed conversion, an overflow,
// a division by zero or a command that cannot be started. It carries the
// classic error number so the message box can name it.
class RuntimeError : public std::runtime_error {
public:
    enum Code { Overflow = 6, DivisionByZero = 11, TypeMismatch = 13, CommandNotFound = 53 };

    explicit RuntimeError(Code code);
    Code code() const { return code_; }
    // The text shown to the user, e.g. "运行时错误 '13'：\r\n类型不匹配".
    QString message() const;

private:
    Code code_;
};
