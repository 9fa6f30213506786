#include "records/PartieDistante.h"

namespace quarvelin {

PartieDistante::PartieDistante(const TextCatalogue& catalogue, Dialogs& dialogs,
                               Commentary& commentaire, std::string titre)
    : catalogue_(catalogue), dialogs_(dialogs), commentaire_(commentaire),
      titre_(std::move(titre)) {}

bool PartieDistante::load(const std::string& text) {
    return chargement_.load(text, [this](const ResultatChargement& r) { terminer(r); });
}

void PartieDistante::terminer(const ResultatChargement& r) {
    if (fini) fini();
    if (!r.reussi()) {
        dialogs_.message(titre_, r.message(catalogue_), DialogIcon::Exclamation);
        return;
    }
    PartieRecue p{r.partie.GameText, r.partie.GameMoveText, r.result, r.adresse};
    if (commentaire_.visible())
        commentaire_.append(catalogue_.text(TextKey::ChessGame) + " {" + r.adresse + "} :\r\n" +
                             p.GameText);
    p.GameText += "\r\n";
    dialogs_.message(catalogue_.text(TextKey::DownloadedGame), p.GameText + p.GameMoveText,
                     DialogIcon::Information);
    if (recue) recue(p);
}

} // namespace quarvelin
