#include "session/speech/who_leads.h"

namespace tarvel {

std::string_view WhoLeadsText(const MatchStanding& standing) {
    const bool playerLeads = standing.opponentPenalty > standing.playerPenalty;
    const bool opponentLeads = standing.opponentPenalty < standing.playerPenalty;
    if (MatchGoesOn(standing)) {
        if (playerLeads) return "vyhráváš";
        if (opponentLeads) return "vyhrávám";
        return "jsme na tom stejně";
    }
    if (playerLeads) return "jsi vítěz";
    if (opponentLeads) return "jsem vítěz";
    return "remíza";
}

}  // namespace tarvel
