// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The About box's message catalogue.
namespace tallyra::about_messages {

// Neither the system-information tool's path nor its folder led to a tool that started.
inline QString SysInfoUnavailable()
{
    return QStringLiteral("此时系统信息不可用");
}

} // namespace tallyra::about_messages
