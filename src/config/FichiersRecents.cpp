#include "config/FichiersRecents.h"

#include "config/Version.h"

#include <QSettings>

#include <filesystem>

namespace quarvelin {

namespace {

const QString Groupe = QStringLiteral("Recent Files");

QString cle(int numero) { return QStringLiteral("RecentFile%1").arg(numero); }

} // namespace

FichiersRecents::FichiersRecents()
    : store_(
          std::make_unique<QSettings>(QStringLiteral("Quarvelin"), QStringLiteral("Quarvelin"))) {}

FichiersRecents::FichiersRecents(const QString& file)
    : store_(std::make_unique<QSettings>(file, QSettings::IniFormat)) {}

FichiersRecents::~FichiersRecents() = default;

std::string FichiersRecents::valeur(int numero) const {
    return store_->value(Groupe + u'/' + cle(numero)).toString().toStdString();
}

bool FichiersRecents::ajouter_fichier_recent(const std::string& chemin) {
    if (valeur(1) == chemin) return true;
    store_->beginGroup(Groupe);
    // An empty entry is skipped, not moved: the one below it keeps its value.
    for (int i = NombreFichiersRecents - 1; i >= 1; --i) {
        const QString v = store_->value(cle(i)).toString();
        if (!v.isEmpty()) store_->setValue(cle(i + 1), v);
    }
    store_->setValue(cle(1), QString::fromStdString(chemin));
    store_->endGroup();
    store_->sync();
    return store_->status() == QSettings::NoError;
}

std::vector<std::string> FichiersRecents::liste() const {
    std::vector<std::string> entrees;
    // By number, not by the store's own key order, which puts RecentFile10 second.
    for (int i = 1; i <= NombreFichiersRecents; ++i) {
        std::string v = valeur(i);
        if (!v.empty()) entrees.push_back(std::move(v));
    }
    return entrees;
}

std::vector<std::string> FichiersRecents::afficher_fichiers_recents() const {
    std::vector<std::string> legendes;
    if (valeur(1).empty()) return legendes;
    const std::vector<std::string> entrees = liste();
    for (std::size_t i = 0; i < entrees.size(); ++i)
        legendes.push_back(legende(static_cast<int>(i) + 1, entrees[i]));
    return legendes;
}

std::string FichiersRecents::legende(int numero, const std::string& chemin) {
    std::string l = "&";
    l.append(std::to_string(numero)).append(" ").append(chemin);
    return l;
}

std::string FichiersRecents::chemin_de_legende(const std::string& legende) {
    const std::size_t blanc = legende.find(' ');
    return blanc == std::string::npos ? std::string() : legende.substr(blanc + 1);
}

std::optional<std::string> FichiersRecents::choisir(const std::string& legende, Dialogs& dialogs,
                                                    const TextCatalogue& catalogue) {
    std::string chemin = chemin_de_legende(legende);
    std::error_code ec;
    if (chemin.empty() || !std::filesystem::is_regular_file(chemin, ec)) {
        dialogs.message(NomProgramme, catalogue.text(TextKey::FileNotFound) + "\n" + chemin,
                        DialogIcon::Exclamation);
        return std::nullopt;
    }
    return chemin;
}

} // namespace quarvelin
