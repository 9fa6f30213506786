#include "records/SaveController.h"

#include "records/EcritureXml.h"
#include "records/FichierPartie.h"

#include <filesystem>

namespace quarvelin {

SaveController::SaveController(Dialogs& dialogs, const TextCatalogue& catalogue,
                               FichiersRecents* recents)
    : dialogs_(dialogs), catalogue_(catalogue), recents_(recents) {}

std::string SaveController::composer(const GameSession& s, const Settings& reglages, Colour joueur,
                                     std::chrono::year_month_day d) const {
    return texte_sauvegarde(s, reglages, joueur, d, catalogue_, dialogs_, Titre);
}

std::string SaveController::titre_dialogue() const { return catalogue_.text(TextKey::ChooseFile); }

std::string SaveController::filtre(FormatPartie format) const {
    return catalogue_.text(TextKey::Files) +
           (format == FormatPartie::Pgn ? " PGN (*.pgn)" : " XML (*.xml)");
}

std::string SaveController::nom_propose(FormatPartie format, std::chrono::year_month_day d) const {
    const std::string name = nom_fichier_defaut(d, format);
    if (!recents_) return name;
    const auto liste = recents_->liste();
    if (liste.empty()) return name;
    const std::filesystem::path folder = std::filesystem::path(liste.front()).parent_path();
    std::error_code ec;
    if (folder.empty() || !std::filesystem::is_directory(folder, ec)) return name;
    return (folder / name).string();
}

bool SaveController::sauver(const std::string& chemin, const std::string& text, bool ajouter,
                            FormatPartie format) {
    std::error_code ec;
    if (!ajouter && std::filesystem::exists(chemin, ec) &&
        !dialogs_.question(Titre, catalogue_.text(TextKey::ReplaceFileQuestion)))
        return false;
    if (format == FormatPartie::Xml) {
        const EchecEcriture e = EcritureXml::ecrire_fichier(
            chemin, {EcritureXml::partie_de_texte(text)},
            ajouter ? EcritureXml::Mode::Ajouter : EcritureXml::Mode::Remplacer);
        if (e) {
            dialogs_.message(Titre, e.message(catalogue_) + "\n" + chemin, DialogIcon::Critical);
            return false;
        }
        dialogs_.message(Titre, catalogue_.text(TextKey::GameSaved), DialogIcon::Information);
        return true;
    }
    const std::string erreur = ecrire_fichier_partie(chemin, lignes_crlf(text + "\n"), ajouter);
    if (!erreur.empty()) {
        dialogs_.message(Titre,
                         catalogue_.text(TextKey::GameNotSaved) + "\n" + chemin + " : " + erreur,
                         DialogIcon::Critical);
        return false;
    }
    if (recents_) recents_->ajouter_fichier_recent(chemin);
    dialogs_.message(Titre, catalogue_.text(TextKey::GameSaved), DialogIcon::Information);
    return true;
}

} // namespace quarvelin
