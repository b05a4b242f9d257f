// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The main window's message catalogue: every text its calculation, its three-funds command and
// its help menu show, written exactly as the users know them. The exclamation marks differ on
// purpose (ASCII "!" in some, full-width "！" in others). The settings commands and the About
// box keep catalogues of their own.
namespace tallyra::window_messages {

inline QString SalaryFirst()
{
    return QStringLiteral("请先填写税前薪水!");
}
inline QString WrongDataType()
{
    return QStringLiteral("请输入正确的数据类型!");
}
inline QString FundsExceedSalary()
{
    return QStringLiteral("三金不能超过税前数目！");
}
inline QString MustNotBeNegative()
{
    return QStringLiteral("不能为负数！");
}
inline QString ThresholdNegative()
{
    return QStringLiteral("基数不能为负数！");
}
inline QString ChooseThreshold()
{
    return QStringLiteral("请先选择交税基数!");
}
inline QString FillInSalary()
{
    return QStringLiteral("请先填写薪水!");
}
inline QString ComputeFundsNow()
{
    return QStringLiteral("您的三金为0，需要立刻按照当前方式计算吗？");
}
inline QString FundsSalaryFirst()
{
    return QStringLiteral("请先填写税前薪水");
}
inline QString FundsBaseInvalid()
{
    return QStringLiteral("请先填写正确数值!");
}
// A figure beyond the single-precision range: refused rather than shown as garbage.
inline QString FigureTooLarge()
{
    return QStringLiteral("数值太大，无法计算！");
}
// The viewer did not start; `path` is the readme's path in the system's own notation.
inline QString ReadmeCannotOpen(const QString& path)
{
    return QStringLiteral("无法打开说明文件：%1").arg(path);
}

} // namespace tallyra::window_messages
