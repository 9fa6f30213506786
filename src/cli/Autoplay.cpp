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
void copier_profil(Settings& s, std::size_t de, std::size_t vers) {
    if (de == vers) return;
    s.NOM_JOUEUR[vers] = s.NOM_JOUEUR[de];
    s.NOM_MOTEUR[vers] = s.NOM_MOTEUR[de];
    s.NIVEAU_ELO[vers] = s.NIVEAU_ELO[de];
    s.OUVERTURE_DEFAUT[vers] = s.OUVERTURE_DEFAUT[de];
    s.OUVERTURE_ALEATOIRE[vers] = s.OUVERTURE_ALEATOIRE[de];
    s.ACTIVE_BASE_CON[vers] = s.ACTIVE_BASE_CON[de];
    s.PROFONDEUR_MAX[vers] = s.PROFONDEUR_MAX[de];
    s.NOTE_MOBILITE[vers] = s.NOTE_MOBILITE[de];
    s.MOBILITE_EVOLUTIVE[vers] = s.MOBILITE_EVOLUTIVE[de];
    s.NOTE_MATERIEL[vers] = s.NOTE_MATERIEL[de];
    s.BONUS_ECHEC[vers] = s.BONUS_ECHEC[de];
    s.SEUIL_BONUS_ECHEC[vers] = s.SEUIL_BONUS_ECHEC[de];
    s.NOTE_PROMOTION[vers] = s.NOTE_PROMOTION[de];
    s.NOTE_ROQUE[vers] = s.NOTE_ROQUE[de];
    s.MALUS_DOUBLE[vers] = s.MALUS_DOUBLE[de];
    s.MALUS_ROI[vers] = s.MALUS_ROI[de];
    s.NOTE_CENTRE[vers] = s.NOTE_CENTRE[de];
    s.SEUIL_CENTRE[vers] = s.SEUIL_CENTRE[de];
    s.INDICE_DEFENSE[vers] = s.INDICE_DEFENSE[de];
    s.INDICE_ATTAQUE[vers] = s.INDICE_ATTAQUE[de];
    s.ALPHA_BETA[vers] = s.ALPHA_BETA[de];
}

bool nombre(const std::string& v, int bottom, int haut, int& out) {
    if (v.empty() || v.size() > 9 || v.find_first_not_of("0123456789") != std::string::npos)
        return false;
    out = std::stoi(v);
    return out >= bottom && out <= haut;
}

} // namespace

std::string pgn_partie(const GameSession& s) {
    std::string out = s.GameText;
    // The header composed for automatic games ends with an empty line; the result tag goes
    // before it.
    if (out.ends_with("\r\n\r\n")) out.resize(out.size() - 2);
    out += "[Result \"" + s.GameResult + "\"]\r\n\r\n";
    std::string line;
    auto mot = [&](const std::string& m) {
        if (!line.empty() && line.size() + 1 + m.size() > 79) {
            out += line + "\r\n";
            line.clear();
        }
        if (!line.empty()) line += ' ';
        line += m;
    };
    for (const std::string& t : s.shortTexts)
        if (!t.empty()) mot(t);
    mot(s.GameResult);
    return out + line + "\r\n\r\n";
}

int autoplay(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
             const TextCatalogue& catalogue, const std::string& programFolder) {
    auto error = [&](TextKey key, const std::string& detail) {
        err << "quarvelin-cli: " << catalogue.text(key) << detail << '\n';
        return 2;
    };
    int games = 1, depth = -1, maxDemiCoups = 600, graine = 1;
    std::string profilBlanc, profilNoir, sortie;
    std::string base = (std::filesystem::path(programFolder) / "base" / "eco.db").string();
    bool livre = true;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--no-book") {
            livre = false;
            continue;
        }
        bool connu = a == "--games" || a == "--depth" || a == "--profile-white" ||
                     a == "--profile-black" || a == "--max-plies" || a == "--out" ||
                     a == "--base" || a == "--seed";
        if (!connu) return error(TextKey::UnknownArgument, a);
        if (i + 1 >= args.size()) return error(TextKey::MissingArgument, "");
        const std::string& v = args[++i];
        if (a == "--games" && !nombre(v, 1, 1000000, games))
            return error(TextKey::UnknownArgument, v);
        if (a == "--depth" && !nombre(v, 0, 3, depth)) return error(TextKey::InvalidDepth, v);
        if (a == "--max-plies" && !nombre(v, 1, 100000, maxDemiCoups))
            return error(TextKey::UnknownArgument, v);
        if (a == "--seed" && !nombre(v, 0, 999999999, graine))
            return error(TextKey::UnknownArgument, v);
        if (a == "--profile-white") profilBlanc = v;
        if (a == "--profile-black") profilNoir = v;
        if (a == "--out") sortie = v;
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
    copier_profil(settings, 1, 0);
    for (auto [file, profile] : {std::pair{profilBlanc, 1}, std::pair{profilNoir, 2}}) {
        if (file.empty()) continue;
        if (!readProfile(file, settings, profile))
            return error(TextKey::CannotOpenFile, file);
        // A profile without an engine name goes by its file's name.
        auto& name = settings.NOM_MOTEUR[static_cast<std::size_t>(profile)];
        if (name.empty()) name = std::filesystem::path(file).stem().string();
    }
    settings.TwoProfiles = !profilBlanc.empty() || !profilNoir.empty();
    // A side without a file plays with the built-in profile.
    if (profilNoir.empty()) copier_profil(settings, 0, 2);
    if (profilBlanc.empty()) copier_profil(settings, 0, 1);
    for (int p = 1; p <= 2; ++p) {
        auto k = static_cast<std::size_t>(p);
        if (depth >= 0) settings.PROFONDEUR_MAX[k] = static_cast<std::int16_t>(depth);
        settings.ACTIVE_BASE_CON[k] = livre ? 1 : 0;
        settings.OUVERTURE_ALEATOIRE[k] = 1;
    }

    OpeningBase ouvertures;
    if (livre && !ouvertures.open(base)) livre = false; // plays on without a book

    std::ofstream file;
    if (!sortie.empty()) {
        file.open(sortie, std::ios::binary | std::ios::trunc);
        if (!file) return error(TextKey::CannotOpenFile, sortie);
    }
    std::ostream& pgn = sortie.empty() ? out : file;

    Headless ecran;
    GameView view;
    SynchronousSearch engine;
    std::mt19937_64 rng(static_cast<std::uint64_t>(graine));
    std::uniform_real_distribution<double> uniforme(0.0, 1.0);
    Environment env{settings,
                      catalogue,
                      ecran,
                      ecran,
                      ecran,
                      ecran,
                      ecran,
                      view,
                      engine,
                      livre ? &ouvertures : nullptr,
                      programFolder,
                      "quarvelin-cli",
                      [&] { return uniforme(rng); },
                      1};
    GameController game(env);
    auto beginning = std::chrono::steady_clock::now();
    for (int n = 1; n <= games; ++n) {
        game.newGame();
        int demiCoups = 0;
        while (ecran.autoRunning() && !game.session().gameOver() &&
               demiCoups < maxDemiCoups) {
            game.tick(Timer::Auto);
            demiCoups = game.session().moveCount();
        }
        game.closeBoard();
        pgn << pgn_partie(game.session());
        double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - beginning).count();
        err << "game " << n << "/" << games << ": " << game.session().GameResult << " in "
            << game.session().moveCount() << " half-moves, " << seconds << " s\n";
    }
    pgn.flush();
    if (!pgn) return error(TextKey::CannotOpenFile, sortie);
    return 0;
}

} // namespace quarvelin
