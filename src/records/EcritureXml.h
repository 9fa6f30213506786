#pragma once
// Writes XML game records: a <LIST> of <GAME> elements, one element per line, CR LF lines,
// UTF-8. The file is built in a temporary file that replaces the target only when complete,
// so a failed or cancelled write leaves the old file as it was.
#include "localisation/TextCatalogue.h"
#include "records/PartieXml.h"

#include <QSaveFile>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quarvelin {

struct EchecEcriture {
    enum class Cause { Aucune, Ecriture, PasUneListe };
    Cause cause = Cause::Aucune;
    std::string detail; // the system's reason for a write error

    explicit operator bool() const { return cause != Cause::Aucune; }
    std::string message(const TextCatalogue& catalogue) const;
};

class EcritureXml {
public:
    enum class Mode { Remplacer, Ajouter };

    // horodatage goes in the comment of line 2; empty: the current date and time.
    explicit EcritureXml(std::string horodatage = {});
    ~EcritureXml();
    EcritureXml(const EcritureXml&) = delete;
    EcritureXml& operator=(const EcritureXml&) = delete;

    // Starts the temporary file. Ajouter keeps the games of an existing list and refuses a file
    // that is not one, touching nothing.
    EchecEcriture open(const std::string& path, Mode mode);
    void ecrire(const PartieXml& partie);
    // Closes the list and puts the file in place.
    EchecEcriture terminer();
    // Drops the temporary file; the target stays as it was.
    void abandonner();

    // Lines 1 to 3 of a new file.
    static std::string debut_document(const std::string& horodatage);
    // <GAME> to </GAME>, each line ending with CR LF.
    static std::string bloc_partie(const PartieXml& partie);
    static std::string echapper(std::string_view value);
    // The moves on one line: each line trimmed, single spaces between, the result after them.
    static std::string ligne_de_coups(const PartieXml& partie);
    static std::string horodatage_courant();
    // A game text as the save window holds it: "[" lines are the tags, the other lines the
    // moves (their result included).
    static PartieXml partie_de_texte(std::string_view text);

    // A whole file in one call.
    static EchecEcriture ecrire_fichier(const std::string& path,
                                        const std::vector<PartieXml>& parties, Mode mode);

private:
    std::string horodatage_;
    std::unique_ptr<QSaveFile> fichier_;
};

} // namespace quarvelin
