// SPDX-License-Identifier: GPL-3.0-or-later
#include "law/dated_series.h"

namespace tallyra::law {

std::string CitationOf(const LegalSource& source)
{
    std::string text = source.document;
    if (*source.article)
        text.append(" ").append(source.article);
    if (*source.words)
        text.append("：").append(source.words);
    if (*source.address)
        text.append("；").append(source.address);
    return text;
}

} // namespace tallyra::law
