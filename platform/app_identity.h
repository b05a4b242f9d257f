// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tallyra {

// The application's identity, fixed at build time: the caption of every message box, the
// settings-store application name and the About box's title and version.
struct AppIdentity {
    static QString title() { return QStringLiteral("Tallyra"); }
    static constexpr int major = TALLYRA_VERSION_MAJOR;
    static constexpr int minor = TALLYRA_VERSION_MINOR;
    static constexpr int revision = TALLYRA_VERSION_PATCH;
};

} // namespace tallyra
