// Game files as found in the world: the index lists games only where a line starts with the
// Event tag, a filter lists no more than the plain index, and every listed game reads without a
// crash, its comments and variations within what the text holds. A game as the PGN conversion
// copies it is still one game, with the same tags.
#include "records/PgnConversion.h"
#include "records/PgnIndex.h"
#include "records/PgnReader.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

using namespace quarvelin;

namespace {

void verifier(bool ok) {
    if (!ok) __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 65536) return 0;
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::istringstream in(text);
    GameFilter tout;
    tout.maximum = 1 << 20;
    PgnIndex index = PgnIndex::buildIndex(in, size, tout);
    verifier(index.views() == static_cast<std::int64_t>(index.size()));
    for (std::size_t i = 0; i < index.size(); ++i) {
        std::uint64_t p = index.position(i);
        verifier(p < size && (i == 0 || p > index.position(i - 1)));
        verifier(p == 0 || text[p - 1] == '\n' || (p == 3 && text.starts_with("\xEF\xBB\xBF")));
        std::size_t bracket = text.find_first_not_of(" \t", p);
        verifier(text.compare(bracket, 7, "[Event ") == 0);

        ParsedGame game = readPgnGame(in, p);
        verifier(game.position == p);
        verifier(game.comments.size() <= 18001);
        std::size_t ecrit = 0;
        for (const std::string& c : game.comments) ecrit += c.size();
        for (const auto& v : game.variations) {
            verifier(v.text.starts_with('('));
            verifier(v.halfMove >= 0);
            ecrit += v.text.size();
        }
        // Windows-1252 bytes take up to three bytes each in UTF-8.
        verifier(ecrit <= 3 * size + game.comments.size());
        verifier(game.ok() || game.error >= TextKey::MoveUnreadableAt);

        const std::uint64_t end = i + 1 < index.size() ? index.position(i + 1) : size;
        const std::string copie = copyPgnGame(std::string_view(text).substr(p, end - p));
        std::istringstream relue(copie);
        PgnIndex seule = PgnIndex::buildIndex(relue, copie.size(), tout);
        verifier(seule.views() == 1 && seule.size() == 1 && seule.position(0) == 0);
        for (int c = 0; c < PgnIndex::FieldCountValue; ++c) {
            const auto field = static_cast<PgnIndex::Field>(c);
            verifier(seule.value(0, field) == index.value(i, field));
        }
    }

    // A filter taken from the input's first bytes lists a part of the same games.
    GameFilter filter = tout;
    auto morceau = [&](std::size_t beginning, std::size_t n) {
        return beginning < size ? text.substr(beginning, n) : std::string();
    };
    std::size_t n = size > 0 ? static_cast<std::size_t>(data[0] % 4) : 0;
    filter.white = morceau(1, n);
    filter.result = morceau(1 + n, size > 1 ? static_cast<std::size_t>(data[1] % 3) : 0);
    filter.either = size > 2 && (data[2] & 1);
    std::istringstream encore(text);
    PgnIndex filtre_index = PgnIndex::buildIndex(encore, size, filter);
    verifier(filtre_index.size() <= index.size());
    for (std::size_t i = 0, j = 0; i < filtre_index.size(); ++i, ++j) {
        while (j < index.size() && index.position(j) != filtre_index.position(i)) ++j;
        verifier(j < index.size());
    }
    return 0;
}
