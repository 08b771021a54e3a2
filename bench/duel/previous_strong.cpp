// The first strong level, unchanged in what it chooses: hard bans from the other's
// draws and stands, deals with the pile's order scattered, playouts that lay a
// random fitting card, each queen tried with all four suits.
#include "bench/duel/previous_strong.h"

#include <array>
#include <vector>

namespace tarvel::duel {
namespace {

using rules::CardId;
using rules::CardSet;
using rules::Position;

class XorShift {
  public:
    explicit XorShift(std::uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull) {
        if (state_ == 0) state_ = 1;
    }
    std::uint64_t Next() {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return state_ * 0x2545F4914F6CDD1Dull;
    }
    std::uint32_t Random(std::uint32_t n) {
        return static_cast<std::uint32_t>(((Next() >> 32) * static_cast<std::uint64_t>(n)) >> 32);
    }

  private:
    std::uint64_t state_;
};

struct Knowledge {
    rules::SeatView view;
    std::array<CardId, rules::kCards> knownStock{};
    CardSet lacks = 0;
    std::uint8_t unsureCards = 0;
};

struct Decision {
    rules::Move move;
    std::uint8_t suit = rules::kNoSuit;
};

constexpr int kPlayouts = 2400;
constexpr int kLeastPerMove = 16;
constexpr long kMoveBudget = 60000;
constexpr int kPlayoutMoveLimit = 400;

CardSet TakeRandom(CardSet& from, int count, XorShift& random) {
    CardSet taken = 0;
    for (int i = 0; i < count && from != 0; ++i) {
        int skip = static_cast<int>(random.Random(static_cast<std::uint32_t>(rules::CountOf(from))));
        CardSet rest = from;
        while (skip-- > 0) rest &= rest - 1;
        const CardSet bit = rest & (~rest + 1);
        taken |= bit;
        from &= ~bit;
    }
    return taken;
}

std::uint8_t Scatter(CardSet set, CardId* out, XorShift& random) {
    int n = 0;
    for (CardSet s = set; s != 0; s &= s - 1) out[n++] = rules::LowestCard(s);
    for (int i = n - 1; i > 0; --i) {
        const int j = static_cast<int>(random.Random(static_cast<std::uint32_t>(i + 1)));
        const CardId t = out[i];
        out[i] = out[j];
        out[j] = t;
    }
    return static_cast<std::uint8_t>(n);
}

Position SampleDeal(const Knowledge& k, XorShift& random) {
    const rules::SeatView& v = k.view;
    const std::uint8_t other = rules::OtherSeat(v.seat);
    Position p;
    p.rules = v.rules;
    p.hands[v.seat] = v.ownHand;
    p.namedSuit = v.namedSuit;
    p.toMove = v.toMove;
    p.pendingDraw = v.pendingDraw;
    p.acePending = v.acePending;
    p.suitToName = v.suitToName;
    p.outSeat = v.outSeat;
    p.stockOrderKnown = v.stockOrderKnown;
    CardSet under = rules::kAllCards & ~v.ownHand & ~v.unseen;
    if (v.top != rules::kNoCard) under &= ~rules::Bit(v.top);
    p.pileSize = Scatter(under, p.pile.data(), random);
    if (v.top != rules::kNoCard) p.pile[p.pileSize++] = v.top;
    if (v.stockOrderKnown) {
        p.stock = k.knownStock;
        p.stockSize = v.stockSize;
        p.hands[other] = v.unseen & ~p.StockSet();
        return p;
    }
    CardSet pool = v.unseen;
    CardSet allowed = pool & ~k.lacks;
    int sure = v.otherCount - k.unsureCards;
    if (sure < 0) sure = 0;
    if (sure > rules::CountOf(allowed)) sure = rules::CountOf(allowed);
    CardSet hand = TakeRandom(allowed, sure, random);
    pool &= ~hand;
    hand |= TakeRandom(pool, v.otherCount - sure, random);
    p.hands[other] = hand;
    p.stockSize = Scatter(pool, p.stock.data(), random);
    return p;
}

CardSet LayableByOther(const rules::SeatView& view) {
    Position p;
    p.rules = view.rules;
    const std::uint8_t other = rules::OtherSeat(view.seat);
    p.hands[other] = view.unseen;
    p.pile[0] = view.top;
    p.pileSize = view.top == rules::kNoCard ? 0 : 1;
    p.namedSuit = view.namedSuit;
    p.toMove = other;
    p.pendingDraw = view.pendingDraw;
    p.acePending = view.acePending;
    p.outSeat = view.outSeat;
    return p.pileSize == 0 ? 0 : rules::LayableCards(p);
}

CardId RandomCardOf(CardSet set, XorShift& random) {
    int skip = static_cast<int>(random.Random(static_cast<std::uint32_t>(rules::CountOf(set))));
    while (skip-- > 0) set &= set - 1;
    return rules::LowestCard(set);
}

std::uint8_t SuitHeldMost(CardSet hand, std::uint8_t fallback) {
    hand &= ~rules::kQueens;
    std::uint8_t best = fallback;
    int most = 0;
    for (std::uint8_t suit = 0; suit < 4; ++suit) {
        const int count = rules::CountOf(hand & rules::SuitSet(suit));
        if (count > most) {
            most = count;
            best = suit;
        }
    }
    return best < 4 ? best : 0;
}

rules::Move QuickMove(const Position& p, XorShift& random) {
    const CardSet hand = p.hands[p.toMove];
    if (p.suitToName) return rules::Move::NameSuit(SuitHeldMost(hand, rules::SuitOf(p.Top())));
    const CardSet layable = rules::LayableCards(p);
    if (layable == 0) return rules::Move{rules::TurnEndingKind(p), 0};
    const CardSet plain = layable & ~rules::kQueens;
    return rules::Move::Lay(RandomCardOf(plain != 0 ? plain : layable, random));
}

double ScoreOf(const Position& p, std::uint8_t seat, bool forPoints) {
    if (!p.Over()) return forPoints ? 0.0 : 0.5;
    const bool won = p.winner == seat;
    if (!forPoints) return won ? 1.0 : 0.0;
    return won ? rules::HandPoints(p.hands[rules::OtherSeat(seat)]) : -rules::HandPoints(p.hands[seat]);
}

double PlayOut(Position p, std::uint8_t seat, bool forPoints, XorShift& random, long& steps) {
    for (int i = 0; i < kPlayoutMoveLimit && !p.Over(); ++i) {
        ++steps;
        const rules::MoveOutcome out = rules::Apply(p, QuickMove(p, random), random);
        if (out.refusal != rules::Refusal::None) {
            const rules::MoveList legal = rules::LegalMoves(p);
            if (legal.size == 0) break;
            rules::Apply(p, legal.moves[0], random);
        }
    }
    return ScoreOf(p, seat, forPoints);
}

std::vector<Decision> Candidates(const Position& world, XorShift& random) {
    std::vector<Decision> list;
    for (const rules::Move& move : rules::LegalMoves(world)) {
        if (move.kind == rules::MoveKind::Lay) {
            Position after = world;
            rules::Apply(after, move, random);
            if (after.suitToName) {
                for (std::uint8_t suit = 0; suit < 4; ++suit) list.push_back({move, suit});
                continue;
            }
        }
        list.push_back({move, rules::kNoSuit});
    }
    return list;
}

void Play(Position& p, const Decision& d, XorShift& random) {
    rules::Apply(p, d.move, random);
    if (p.suitToName && d.suit != rules::kNoSuit) rules::Apply(p, rules::Move::NameSuit(d.suit), random);
}

Decision ChooseMove(const Knowledge& knowledge, bool forPoints, std::uint64_t seed) {
    XorShift random(seed);
    const std::uint8_t seat = knowledge.view.seat;
    const Position first = SampleDeal(knowledge, random);
    const std::vector<Decision> candidates = Candidates(first, random);
    if (candidates.empty()) return {rules::Move{rules::TurnEndingKind(first), 0}, rules::kNoSuit};
    if (candidates.size() == 1) return candidates.front();
    const int count = static_cast<int>(candidates.size());
    int deals = kPlayouts / count;
    if (deals < kLeastPerMove) deals = kLeastPerMove;
    std::vector<double> totals(candidates.size(), 0.0);
    long steps = 0;
    for (int k = 0; k < deals && (k < kLeastPerMove || steps < kMoveBudget); ++k) {
        const Position world = k == 0 ? first : SampleDeal(knowledge, random);
        const std::uint64_t luck = random.Next();
        for (std::size_t i = 0; i < candidates.size(); ++i) {
            XorShift playRandom(luck);
            Position p = world;
            Play(p, candidates[i], playRandom);
            totals[i] += PlayOut(p, seat, forPoints, playRandom, steps);
        }
    }
    std::size_t best = 0;
    for (std::size_t i = 1; i < totals.size(); ++i) {
        if (totals[i] > totals[best]) best = i;
    }
    return candidates[best];
}

Knowledge KnowledgeOf(const Position& position, std::uint8_t seat) {
    Knowledge k;
    k.view = rules::ViewOf(position, seat);
    if (position.stockOrderKnown) k.knownStock = position.stock;
    return k;
}

}  // namespace

void PreviousStrongSeat::Reset() {
    memory_ = Memory{};
}

void PreviousStrongSeat::AfterOwnMove(const Position& position, std::uint8_t seat) {
    memory_.lastView = rules::ViewOf(position, seat);
    memory_.hasLast = memory_.lastView.toMove != seat;
}

PreviousStrongSeat::Choice PreviousStrongSeat::Choose(const Position& position, std::uint8_t seat,
                                                      bool forPoints, std::uint64_t seed) {
    Knowledge now = KnowledgeOf(position, seat);
    Memory& m = memory_;
    if (m.hasLast && m.lastView.seat == seat) {
        const rules::SeatView& before = m.lastView;
        const bool nothingLaid = now.view.top == before.top && now.view.namedSuit == before.namedSuit;
        if (nothingLaid) {
            const int drawn =
                now.view.otherCount > before.otherCount ? now.view.otherCount - before.otherCount : 0;
            const CardSet couldLay = LayableByOther(before);
            if (couldLay != 0) {
                if (m.unsureCards != 0) m.lacks = 0;
                m.lacks |= couldLay;
                m.unsureCards = static_cast<std::uint8_t>(drawn);
            } else {
                m.unsureCards = static_cast<std::uint8_t>(m.unsureCards + drawn);
            }
        } else if (rules::Holds(m.lacks, now.view.top)) {
            if (m.unsureCards > 0) {
                --m.unsureCards;
            } else {
                m.lacks = 0;
            }
        }
    }
    m.hasLast = false;
    if (m.unsureCards >= now.view.otherCount) {
        m.lacks = 0;
        m.unsureCards = 0;
    }
    now.lacks = m.lacks & now.view.unseen;
    now.unsureCards = m.unsureCards;
    const Decision d = ChooseMove(now, forPoints, seed);
    return {d.move, d.suit};
}

}  // namespace tarvel::duel
