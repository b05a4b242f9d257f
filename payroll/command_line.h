// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace tallyra::payroll {

struct Command {
    enum class Kind { Help, Version, Withhold, Invalid };
    Kind kind = Kind::Invalid;
    std::string input;
    std::string output;
    unsigned threads = 0; // --threads; 0: as many as the machine has cores
    std::string problem;  // why the command line was refused
};

// tallyra-payroll withhold INPUT.csv -o OUTPUT.csv [--threads N] | --help | --version
Command ParseCommandLine(const std::vector<std::string>& arguments);

std::string HelpText();

} // namespace tallyra::payroll
