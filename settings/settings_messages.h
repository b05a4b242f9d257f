// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The settings commands' message catalogue: what the four save commands say, written exactly as
// the users know them.
namespace tallyra::settings_messages {

inline QString Saved()
{
    return QStringLiteral("保存成功！");
}
inline QString TaxBaseNotNumeric()
{
    return QStringLiteral("交税基数一栏请输入正确的数字！");
}
inline QString FundsBaseNotNumeric()
{
    return QStringLiteral("三金基数一栏请输入正确的数字！");
}
inline QString SubsidyNotNumeric()
{
    return QStringLiteral("补贴一栏请输入正确的数字！");
}

// The remembered values as the failure message names them.
inline QString TaxBase()
{
    return QStringLiteral("交税基数");
}
inline QString FundsBase()
{
    return QStringLiteral("三金基数");
}
inline QString Subsidy()
{
    return QStringLiteral("补贴数字");
}
// `value` (one of the three names above) could not be written to the store.
inline QString NotWritten(const QString& value)
{
    return QStringLiteral("%1保存失败：无法写入设置文件，请检查它是否可写！").arg(value);
}

} // namespace tallyra::settings_messages
