#pragma once

namespace tallyra {

// Makes the CJK sans-serif face the application's default font, at a size at which every
// Chinese caption fits its box. Called once at start-up (and by the window tests).
void ApplyInterfaceFont();

} // namespace tallyra
