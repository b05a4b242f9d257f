// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/pages/text_page.h"

namespace tallyra::year {

TextPage::TextPage(const QString& objectName, const QString& accessibleName)
{
    setObjectName(objectName);
    setAccessibleName(accessibleName);
    setOpenLinks(false);
}

void TextPage::refresh(const PlannerState& state)
{
    setHtml(state.plan ? describe(state.inputs->plan, *state.plan)
                       : QStringLiteral("<p>左侧输入有误，暂不计算。</p>"));
}

} // namespace tallyra::year
