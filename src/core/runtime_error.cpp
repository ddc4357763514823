#include "core/runtime_error.h"

#include <string>

RuntimeError::RuntimeError(Code code)
    : std::runtime_error("run-time error " + std::to_string(int(code))), code_(code)
{}

QString RuntimeError::message() const
{
    QString name;
    switch (code_) {
    case Overflow: name = QStringLiteral("溢出"); break;
    case DivisionByZero: name = QStringLiteral("除数为零"); break;
    case TypeMismatch: name = QStringLiteral("类型不匹配"); break;
    case CommandNotFound: name = QStringLiteral("文件未找到"); break;
    }
    return QStringLiteral("运行时错误 '%1'：\r\n%2").arg(int(code_)).arg(name);
}
