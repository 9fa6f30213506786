// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/LoadGamesController.h"

#include "config/SettingsFile.h"
#include "config/Version.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <limits>

namespace quarvelin {

namespace {

constexpr std::int64_t LargestMaximum = std::numeric_limits<std::int32_t>::max();

bool digitsOnly(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

LoadGamesController::LoadGamesController(Settings& settings, const TextCatalogue& catalogue,
                                         Dialogs& dialogs, std::string settingsFile)
    : settings_(settings), catalogue_(catalogue), dialogs_(dialogs),
      settingsFile_(std::move(settingsFile)) {}

LoadGamesController::Criteria LoadGamesController::criteria() const {
    const Settings& s = settings_;
    return {s.CRITERE_BLANC,        s.CRITERE_NOIR,
            s.CRITERE_EVENT,        s.CRITERE_SITE,
            s.CRITERE_DATE,         s.CRITERE_RONDE,
            s.CRITERE_ECO,          s.CRITERE_RESULTAT,
            s.CRITERE_LESDEUX == 1, std::to_string(s.MAX_SEUIL_PARTIE)};
}

std::optional<std::string> LoadGamesController::numberRefusal(NumberField field,
                                                              const std::string& typed) const {
    if (typed.empty()) return std::nullopt;
    if (!digitsOnly(typed)) return catalogue_.text(TextKey::NumberExpected);
    if (field == NumberField::Limit) {
        // Twelve digits and more overflow long before the limit; they are out of range too.
        const bool tooLong = typed.find_first_not_of('0') != std::string::npos &&
                             typed.size() - typed.find_first_not_of('0') > 11;
        const std::int64_t n = tooLong ? LargestMaximum + 1 : std::stoll(typed);
        if (n < 1 || n > LargestMaximum)
            return catalogue_.text(TextKey::ValueOutOfRange) + "1 – " +
                   std::to_string(LargestMaximum);
    }
    return std::nullopt;
}

void LoadGamesController::say(TextKey key, const std::string& detail) {
    dialogs_.message(ProgramName, catalogue_.text(key) + detail, DialogIcon::Exclamation);
}

bool LoadGamesController::sourceExists(const std::string& path) {
    if (path.empty()) {
        say(TextKey::NoFileChosen);
        return false;
    }
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        say(TextKey::FileDoesNotExist, " (" + path + ")");
        return false;
    }
    return true;
}

void LoadGamesController::copy(const Criteria& c, Settings& s, bool withLimit) {
    s.CRITERE_BLANC = c.white;
    s.CRITERE_NOIR = c.black;
    s.CRITERE_EVENT = c.event;
    s.CRITERE_SITE = c.site;
    s.CRITERE_DATE = c.date;
    s.CRITERE_RONDE = c.round;
    s.CRITERE_ECO = c.eco;
    s.CRITERE_RESULTAT = c.result;
    s.CRITERE_LESDEUX = c.eitherColour ? 1 : 0;
    // numberRefusal let through only whole numbers in range.
    if (withLimit && !c.limit.empty())
        s.MAX_SEUIL_PARTIE = static_cast<std::int32_t>(std::stoll(c.limit));
}

void LoadGamesController::apply(const Criteria& c, bool withLimit) {
    copy(c, settings_, withLimit);
}

bool LoadGamesController::saveFilter(const Criteria& c) {
    // The file keeps its own values: the record holds whole paths and, in automatic play,
    // another profile's engine. Only the filter and the limit change in it.
    Settings written = settings_;
    std::error_code ec;
    if (std::filesystem::exists(settingsFile_, ec)) {
        Settings read;
        const std::string folder =
            std::filesystem::absolute(settingsFile_, ec).parent_path().string();
        if (lire_reglages(settingsFile_, folder, read, 1).state == SettingsReading::State::Parsed)
            written = read;
    }
    copy(c, written, true);
    if (const std::string why = ecrire_reglages(written, settingsFile_, 1); !why.empty()) {
        dialogs_.message(ProgramName, catalogue_.text(TextKey::SettingsCannotWrite) + why,
                         DialogIcon::Critical);
        return false;
    }
    copy(c, settings_, true);
    dialogs_.message(ProgramName, catalogue_.text(TextKey::FilterSaved), DialogIcon::Exclamation);
    return true;
}

} // namespace quarvelin
