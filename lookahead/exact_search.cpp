#include "lookahead/exact_search.h"

namespace tarvel::lookahead {
namespace {

// The rules ask for a random source only to shuffle; a line that would shuffle is
// left open before it gets here.
struct NoShuffle {
    std::uint32_t Random(std::uint32_t) { return 0; }
};

// True when drawing now would turn the pile and shuffle it: luck, not a move.
bool ShufflesAhead(const rules::Position& p, rules::Move move) {
    if (!p.rules.shuffle || move.kind != rules::MoveKind::Draw) return false;
    const int wanted = p.pendingDraw == 0 ? 1 : p.pendingDraw;
    return wanted > p.stockSize && p.pileSize > 2;
}

}  // namespace

Proof ProveOutcome(const rules::Position& p, std::uint8_t seat, int depth, long& nodes) {
    if (p.Over()) return p.winner == seat ? Proof::Win : Proof::Loss;
    if (depth <= 0 || --nodes < 0) return Proof::Open;
    const bool mine = p.toMove == seat;
    // On its own move one winning line is enough; on the other's, one escape refutes.
    const Proof enough = mine ? Proof::Win : Proof::Loss;
    const Proof otherwise = mine ? Proof::Loss : Proof::Win;
    bool allOtherwise = true;
    for (const rules::Move& move : rules::LegalMoves(p)) {
        if (ShufflesAhead(p, move)) {
            allOtherwise = false;
            continue;
        }
        rules::Position next = p;
        NoShuffle none;
        rules::Apply(next, move, none);
        const Proof child = ProveOutcome(next, seat, depth - 1, nodes);
        if (child == enough) return enough;
        if (child != otherwise) allOtherwise = false;
        if (nodes < 0) return Proof::Open;
    }
    return allOtherwise ? otherwise : Proof::Open;
}

}  // namespace tarvel::lookahead
