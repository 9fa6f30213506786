// A game read from a file, saved from the board and read again comes back as it was: the same
// positions move by move, the same tags, the same comments on the same moves, in the short
// and in the long notation, whichever colour is at the bottom of the board.
#include "localisation/Encoding.h"
#include "notation/Fen.h"
#include "notation/PgnStream.h"
#include "records/IndexPgn.h"
#include "records/LecteurPgn.h"
#include "records/SaveController.h"
#include "session/SessionDoubles.h"

#include <QTemporaryDir>

#include "support/Peers.h"

#include "support/PartiesDuTexte.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

using namespace quarvelin;
using namespace quarvelin::test;

namespace {

constexpr const char* PgnExtract = "/usr/games/pgn-extract";
const std::string Fichier = std::string(QUARVELIN_TEST_DATA) + "/aller-retour.pgn";
constexpr std::chrono::year_month_day Jour{std::chrono::year{2026}, std::chrono::month{3},
                                           std::chrono::day{9}};

struct Attendu {
    const char* name;
    std::string evenement, blanc, lieu; // tag values, in UTF-8
    std::size_t demiCoups;
    std::string fenFinale;
    std::map<std::size_t, std::string> notes; // by move played, from 1
};

// The games of aller-retour.pgn in file order; final positions as pgn-extract gives them.
const std::vector<Attendu>& attendus() {
    static const std::vector<Attendu> a = {
        {"Windows1252CastlingsEnPassant",
         "Club championship",
         "Müller, Jürgen",
         "Lyon FRA",
         35,
         "2k2r1r/ppqb2pp/2n5/3pp3/3P3K/PNP2N2/4BPP1/R1BQR3 b - - 3 18",
         {{1, "Début classique."},
          {16, "Black goes long."},
          {17, "And White short."},
          {19, "En passant."},
          {22, "Black takes en passant too."},
          {24, "The bishop aims at h2."}}},
        {"FenPromotionsToMate",
         "Promotion study",
         "Keller, Urs",
         "Zürich SUI",
         31,
         "N4k2/5Q2/4B3/5K2/8/8/8/8 b - - 8 56",
         {{1, "Under-promotion with capture."}, {4, "A knight, with check."}, {31, "Mate."}}},
        {"FenBlackToMoveCastlings",
         "Rapid \"open\" 2019",
         "Peeters, Tom",
         "Ghent BEL",
         11,
         "8/pp2kppp/2n1b3/8/8/2N1B3/PP2KPPP/8 w - - 3 29",
         {{1, "Black castles first."}, {3, "The open file."}, {11, "Kings to the centre."}}},
        {"CrLfEnPassantMate",
         "Blitz arena",
         "Novak, Petr",
         "Internet",
         8,
         "rnb1kbnr/pppp1ppp/8/8/6Pq/3P1p2/PPPNP2P/R1BQKBNR w KQkq - 1 5",
         {{2, "Black answers in the centre. Two comments, one move."},
          {6, "En passant, and the king's side opens."},
          {8, "Mate on the diagonal."}}},
        {"FenEnPassantAtOnce",
         "Training game",
         "Svoboda, Jan",
         "Brno CZE",
         10,
         "rnbk3r/pp2b1pp/4pn2/2p3B1/4p3/2N5/PPP2PPP/R3KBNR w KQ - 2 9",
         {{1, "At once, en passant."}, {8, "The queens are gone."}, {9, "pins nothing"}}},
    };
    return a;
}

std::string content(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The tags a saved record keeps.
std::map<std::string, std::string> tags_gardes(const PgnGame& jeu) {
    static const char* const Gardes[] = {"Event", "Site",   "Date",  "Round", "White",
                                         "Black", "Result", "SetUp", "FEN"};
    std::map<std::string, std::string> m;
    for (const char* name : Gardes)
        if (const std::string* v = jeu.tag(name)) m[name] = *v;
    return m;
}

std::map<std::string, std::string> tags_gardes(const std::string& entete) {
    std::istringstream in(entete);
    PgnStream flux(in);
    PgnGame jeu;
    flux.next(jeu);
    return tags_gardes(jeu);
}

std::string messages(const ScriptedDialogs& d) {
    std::string t;
    for (const auto& m : d.messages) t += m.text + "\n";
    for (const auto& q : d.questions) t += "? " + q.text + "\n";
    return t;
}

// What the board holds of a game once loaded.
struct Charge {
    std::vector<std::string> fens; // entry 0 the start
    std::vector<std::string> notes;
    std::string result;
};

Charge load(Banc& b, const PartieLue& lue) {
    EXPECT_TRUE(lue.ok()) << quarvelin::offsetOf(lue.error.value_or(quarvelin::TextKey{})) << " "
                          << lue.errorNumber << " " << lue.detail;
    b->nouvelle_partie();
    EXPECT_TRUE(b->charger_partie(lue));
    // A move the board refuses would be asked about, or reported.
    EXPECT_TRUE(b.dialogs.questions.empty() && b.dialogs.messages.empty()) << messages(b.dialogs);
    Charge c;
    for (const Position& p : b->session().PositionStates) c.fens.push_back(writeFen(p));
    c.notes = b->session().notes;
    c.result = b->session().GameResult;
    return c;
}

Settings settings(bool blancEnBas, std::uint8_t abrege) {
    Settings s = reglages_de_test();
    s.MODE_JEUX = 2;
    s.DEB_BLANC = blancEnBas ? 1 : 0;
    s.SAUVE_ABREGE = abrege;
    return s;
}

// The save window's text for the game on the board, written and read back into another board:
// the same positions, notes, result and kept tags, and pgn-extract has nothing to say about a
// short record.
void sauver_et_relire(Banc& premier, const Charge& avant,
                      const std::map<std::string, std::string>& tags) {
    QTemporaryDir dir;
    const std::string sauve = dir.filePath(QStringLiteral("sauve.pgn")).toStdString();
    SaveController sauvegarde(premier.dialogs, premier.catalogue, nullptr);
    const std::string text = sauvegarde.composer(premier->session(), premier.settings,
                                                  premier->position().PlayerColour, Jour);
    ASSERT_TRUE(sauvegarde.sauver(sauve, text, false));
    // Only the confirmation: no note was left out.
    EXPECT_EQ(messages(premier.dialogs), "<217>\n");

    const std::vector<PartieLue> relues = lire_parties(content(sauve));
    ASSERT_EQ(relues.size(), 1u) << text;
    EXPECT_EQ(tags_gardes(relues[0].GameText), tags) << text;

    Banc second(premier.settings);
    const Charge apres = load(second, relues[0]);
    EXPECT_EQ(apres.fens, avant.fens) << text;
    EXPECT_EQ(apres.notes, avant.notes) << text;
    EXPECT_EQ(apres.result, avant.result) << text;

    if (premier.settings.SAUVE_ABREGE == 1 && std::ifstream(PgnExtract)) {
        EXPECT_EQ(sortie_de(std::string(PgnExtract) + " -s -r '" + sauve + "' 2>&1"), "") << text;
    }
}

using Cas = std::tuple<std::size_t, std::uint8_t, bool>; // game, SAUVE_ABREGE, White at bottom

class AllerRetour : public ::testing::TestWithParam<Cas> {};

TEST_P(AllerRetour, SavedGameReadsBackTheSame) {
    const auto [i, abrege, blancEnBas] = GetParam();
    const Attendu& a = attendus()[i];
    const std::string original = content(Fichier);
    ASSERT_FALSE(original.empty()) << Fichier;
    const std::vector<PartieLue> lues = lire_parties(original);
    ASSERT_EQ(lues.size(), attendus().size());

    Banc premier(settings(blancEnBas, abrege));
    const Charge avant = load(premier, lues[i]);
    ASSERT_EQ(avant.fens.size(), a.demiCoups + 1);
    EXPECT_EQ(avant.fens.back(), a.fenFinale);
    std::map<std::size_t, std::string> notes;
    for (std::size_t k = 0; k < avant.notes.size(); ++k)
        if (!avant.notes[k].empty()) notes[k] = avant.notes[k];
    EXPECT_EQ(notes, a.notes);

    // The tags as the file has them, the game's bytes read on their own: the file mixes
    // Windows-1252 and UTF-8 games.
    const std::size_t end = i + 1 < lues.size() ? lues[i + 1].position : original.size();
    std::istringstream brut(utf8Text(original.substr(lues[i].position, end - lues[i].position)));
    PgnStream flux(brut);
    PgnGame jeu;
    ASSERT_TRUE(flux.next(jeu));
    const std::map<std::string, std::string> tags = tags_gardes(jeu);
    EXPECT_EQ(tags_gardes(lues[i].GameText), tags);
    EXPECT_EQ(tags.at("Event"), a.evenement);
    EXPECT_EQ(tags.at("White"), a.blanc);
    EXPECT_EQ(tags.at("Site"), a.lieu);
    EXPECT_EQ(avant.result, jeu.result);

    sauver_et_relire(premier, avant, tags);
}

std::string nom_du_cas(const ::testing::TestParamInfo<Cas>& info) {
    return std::string(attendus()[std::get<0>(info.param)].name) +
           (std::get<1>(info.param) ? "_Short" : "_Long") +
           (std::get<2>(info.param) ? "_WhiteBelow" : "_BlackBelow");
}

INSTANTIATE_TEST_SUITE_P(Fichier, AllerRetour,
                         ::testing::Combine(::testing::Range<std::size_t>(0, attendus().size()),
                                            ::testing::Values<std::uint8_t>(1, 0),
                                            ::testing::Bool()),
                         nom_du_cas);

// The older test file's games, whose reading the reader's tests pin down, go round the same way.
class AllerRetourVarie : public ::testing::TestWithParam<Cas> {};

TEST_P(AllerRetourVarie, SavedGameReadsBackTheSame) {
    const auto [i, abrege, blancEnBas] = GetParam();
    const std::vector<PartieLue> lues =
        lire_parties(content(std::string(QUARVELIN_TEST_DATA) + "/varied.pgn"));
    ASSERT_EQ(lues.size(), 7u);
    Banc premier(settings(blancEnBas, abrege));
    const Charge avant = load(premier, lues[i]);
    ASSERT_GT(avant.fens.size(), 1u);
    sauver_et_relire(premier, avant, tags_gardes(lues[i].GameText));
}

INSTANTIATE_TEST_SUITE_P(Fichier, AllerRetourVarie,
                         ::testing::Combine(::testing::Range<std::size_t>(0, 7),
                                            ::testing::Values<std::uint8_t>(1, 0),
                                            ::testing::Bool()));

} // namespace
