// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Autoplay.h"

#include "config/SettingsFile.h"
#include "openings/OpeningBase.h"
#include "session/GameController.h"
#include "session/Headless.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>

namespace quarvelin {

namespace {

// Slot 0 is never used by the program; here it keeps the built-in profile for copying.
void copyProfile(Settings& s, std::size_t of, std::size_t to) {
    if (of == to) return;
    s.NOM_JOUEUR[to] = s.NOM_JOUEUR[of];
    s.NOM_MOTEUR[to] = s.NOM_MOTEUR[of];
    s.NIVEAU_ELO[to] = s.NIVEAU_ELO[of];
    s.OUVERTURE_DEFAUT[to] = s.OUVERTURE_DEFAUT[of];
    s.OUVERTURE_ALEATOIRE[to] = s.OUVERTURE_ALEATOIRE[of];
    s.ACTIVE_BASE_CON[to] = s.ACTIVE_BASE_CON[of];
    s.PROFONDEUR_MAX[to] = s.PROFONDEUR_MAX[of];
    s.NOTE_MOBILITE[to] = s.NOTE_MOBILITE[of];
    s.MOBILITE_EVOLUTIVE[to] = s.MOBILITE_EVOLUTIVE[of];
    s.NOTE_MATERIEL[to] = s.NOTE_MATERIEL[of];
    s.BONUS_ECHEC[to] = s.BONUS_ECHEC[of];
    s.SEUIL_BONUS_ECHEC[to] = s.SEUIL_BONUS_ECHEC[of];
    s.NOTE_PROMOTION[to] = s.NOTE_PROMOTION[of];
    s.NOTE_ROQUE[to] = s.NOTE_ROQUE[of];
    s.MALUS_DOUBLE[to] = s.MALUS_DOUBLE[of];
    s.MALUS_ROI[to] = s.MALUS_ROI[of];
    s.NOTE_CENTRE[to] = s.NOTE_CENTRE[of];
    s.SEUIL_CENTRE[to] = s.SEUIL_CENTRE[of];
    s.INDICE_DEFENSE[to] = s.INDICE_DEFENSE[of];
    s.INDICE_ATTAQUE[to] = s.INDICE_ATTAQUE[of];
    s.ALPHA_BETA[to] = s.ALPHA_BETA[of];
}

bool count(const std::string& v, int bottom, int top, int& out) {
    if (v.empty() || v.size() > 9 || v.find_first_not_of("0123456789") != std::string::npos)
        return false;
    out = std::stoi(v);
    return out >= bottom && out <= top;
}

} // namespace

std::string gamePgn(const GameSession& s) {
    std::string out = s.GameText;
    // The header composed for automatic games ends with an empty line; the result tag goes
    // before it.
    if (out.ends_with("\r\n\r\n")) out.resize(out.size() - 2);
    out += "[Result \"" + s.GameResult + "\"]\r\n\r\n";
    std::string line;
    auto word = [&](const std::string& m) {
        if (!line.empty() && line.size() + 1 + m.size() > 79) {
            out += line + "\r\n";
            line.clear();
        }
        if (!line.empty()) line += ' ';
        line += m;
    };
    for (const std::string& t : s.shortTexts)
        if (!t.empty()) word(t);
    word(s.GameResult);
    return out + line + "\r\n\r\n";
}

int autoplay(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
             const TextCatalogue& catalogue, const std::string& programFolder) {
    auto error = [&](TextKey key, const std::string& detail) {
        err << "quarvelin-cli: " << catalogue.text(key) << detail << '\n';
        return 2;
    };
    int games = 1, depth = -1, maxHalfMoves = 600, seed = 1;
    std::string whiteProfile, blackProfile, output;
    std::string base = (std::filesystem::path(programFolder) / "base" / "eco.db").string();
    bool book = true;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--no-book") {
            book = false;
            continue;
        }
        bool known = a == "--games" || a == "--depth" || a == "--profile-white" ||
                     a == "--profile-black" || a == "--max-plies" || a == "--out" ||
                     a == "--base" || a == "--seed";
        if (!known) return error(TextKey::UnknownArgument, a);
        if (i + 1 >= args.size()) return error(TextKey::MissingArgument, "");
        const std::string& v = args[++i];
        if (a == "--games" && !count(v, 1, 1000000, games))
            return error(TextKey::UnknownArgument, v);
        if (a == "--depth" && !count(v, 0, 3, depth)) return error(TextKey::InvalidDepth, v);
        if (a == "--max-plies" && !count(v, 1, 100000, maxHalfMoves))
            return error(TextKey::UnknownArgument, v);
        if (a == "--seed" && !count(v, 0, 999999999, seed))
            return error(TextKey::UnknownArgument, v);
        if (a == "--profile-white") whiteProfile = v;
        if (a == "--profile-black") blackProfile = v;
        if (a == "--out") output = v;
        if (a == "--base") base = v;
    }

    Settings settings = builtInSettings(programFolder);
    applyNewFile(settings);
    settings.MODE_JEUX = static_cast<std::uint8_t>(GameMode::Auto);
    settings.ACTIVE_SON = 0;
    settings.ACTIVE_HORLOGE = 0;
    settings.GES_LOG = 0;
    settings.DEB_BLANC = 1;
    if (settings.NOM_MOTEUR[1].empty()) settings.NOM_MOTEUR[1] = "Quarvelin";
    copyProfile(settings, 1, 0);
    for (auto [file, profile] : {std::pair{whiteProfile, 1}, std::pair{blackProfile, 2}}) {
        if (file.empty()) continue;
        if (!readProfile(file, settings, profile)) return error(TextKey::CannotOpenFile, file);
        // A profile without an engine name goes by its file's name.
        auto& name = settings.NOM_MOTEUR[static_cast<std::size_t>(profile)];
        if (name.empty()) name = std::filesystem::path(file).stem().string();
    }
    settings.TwoProfiles = !whiteProfile.empty() || !blackProfile.empty();
    // A side without a file plays with the built-in profile.
    if (blackProfile.empty()) copyProfile(settings, 0, 2);
    if (whiteProfile.empty()) copyProfile(settings, 0, 1);
    for (int p = 1; p <= 2; ++p) {
        auto k = static_cast<std::size_t>(p);
        if (depth >= 0) settings.PROFONDEUR_MAX[k] = static_cast<std::int16_t>(depth);
        settings.ACTIVE_BASE_CON[k] = book ? 1 : 0;
        settings.OUVERTURE_ALEATOIRE[k] = 1;
    }

    OpeningBase openings;
    if (book && !openings.open(base)) book = false; // plays on without a book

    std::ofstream file;
    if (!output.empty()) {
        file.open(output, std::ios::binary | std::ios::trunc);
        if (!file) return error(TextKey::CannotOpenFile, output);
    }
    std::ostream& pgn = output.empty() ? out : file;

    Headless screen;
    GameView view;
    SynchronousSearch engine;
    std::mt19937_64 rng(static_cast<std::uint64_t>(seed));
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    Environment env{settings,
                    catalogue,
                    screen,
                    screen,
                    screen,
                    screen,
                    screen,
                    view,
                    engine,
                    book ? &openings : nullptr,
                    programFolder,
                    "quarvelin-cli",
                    [&] { return uniform(rng); },
                    1};
    GameController game(env);
    auto beginning = std::chrono::steady_clock::now();
    for (int n = 1; n <= games; ++n) {
        game.newGame();
        int halfMoves = 0;
        while (screen.autoRunning() && !game.session().gameOver() && halfMoves < maxHalfMoves) {
            game.tick(Timer::Auto);
            halfMoves = game.session().moveCount();
        }
        game.closeBoard();
        pgn << gamePgn(game.session());
        double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - beginning).count();
        err << "game " << n << "/" << games << ": " << game.session().GameResult << " in "
            << game.session().moveCount() << " half-moves, " << seconds << " s\n";
    }
    pgn.flush();
    if (!pgn) return error(TextKey::CannotOpenFile, output);
    return 0;
}

} // namespace quarvelin
