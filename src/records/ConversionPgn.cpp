#include "records/ConversionPgn.h"

#include "records/DebutPartie.h"
#include "records/IndexPgn.h"
#include "records/LecteurPgn.h"
#include "session/Annulation.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QUrl>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <limits>
#include <unistd.h>

namespace quarvelin {

namespace {

constexpr std::size_t Bloc = 1 << 20;
constexpr std::size_t SeuilEcriture = 1 << 20;
// Problems told one by one in the final message; the rest are only counted.
constexpr std::size_t ProblemesDetailles = 10;
constexpr std::string_view FinDeLigne = "\r\n";

// Only the blanks a game start may follow are taken from the front, so no line becomes the
// start of a game it was not.
std::string_view rogner(std::string_view s) {
    while (!s.empty() && blanc_de_ligne(s.front())) s.remove_prefix(1);
    while (!s.empty() && (blanc_de_ligne(s.back()) || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

std::string pourquoi(int error) { return std::strerror(error); }

// One game's lines as the PGN conversion writes them, fed in pieces of whole lines.
class RecopieLignes {
public:
    explicit RecopieLignes(std::string& sortie) : sortie_(sortie) {}

    void lines(std::string_view text) {
        while (!text.empty()) {
            const std::size_t end = text.find('\n');
            std::string_view l = rogner(text.substr(0, end));
            // "[Event " starts a game; cut to "[Event" it would not, and the copy would lose
            // its first game or merge two.
            if (l == "[Event" && text.substr(0, end).find("[Event ") != std::string_view::npos)
                l = "[Event ";
            line(l);
            text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        }
    }

    void finir() {
        sortie_.append(FinDeLigne);
        entete_ = true;
        tags_ = false;
    }

private:
    void line(std::string_view l) {
        if (l.empty()) {
            // An empty line ends the tags, as it does for the index.
            if (tags_) entete_ = false;
            return;
        }
        if (entete_ && l.front() == '[') {
            tags_ = true;
        } else if (entete_ || tags_) {
            if (tags_) sortie_.append(FinDeLigne);
            entete_ = tags_ = false;
        }
        sortie_.append(l).append(FinDeLigne);
    }

    std::string& sortie_;
    bool entete_ = true; // still in the tag lines
    bool tags_ = false;  // tag lines written, the empty line after them not yet
};

// The source read forward in large blocks: games asked for in file order are found without
// reading any block twice.
class SourceSuivie {
public:
    explicit SourceSuivie(std::istream& in) : in_(in) {}

    // Copies the game whose first line is at `position`, up to the next game's first line.
    // vider is called whenever the output has grown large.
    void copier(std::uint64_t position, std::string& sortie,
                const std::function<void(std::string&)>& clear) {
        placer(position);
        RecopieLignes recopie(sortie);
        std::size_t depuis = 0;
        bool premiere = true; // the game's own first line is still ahead
        for (;;) {
            if (reste().empty() && !fin_) lire();
            const std::string_view text = reste();
            const RechercheDebut r = chercher_debut_partie(text, depuis, true, fin_);
            if (r.line == 0 && premiere) {
                depuis = r.crochet + 1;
                premiere = false;
                continue;
            }
            if (r.line != RechercheDebut::Aucun || fin_) {
                const std::size_t end = r.line != RechercheDebut::Aucun ? r.line : text.size();
                recopie.lines(text.substr(0, end));
                consommer(end);
                recopie.finir();
                return;
            }
            // The whole lines before the point the search goes on from can go out now, so a
            // game of any length needs no more than a few blocks.
            const std::size_t nl =
                r.reprise == 0 ? std::string_view::npos : text.rfind('\n', r.reprise - 1);
            if (nl != std::string_view::npos) {
                recopie.lines(text.substr(0, nl + 1));
                consommer(nl + 1);
                depuis = r.reprise - (nl + 1);
                premiere = false;
                if (sortie.size() >= SeuilEcriture) clear(sortie);
            } else {
                depuis = r.reprise;
            }
            lire();
        }
    }

    bool error() const { return error_; }

private:
    std::string_view reste() const { return std::string_view(tampon_).substr(debut_); }

    void placer(std::uint64_t position) {
        if (position >= base_ && position - base_ <= reste().size()) {
            consommer(static_cast<std::size_t>(position - base_));
            return;
        }
        tampon_.clear();
        debut_ = 0;
        in_.clear();
        in_.seekg(static_cast<std::streamoff>(position));
        base_ = position;
        fin_ = !in_;
    }

    void consommer(std::size_t n) {
        debut_ += n;
        base_ += n;
    }

    void lire() {
        if (fin_) return;
        // What was used goes once a block, not once a game.
        tampon_.erase(0, debut_);
        debut_ = 0;
        const std::size_t avant = tampon_.size();
        tampon_.resize(avant + Bloc);
        in_.read(tampon_.data() + avant, static_cast<std::streamsize>(Bloc));
        tampon_.resize(avant + static_cast<std::size_t>(in_.gcount()));
        if (!in_) {
            fin_ = true;
            error_ = error_ || in_.bad();
        }
    }

    std::istream& in_;
    std::string tampon_;
    std::size_t debut_ = 0;  // what is before it has been used
    std::uint64_t base_ = 0; // file position of tampon_[debut_]
    bool fin_ = false;
    bool error_ = false;
};

// Files written beside their targets and put in place together once everything is written;
// those never put in place are removed.
class FichiersEnAttente {
public:
    FichiersEnAttente() = default;
    FichiersEnAttente(const FichiersEnAttente&) = delete;
    FichiersEnAttente& operator=(const FichiersEnAttente&) = delete;
    ~FichiersEnAttente() {
        for (const Attente& a : attente_) ::unlink(a.temporaire.c_str());
    }

    // Empty on success, else why not.
    std::string ecrire(const std::string& path, std::string_view content) {
        namespace fs = std::filesystem;
        std::error_code ec;
        // Through a link, the file it leads to is the one replaced.
        std::string cible = path;
        if (fs::is_symlink(path, ec)) {
            const fs::path vrai = fs::weakly_canonical(path, ec);
            if (!ec) cible = vrai.string();
        }
        if (fs::is_directory(cible, ec)) return pourquoi(EISDIR);
        std::string temp;
        int fd = -1;
        // O_EXCL keeps a file of the user's that has the temporary name safe.
        for (int essai = 0; essai < 100 && fd < 0; ++essai) {
            temp = cible + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(essai);
            fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd < 0 && errno != EEXIST) break;
        }
        if (fd < 0) return pourquoi(errno);
        std::size_t fait = 0;
        int error = 0;
        while (fait < content.size()) {
            const ssize_t n = ::write(fd, content.data() + fait, content.size() - fait);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                error = n == 0 ? EIO : errno;
                break;
            }
            fait += static_cast<std::size_t>(n);
        }
        // On disk before it replaces anything, so a crash leaves one whole file or the other.
        if (error == 0 && ::fsync(fd) != 0) error = errno;
        if (::close(fd) != 0 && error == 0) error = errno;
        if (error != 0) {
            ::unlink(temp.c_str());
            return pourquoi(error);
        }
        attente_.push_back({temp, cible});
        return {};
    }

    // Puts every file in place; empty on success, else the file that failed and why.
    std::string validate() {
        for (std::size_t i = 0; i < attente_.size(); ++i) {
            if (::rename(attente_[i].temporaire.c_str(), attente_[i].cible.c_str()) != 0) {
                const std::string reason = attente_[i].cible + " : " + pourquoi(errno);
                attente_.erase(attente_.begin(), attente_.begin() + static_cast<std::ptrdiff_t>(i));
                return reason;
            }
        }
        attente_.clear();
        return {};
    }

private:
    struct Attente {
        std::string temporaire, cible;
    };
    std::vector<Attente> attente_;
};

// The progress of both steps on one scale: the scan up to `partageScan`, the writing after.
class Avancement {
public:
    Avancement(const ProgressionConversion& progression, int partageScan)
        : progression_(progression), partageScan_(partageScan) {}

    void scan(int pourcent, std::int64_t acceptees, std::int64_t vues) {
        dire(pourcent * partageScan_ / 100, acceptees, vues);
    }
    void ecriture(std::size_t faites, std::size_t total, std::int64_t acceptees,
                  std::int64_t vues) {
        const int part = total == 0 ? 100 : static_cast<int>(faites * 100 / total);
        dire(partageScan_ + part * (100 - partageScan_) / 100, acceptees, vues);
    }

private:
    void dire(int pourcent, std::int64_t acceptees, std::int64_t vues) {
        if (!progression_ || pourcent == dernier_) return;
        dernier_ = pourcent;
        progression_(pourcent, acceptees, vues);
    }

    const ProgressionConversion& progression_;
    int partageScan_;
    int dernier_ = -1;
};

std::string adresse_fichier(const std::string& path) {
    const QString absolu = QFileInfo(QString::fromStdString(path)).absoluteFilePath();
    // Encoded, so a name with spaces or accents is still one valid address.
    return QUrl::fromLocalFile(absolu).toString(QUrl::FullyEncoded).toStdString();
}

PartieXml partie_xml(PartieLue&& lue) {
    PartieXml p;
    p.entete = std::move(lue.GameText);
    p.etiquettes = std::move(lue.etiquettes);
    p.moves = std::move(lue.GameMoveText);
    p.result = std::move(lue.GameResult);
    return p;
}

void erreur_ecriture(ResultatConversion& r, const std::string& path, const std::string& reason) {
    r.error = ResultatConversion::Erreur::Ecriture;
    r.detail = reason.empty() ? path : path + " : " + reason;
}

// Writes the games to one PGN file, each as it was written in the source.
void vers_pgn(std::istream& in, const IndexPgn& index, const std::string& cible,
              ResultatConversion& r, Avancement& avancement) {
    QSaveFile file(QString::fromStdString(cible));
    if (!file.open(QIODevice::WriteOnly)) {
        erreur_ecriture(r, cible, file.errorString().toStdString());
        return;
    }
    bool ok = true;
    auto clear = [&](std::string& s) {
        if (ok && !s.empty())
            ok = file.write(s.data(), static_cast<qint64>(s.size())) ==
                 static_cast<qint64>(s.size());
        s.clear();
    };
    SourceSuivie source(in);
    std::string sortie;
    for (std::size_t i = 0; i < index.size() && ok; ++i) {
        if (annulation_demandee()) {
            r.cancelled = true;
            file.cancelWriting();
            return;
        }
        source.copier(index.position(i), sortie, clear);
        if (sortie.size() >= SeuilEcriture) clear(sortie);
        ++r.ecrites;
        avancement.ecriture(i + 1, index.size(), static_cast<std::int64_t>(index.size()),
                            index.vues());
    }
    clear(sortie);
    if (source.error()) {
        r.error = ResultatConversion::Erreur::LectureSource;
        file.cancelWriting();
        return;
    }
    if (!ok) {
        erreur_ecriture(r, cible, file.errorString().toStdString());
        file.cancelWriting();
        return;
    }
    if (!file.commit()) {
        erreur_ecriture(r, cible, file.errorString().toStdString());
        return;
    }
    r.fichiers.push_back(cible);
}

// Writes the games as XML records: all in the target, or each in a file of its own.
void vers_xml(std::istream& in, const IndexPgn& index, const std::string& cible,
              const OptionsConversion& options, ResultatConversion& r, Avancement& avancement) {
    FichiersEnAttente attente;
    EcritureXml list;
    const std::string horodatage = EcritureXml::horodatage_courant();
    if (!options.unParFichier) {
        if (EchecEcriture e = list.open(cible, EcritureXml::Mode::Remplacer)) {
            erreur_ecriture(r, cible, e.detail);
            return;
        }
    }
    for (std::size_t i = 0; i < index.size(); ++i) {
        if (annulation_demandee()) {
            r.cancelled = true;
            r.fichiers.clear();
            return; // the writer and the files waiting are dropped with the target untouched
        }
        PartieLue lue = lire_partie_pgn(in, index.position(i));
        if (lue.error == TextKey::FileReadError) {
            r.error = ResultatConversion::Erreur::LectureSource;
            r.fichiers.clear();
            return;
        }
        const auto number = static_cast<std::int64_t>(i + 1);
        // Nothing read: no game to write, only to tell of.
        const bool vide = lue.error == TextKey::NoGameAtPlace;
        if (!lue.ok())
            r.problems.push_back({number, !vide, lue.error, lue.errorNumber, lue.detail});
        if (!vide) {
            const PartieXml partie = partie_xml(std::move(lue));
            if (options.unParFichier) {
                const std::string path = nom_fichier_partie(cible, number);
                std::string document = EcritureXml::debut_document(horodatage);
                document.append(EcritureXml::bloc_partie(partie)).append("</LIST>");
                document.append(FinDeLigne);
                if (const std::string reason = attente.ecrire(path, document); !reason.empty()) {
                    erreur_ecriture(r, path, reason);
                    r.fichiers.clear();
                    return;
                }
                r.fichiers.push_back(path);
            } else {
                list.ecrire(partie);
            }
            ++r.ecrites;
        }
        avancement.ecriture(i + 1, index.size(), static_cast<std::int64_t>(index.size()),
                            index.vues());
    }
    if (!options.unParFichier) r.fichiers.push_back(cible);

    if (options.fichierAdresses) {
        std::string adresses;
        for (const std::string& f : r.fichiers) adresses.append(adresse_fichier(f)).append("\n");
        const std::string path = nom_fichier_adresses(cible);
        if (const std::string reason = attente.ecrire(path, adresses); !reason.empty()) {
            erreur_ecriture(r, path, reason);
            r.fichiers.clear();
            return;
        }
        r.fichierAdresses = path;
    }
    if (!options.unParFichier) {
        if (EchecEcriture e = list.terminer()) {
            erreur_ecriture(r, cible, e.detail);
            r.fichiers.clear();
            r.fichierAdresses.clear();
            return;
        }
    }
    if (const std::string reason = attente.validate(); !reason.empty()) {
        r.error = ResultatConversion::Erreur::Ecriture;
        r.detail = reason;
    }
}

} // namespace

ResultatConversion convertir_fichier_pgn(const std::string& source, const std::string& cible,
                                         const FiltreParties& filtre,
                                         const OptionsConversion& options,
                                         const ProgressionConversion& progression) {
    ResultatConversion r;
    std::error_code ec;
    if (!std::filesystem::exists(source, ec) || std::filesystem::is_directory(source, ec)) {
        r.error = ResultatConversion::Erreur::SourceIntrouvable;
        r.detail = source;
        return r;
    }
    // The scan is quick beside reading every move for XML; copying the text is not.
    Avancement avancement(progression, options.format == FormatConversion::Xml ? 5 : 50);
    FiltreParties toutes = filtre;
    toutes.maximum = std::numeric_limits<std::int64_t>::max();
    std::optional<IndexPgn> index = IndexPgn::indexer_fichier(
        source, toutes, [&](int pourcent, std::int64_t listees, std::int64_t vues) {
            avancement.scan(pourcent, listees, vues);
        });
    if (!index || index->erreur_lecture()) {
        r.error = ResultatConversion::Erreur::LectureSource;
        r.detail = source;
        return r;
    }
    r.lues = index->vues();
    if (index->annule()) {
        r.cancelled = true;
        return r;
    }
    std::ifstream in(source, std::ios::binary);
    if (!in) {
        r.error = ResultatConversion::Erreur::LectureSource;
        r.detail = source;
        return r;
    }
    if (options.format == FormatConversion::Pgn)
        vers_pgn(in, *index, cible, r, avancement);
    else
        vers_xml(in, *index, cible, options, r, avancement);
    if (r.error == ResultatConversion::Erreur::LectureSource) r.detail = source;
    if (!r.reussie())
        r.ecrites = 0; // nothing was put in place
    else
        avancement.ecriture(1, 1, static_cast<std::int64_t>(index->size()), index->vues());
    return r;
}

std::string message_conversion(const ResultatConversion& r, const TextCatalogue& catalogue) {
    switch (r.error) {
    case ResultatConversion::Erreur::SourceIntrouvable:
        return catalogue.text(TextKey::FileNotFound) + " (" + r.detail + ")";
    case ResultatConversion::Erreur::LectureSource:
        return catalogue.text(TextKey::FileReadError) + r.detail;
    case ResultatConversion::Erreur::Ecriture:
        return catalogue.text(TextKey::FileNotWritten) + r.detail;
    case ResultatConversion::Erreur::Aucune:
        break;
    }
    if (r.cancelled) return catalogue.text(TextKey::ConversionCancelled);

    std::string text = catalogue.text(TextKey::ConversionFinished) + std::to_string(r.ecrites) +
                        catalogue.text(TextKey::GamesReadCount) + std::to_string(r.lues);
    std::int64_t avecErreur = 0, nonEcrites = 0;
    for (const ProblemeConversion& p : r.problems) (p.ecrite ? avecErreur : nonEcrites) += 1;
    if (avecErreur > 0)
        text += catalogue.text(TextKey::GamesWithReadingError) + std::to_string(avecErreur);
    if (nonEcrites > 0)
        text += catalogue.text(TextKey::UnreadableGamesNotWritten) + std::to_string(nonEcrites);
    auto remplacer = [](std::string modele, std::int64_t n) {
        if (std::size_t marque = modele.find("%1"); marque != std::string::npos)
            modele.replace(marque, 2, std::to_string(n));
        return modele;
    };
    for (std::size_t i = 0; i < r.problems.size() && i < ProblemesDetailles; ++i) {
        const ProblemeConversion& p = r.problems[i];
        PartieLue lue;
        lue.error = p.error;
        lue.errorNumber = p.errorNumber;
        lue.detail = p.detail;
        text += remplacer(catalogue.text(TextKey::GameNumber), p.number) +
                 message_lecture(lue, catalogue);
    }
    if (r.problems.size() > ProblemesDetailles)
        text += remplacer(catalogue.text(TextKey::AndMore),
                           static_cast<std::int64_t>(r.problems.size() - ProblemesDetailles));
    if (!r.fichierAdresses.empty())
        text += catalogue.text(TextKey::AddressFile) + r.fichierAdresses;
    return text;
}

namespace {

// The place of the dot that starts the name's extension; npos when it has none (a dot in a
// folder's name or at the start of the name is none).
std::size_t point_extension(const std::string& path) {
    const std::size_t barre = path.rfind('/');
    const std::size_t debutNom = barre == std::string::npos ? 0 : barre + 1;
    const std::size_t point = path.rfind('.');
    return point != std::string::npos && point > debutNom ? point : std::string::npos;
}

} // namespace

std::optional<FormatConversion> format_de_cible(const std::string& path) {
    const std::size_t point = point_extension(path);
    if (point == std::string::npos) return std::nullopt;
    std::string extension = path.substr(point + 1);
    for (char& c : extension)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (extension == "xml") return FormatConversion::Xml;
    if (extension == "pgn") return FormatConversion::Pgn;
    return std::nullopt;
}

std::string nom_fichier_partie(const std::string& cible, std::int64_t number) {
    std::string n = std::to_string(number);
    if (n.size() < 4) n.insert(0, 4 - n.size(), '0');
    const std::size_t point = point_extension(cible);
    if (point == std::string::npos) return cible + "_" + n;
    return cible.substr(0, point) + "_" + n + cible.substr(point);
}

std::string nom_fichier_adresses(const std::string& cible) {
    const std::size_t point = point_extension(cible);
    std::string name = (point == std::string::npos ? cible : cible.substr(0, point)) + ".txt";
    // A target that is itself a .txt file keeps its content.
    if (name == cible) name += ".txt";
    return name;
}

std::string recopier_partie_pgn(std::string_view text) {
    std::string sortie;
    RecopieLignes recopie(sortie);
    recopie.lines(text);
    recopie.finir();
    return sortie;
}

} // namespace quarvelin
