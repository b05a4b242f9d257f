// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace tallyra::year {

// 帮助 → 使用说明: what the planner is for, what each result page answers (in the order of
// `pages`, the tabs' captions), how amounts may be typed and where the figures come from.
QString GuideHtml(const QStringList& pages);
// What the page of this caption answers, in a sentence; empty for a caption it does not know.
QString PageAnswer(const QString& caption);

} // namespace tallyra::year
