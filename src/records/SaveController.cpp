#include "records/SaveController.h"

#include "records/EcritureXml.h"
#include "records/FichierPartie.h"

#include <filesystem>

namespace quarvelin {

SaveController::SaveController(Dialogs& dialogs, const TextCatalogue& catalogue,
                               RecentFiles* recents)
    : dialogs_(dialogs), catalogue_(catalogue), recents_(recents) {}

std::string SaveController::composer(const GameSession& s, const Settings& settings, Colour joueur,
                                     std::chrono::year_month_day d) const {
    return texte_sauvegarde(s, settings, joueur, d, catalogue_, dialogs_, Title);
}

std::string SaveController::titre_dialogue() const { return catalogue_.text(TextKey::ChooseFile); }

std::string SaveController::filtre(FormatPartie format) const {
    return catalogue_.text(TextKey::Files) +
           (format == FormatPartie::Pgn ? " PGN (*.pgn)" : " XML (*.xml)");
}

std::string SaveController::proposedName(FormatPartie format, std::chrono::year_month_day d) const {
    const std::string name = nom_fichier_defaut(d, format);
    if (!recents_) return name;
    const auto list = recents_->list();
    if (list.empty()) return name;
    const std::filesystem::path folder = std::filesystem::path(list.front()).parent_path();
    std::error_code ec;
    if (folder.empty() || !std::filesystem::is_directory(folder, ec)) return name;
    return (folder / name).string();
}

bool SaveController::sauver(const std::string& path, const std::string& text, bool append,
                            FormatPartie format) {
    std::error_code ec;
    if (!append && std::filesystem::exists(path, ec) &&
        !dialogs_.question(Title, catalogue_.text(TextKey::ReplaceFileQuestion)))
        return false;
    if (format == FormatPartie::Xml) {
        const EchecEcriture e = EcritureXml::ecrire_fichier(
            path, {EcritureXml::partie_de_texte(text)},
            append ? EcritureXml::Mode::Ajouter : EcritureXml::Mode::Remplacer);
        if (e) {
            dialogs_.message(Title, e.message(catalogue_) + "\n" + path, DialogIcon::Critical);
            return false;
        }
        dialogs_.message(Title, catalogue_.text(TextKey::GameSaved), DialogIcon::Information);
        return true;
    }
    const std::string error = ecrire_fichier_partie(path, lignes_crlf(text + "\n"), append);
    if (!error.empty()) {
        dialogs_.message(Title,
                         catalogue_.text(TextKey::GameNotSaved) + "\n" + path + " : " + error,
                         DialogIcon::Critical);
        return false;
    }
    if (recents_) recents_->ajouter_fichier_recent(path);
    dialogs_.message(Title, catalogue_.text(TextKey::GameSaved), DialogIcon::Information);
    return true;
}

} // namespace quarvelin
