// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QCoreApplication;

namespace tallyra {

// Installs Qt's own Simplified Chinese texts (the line edits' context menu, the standard dialog
// buttons) into `app`, so that what Qt draws matches the Chinese interface whatever the user's
// locale. Reads Qt's installed translations folder, else the folder "translations" beside the
// program; without the translation the texts stay English and the program runs on.
void InstallChineseTranslations(QCoreApplication& app);

} // namespace tallyra
