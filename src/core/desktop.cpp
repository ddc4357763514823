#include "core/desktop.h"

QString commandNotStartedText(const QString &commandLine)
{
    return QStringLiteral("无法执行命令：%1\r\n系统中找不到这个程序，操作没有完成！").arg(commandLine);
}

QString actionNotSupportedText()
{
    return QStringLiteral("这个系统不支持由本程序关机、重启或注销，操作没有完成！");
}

QString commandFailedText(const QString &commandLine, int exitCode)
{
    return QStringLiteral("命令执行失败：%1（返回值 %2）\r\n操作没有完成，请检查系统权限！")
        .arg(commandLine)
        .arg(exitCode);
}
