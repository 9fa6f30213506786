#pragma once
// Converting a PGN games file: the games that pass the filter, to an XML game record or to a
// new PGN file. Every file written is built beside its target and put in place only once the
// whole conversion is done, so a cancelled or failed conversion leaves the old files as they
// were. Runs on any thread; the cancel request is the one of session/Annulation.h.
#include "localisation/TextCatalogue.h"
#include "records/EcritureXml.h"
#include "records/FiltreParties.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quarvelin {

enum class FormatConversion { Xml, Pgn };

struct OptionsConversion {
    FormatConversion format = FormatConversion::Xml;
    // XML only: each game in a file of its own, the target's name with _0001, _0002... (its
    // place among the accepted games) before its extension; the target itself is not written.
    bool unParFichier = false;
    // XML only: beside the target, its name with .txt, the file:// address of each XML file
    // written, one a line, as the remote-game window's address lists take them.
    bool fichierAdresses = false;
};

// A game that did not read whole: its place among the games the filter accepted (from 1) and
// what lire_partie_pgn said of it. Written as far as it was read, unless nothing was.
struct ProblemeConversion {
    std::int64_t number = 0;
    bool ecrite = true;
    std::optional<TextKey> error;
    int errorNumber = 0;
    std::string detail;
};

struct ResultatConversion {
    enum class Erreur { Aucune, SourceIntrouvable, LectureSource, Ecriture };

    std::int64_t ecrites = 0; // games written
    std::int64_t lues = 0;    // games in the source, accepted by the filter or not
    bool cancelled = false;
    Erreur error = Erreur::Aucune;
    std::string detail;                        // the path or the system's reason
    std::vector<ProblemeConversion> problems; // XML only, in the order of the games
    std::vector<std::string> fichiers;         // the files written, in order
    std::string fichierAdresses;               // empty when none was asked for

    bool reussie() const { return error == Erreur::Aucune && !cancelled; }
};

// Told as it goes: how far it is (0 to 100), games accepted, games seen. The counts are the
// whole file's once the file has been scanned; the games are written after that.
using ProgressionConversion =
    std::function<void(int pourcent, std::int64_t acceptees, std::int64_t vues)>;

// Every game of the source that passes the filter (its maximum is not applied) goes to the
// target, in the format of the options. Clears the cancel request first.
ResultatConversion convertir_fichier_pgn(const std::string& source, const std::string& cible,
                                         const FiltreParties& filtre,
                                         const OptionsConversion& options = {},
                                         const ProgressionConversion& progression = {});

// What the user is told at the end, in the catalogue's language: the counts on success, the
// reason otherwise.
std::string message_conversion(const ResultatConversion& r, const TextCatalogue& catalogue);

// The format a target's extension stands for, .xml or .pgn in any case; nothing otherwise.
std::optional<FormatConversion> format_de_cible(const std::string& path);
// The file of game `numero` (from 1) in one-game-per-file mode: "dir/games.xml" gives
// "dir/games_0001.xml".
std::string nom_fichier_partie(const std::string& cible, std::int64_t number);
// The address file of a target: "dir/games.xml" gives "dir/games.txt".
std::string nom_fichier_adresses(const std::string& cible);

// One game's text, from its first line to the next game's, as the PGN conversion writes it:
// the tag lines, an empty line, each line of the moves trimmed (empty ones left out), an empty
// line; CR LF line ends. Nothing of what was written is changed, so comments and variations
// stay.
std::string recopier_partie_pgn(std::string_view text);

} // namespace quarvelin
