#pragma once
// The opening base: the table ECO in an SQLite file, which names the opening of a game and
// gives the engine its book moves. Lines are found by prefix of the game text.
#include "notation/MoveReader.h"
#include "openings/LigneEco.h"
#include "rules/Position.h"

#include <QSqlQuery>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quarvelin {

class BaseOuvertures {
public:
    BaseOuvertures();
    ~BaseOuvertures();
    BaseOuvertures(const BaseOuvertures&) = delete;
    BaseOuvertures& operator=(const BaseOuvertures&) = delete;

    // Opens (creating when asked) the base at path; false with the reason in erreur() if not.
    bool open(const std::string& path, bool creer = false);
    bool ouverte() const;
    const std::string& error() const { return erreur_; }

    // Adds reference or learned lines in one transaction; false (and nothing added) on error.
    bool ajouter(const std::vector<LigneEco>& lignes);

    // The lines that begin with the game text, in the order of their key.
    std::vector<LigneEco> lignes_commencant_par(const std::string& texteDePartie) const;
    // The opening of the game: the first such line, when there is one.
    std::optional<LigneEco> nommer_ouverture(const std::string& texteDePartie) const;

    struct CoupLivre {
        ReadMove move;    // origin, destination and suffix of the move, as read
        float note = 0; // the line's score when it is a learned line
        LigneEco line;
    };
    // A book move for `side` in position p reached by the game text: the best-ordered line
    // (score, learned before reference, code, longest), or one at random when aleatoire gives
    // a number in [0, 1). Nothing when no line continues the game.
    std::optional<CoupLivre>
    choisir_coup_livre(const Position& p, Colour side, const std::string& texteDePartie,
                       const std::function<double()>* aleatoire = nullptr) const;

    long long nombre_lignes() const;
    // The lines that begin with the game text, counted.
    long long compter(const std::string& texteDePartie) const;
    // SQLite's plan for each lookup this base makes, one text per query.
    std::vector<std::string> plans(const std::string& texteDePartie) const;

private:
    // limite > 0: that many rows from the decalage-th on.
    std::vector<LigneEco> requete(const std::string& prefixe, bool ordreLivre, int limite = 0,
                                  long long decalage = 0) const;
    QString sql_requete(const std::string& prefixe, bool ordreLivre, bool compter,
                        int limite) const;
    // The statement of a query text, prepared once: preparing costs more than the lookup.
    QSqlQuery& preparee(const QString& sql) const;
    std::string nom_; // the Qt SQL connection this base uses
    mutable std::map<QString, std::unique_ptr<QSqlQuery>> preparees_;
    std::string erreur_;
};

// The move that follows the game text in a line (empty when the line ends there), as the
// book move is taken: for White after the next move number.
std::string coup_suivant(const std::string& line, const std::string& texteDePartie, Colour side);

} // namespace quarvelin
