// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/GameFilter.h"

#include "config/Settings.h"

namespace quarvelin {

GameFilter filterFromSettings(const Settings& s) {
    GameFilter f;
    f.white = s.CRITERE_BLANC;
    f.black = s.CRITERE_NOIR;
    f.result = s.CRITERE_RESULTAT;
    f.eco = s.CRITERE_ECO;
    f.site = s.CRITERE_SITE;
    f.event = s.CRITERE_EVENT;
    f.date = s.CRITERE_DATE;
    f.round = s.CRITERE_RONDE;
    f.either = s.CRITERE_LESDEUX == 1;
    f.maximum = s.MAX_SEUIL_PARTIE;
    return f;
}

} // namespace quarvelin
