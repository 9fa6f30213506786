#include "records/FiltreParties.h"

#include "config/Settings.h"

namespace quarvelin {

FiltreParties filtre_des_reglages(const Settings& s) {
    FiltreParties f;
    f.blanc = s.CRITERE_BLANC;
    f.noir = s.CRITERE_NOIR;
    f.result = s.CRITERE_RESULTAT;
    f.eco = s.CRITERE_ECO;
    f.site = s.CRITERE_SITE;
    f.evenement = s.CRITERE_EVENT;
    f.date = s.CRITERE_DATE;
    f.ronde = s.CRITERE_RONDE;
    f.lesDeux = s.CRITERE_LESDEUX == 1;
    f.maximum = s.MAX_SEUIL_PARTIE;
    return f;
}

} // namespace quarvelin
