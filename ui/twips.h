// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tallyra {

// Window layouts are drawn in twips, a twentieth of a point: 15 twips make one pixel at
// 96 dots per inch. Qt's device-independent pixels then scale them on high-DPI screens.
constexpr int kTwipsPerPixel = 15;

constexpr int TwipsToPixels(int twips)
{
    return twips / kTwipsPerPixel;
}

} // namespace tallyra
