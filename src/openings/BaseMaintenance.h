// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Compacting and repairing an opening base file. Both write the new file beside the old one
// and put it in place through the safe writer, so a failure leaves the old base whole. The
// caller closes its own connections to the file first and reopens them afterwards.
#include <string>

namespace quarvelin {

// The base rewritten without its free pages; empty on success, else why not.
std::string compactBase(const std::string& path);

struct Repair {
    bool damaged = false;  // the integrity check found a fault
    long long saved = 0;   // rows copied into the new base
    std::string error;     // nothing was replaced
    std::string keptAside; // where the damaged file was kept
};

// Checks the base; a damaged one is replaced by a new base holding every row that can still be
// read, with its key, and the damaged file is kept beside it as "<path>.damaged".
Repair repairBase(const std::string& path);

} // namespace quarvelin
