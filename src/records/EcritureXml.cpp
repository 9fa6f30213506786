#include "records/EcritureXml.h"

#include "config/Version.h"
#include "localisation/Encoding.h"
#include "records/ValeurEtiquette.h"

#include <QDateTime>
#include <QFile>
#include <QLocale>

#include <array>

namespace quarvelin {

namespace {

constexpr std::string_view FinDeLigne = "\r\n";
constexpr std::string_view FinDeListe = "</LIST>";

// Elements of a game in their order, each taken from the tag of the same name.
constexpr std::array<std::string_view, 11> ElementsEtiquettes = {
    "Event",    "Site",     "Date", "Round",   "White",    "Black",
    "WhiteElo", "BlackElo", "ECO",  "Opening", "Variation"};

void element(std::string& s, std::string_view name, std::string_view value) {
    s.append("<").append(name).append(">");
    s.append(EcritureXml::echapper(value));
    s.append("</").append(name).append(">").append(FinDeLigne);
}

bool espace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view rogner_vue(std::string_view s) {
    while (!s.empty() && espace(s.front())) s.remove_prefix(1);
    while (!s.empty() && espace(s.back())) s.remove_suffix(1);
    return s;
}

QByteArray octets(std::string_view s) {
    return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

std::string EchecEcriture::message(const TextCatalogue& catalogue) const {
    switch (cause) {
    case Cause::Aucune:
        return {};
    case Cause::PasUneListe:
        return catalogue.text(TextKey::NotAnXmlGameList);
    case Cause::Ecriture:
        return catalogue.text(TextKey::FileNotWritten) + detail;
    }
    return {};
}

EcritureXml::EcritureXml(std::string horodatage) : horodatage_(std::move(horodatage)) {
    if (horodatage_.empty()) horodatage_ = horodatage_courant();
}

EcritureXml::~EcritureXml() { abandonner(); }

std::string EcritureXml::horodatage_courant() {
    const QLocale locale = QLocale::system();
    const QDateTime maintenant = QDateTime::currentDateTime();
    return (locale.toString(maintenant.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
            locale.toString(maintenant.time(), QLocale::ShortFormat))
        .toStdString();
}

std::string EcritureXml::debut_document(const std::string& horodatage) {
    std::string s = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>";
    s.append(FinDeLigne);
    // Only characters a comment may hold: no "--" inside it, no "-" at its end.
    std::string date;
    for (char c : echapper(horodatage))
        if (c != '-' || date.empty() || date.back() != '-') date += c;
    while (!date.empty() && date.back() == '-') date.pop_back();
    s.append("<!-- Quarvelin ").append(VersionProgramme).append(" - ").append(date).append("-->");
    s.append(FinDeLigne).append("<LIST>").append(FinDeLigne);
    return s;
}

std::string EcritureXml::echapper(std::string_view value) {
    const std::string text = utf8Text(value);
    std::string s;
    s.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
        case '&':
            s += "&amp;";
            break;
        case '<':
            s += "&lt;";
            break;
        case '>':
            s += "&gt;";
            break;
        case '"':
            s += "&quot;";
            break;
        case '\'':
            s += "&apos;";
            break;
        // One element a line: a line break in a value becomes a space.
        case '\r':
        case '\n':
            s += ' ';
            break;
        default:
            // Control characters and U+FFFE, U+FFFF cannot appear in an XML document at all.
            if (u < 0x20 && c != '\t') break;
            if (u == 0xEF && i + 2 < text.size() &&
                static_cast<unsigned char>(text[i + 1]) == 0xBF &&
                (static_cast<unsigned char>(text[i + 2]) & 0xFE) == 0xBE) {
                i += 2;
                break;
            }
            s += c;
        }
    }
    return s;
}

std::string EcritureXml::ligne_de_coups(const PartieXml& partie) {
    std::string moves;
    std::string_view reste = partie.moves;
    while (!reste.empty()) {
        const std::size_t end = reste.find('\n');
        const std::string_view line = rogner_vue(reste.substr(0, end));
        reste = end == std::string_view::npos ? std::string_view{} : reste.substr(end + 1);
        if (line.empty()) continue;
        if (!moves.empty()) moves += ' ';
        moves.append(line);
    }
    const std::string_view result = rogner_vue(partie.result);
    if (!result.empty()) {
        const bool dejaLa =
            moves.ends_with(result) &&
            (moves.size() == result.size() || espace(moves[moves.size() - result.size() - 1]));
        if (!dejaLa) {
            if (!moves.empty()) moves += ' ';
            moves.append(result);
        }
    }
    return moves;
}

std::string EcritureXml::bloc_partie(const PartieXml& partie) {
    auto value = [&](std::string_view name) -> std::string {
        if (!partie.etiquettes.empty()) {
            for (const auto& [n, v] : partie.etiquettes)
                if (n == name) return v;
            return {};
        }
        std::string etiquette = "[";
        etiquette.append(name);
        return valeur_etiquette(etiquette, partie.entete);
    };
    std::string s = "<GAME>";
    s.append(FinDeLigne);
    for (std::string_view name : ElementsEtiquettes) element(s, name, value(name));
    element(s, "Move", ligne_de_coups(partie));
    element(s, "Comment", value("Comment"));
    s.append("</GAME>").append(FinDeLigne);
    return s;
}

PartieXml EcritureXml::partie_de_texte(std::string_view text) {
    PartieXml p;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = rogner_vue(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (line.empty()) continue;
        std::string& cible = line.front() == '[' ? p.entete : p.moves;
        cible.append(line).append(FinDeLigne);
    }
    return p;
}

EchecEcriture EcritureXml::open(const std::string& path, Mode mode) {
    abandonner();
    const QString name = QString::fromStdString(path);
    std::string debut;
    if (mode == Mode::Ajouter && QFile::exists(name)) {
        QFile ancien(name);
        if (!ancien.open(QIODevice::ReadOnly))
            return {EchecEcriture::Cause::Ecriture, ancien.errorString().toStdString()};
        const QByteArray content = ancien.readAll();
        std::string text = utf8Text(std::string_view(content.constData(), content.size()));
        const std::string_view garde = rogner_vue(text);
        if (!garde.empty()) {
            if (!garde.ends_with(FinDeListe)) return {EchecEcriture::Cause::PasUneListe, {}};
            // Everything up to the closing tag stays; the file is UTF-8 from now on.
            debut.assign(text, 0,
                         static_cast<std::size_t>(garde.data() - text.data()) + garde.size() -
                             FinDeListe.size());
            if (debut.starts_with("<?xml")) {
                const std::size_t end = debut.find("?>");
                if (end != std::string::npos)
                    debut.replace(0, end + 2, "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>");
            }
        }
    }
    if (debut.empty()) debut = debut_document(horodatage_);

    fichier_ = std::make_unique<QSaveFile>(name);
    if (!fichier_->open(QIODevice::WriteOnly)) {
        EchecEcriture e{EchecEcriture::Cause::Ecriture, fichier_->errorString().toStdString()};
        fichier_.reset();
        return e;
    }
    fichier_->write(octets(debut));
    return {};
}

void EcritureXml::ecrire(const PartieXml& partie) {
    if (fichier_) fichier_->write(octets(bloc_partie(partie)));
}

EchecEcriture EcritureXml::terminer() {
    if (!fichier_) return {EchecEcriture::Cause::Ecriture, {}};
    std::string end(FinDeListe);
    end.append(FinDeLigne);
    fichier_->write(octets(end));
    EchecEcriture e;
    // commit() reports any earlier write error too, and then leaves the target untouched.
    if (!fichier_->commit())
        e = {EchecEcriture::Cause::Ecriture, fichier_->errorString().toStdString()};
    fichier_.reset();
    return e;
}

void EcritureXml::abandonner() {
    if (fichier_) fichier_->cancelWriting();
    fichier_.reset();
}

EchecEcriture EcritureXml::ecrire_fichier(const std::string& path,
                                          const std::vector<PartieXml>& parties, Mode mode) {
    EcritureXml ecriture;
    if (EchecEcriture e = ecriture.open(path, mode)) return e;
    for (const PartieXml& p : parties) ecriture.ecrire(p);
    return ecriture.terminer();
}

} // namespace quarvelin
