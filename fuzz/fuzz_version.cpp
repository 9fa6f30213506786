// SPDX-License-Identifier: GPL-3.0-or-later
// The version document and the version numbers on any bytes: listing never crashes, a document
// that is not XML lists nothing, and the comparison is an order (antisymmetric, and a version
// always equals itself).
#include "records/VersionCheck.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using namespace quarvelin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    PublishedRelease published;
    const NodeList listed = lister_noeuds(bytes, published);
    if (!listed.wellFormed && !listed.lines.empty()) __builtin_trap();

    const std::size_t half = size / 2;
    const std::string_view a = bytes.substr(0, half), b = bytes.substr(half);
    if (compareVersions(a, b) != -compareVersions(b, a)) __builtin_trap();
    if (compareVersions(a, a) != 0) __builtin_trap();
    return 0;
}
