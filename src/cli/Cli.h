// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// quarvelin-cli: the rules and notation core from the command line.
#include <ostream>
#include <string>
#include <vector>

namespace quarvelin {

class TextCatalogue;

// Runs one command; returns the exit status (0 done, 1 some game failed to replay, 2 usage).
// programFolder is where the program lies: its opening base is under base/.
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const TextCatalogue& catalogue, const std::string& programFolder = ".");

} // namespace quarvelin
