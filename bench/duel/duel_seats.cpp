#include "bench/duel/duel_seats.h"

#include <ctime>

#include "bench/duel/described_seat.h"
#include "lookahead/fast_random.h"

namespace tarvel::duel {
namespace {

// The processor time this thread has used, in microseconds: the machine may be
// shared, and the figure is the strong computer's time on one core.
double ThreadMicros() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_nsec) / 1e3;
}

// The other hand, and with `stock` the stock in its order too.
lookahead::SeatKnowledge ShownCards(const rules::Position& p, std::uint8_t seat, bool stock) {
    lookahead::SeatKnowledge k = lookahead::KnowledgeOf(rules::ViewOf(p, seat));
    k.stockOrderKnown = stock;
    k.stockOrder = p.stock;
    k.stockCandidates = p.StockSet();
    return k;
}

}  // namespace

SeatMove StrongSeat::Move(const SeatTurn& turn) {
    const std::uint8_t seat = turn.position.toMove;
    const double start = ThreadMicros();
    lookahead::SeatKnowledge k = record_.Update(rules::ViewOf(turn.position, seat));
    lookahead::OtherSide other;
    if (habits_) {
        // Shown every card or not, the belief grows from what the seat itself watched.
        belief_.Observe(k, fixedHabits_, forPoints_, turn.seed);
        other = {&fixedHabits_, belief_.Belief()};
    }
    if (shown_ != Shown::Nothing) k = ShownCards(turn.position, seat, shown_ == Shown::HandAndStock);
    lookahead::SearchReport report;
    const lookahead::Decision d = lookahead::ChooseMove(k, forPoints_, turn.seed, {}, &report, other);
    const double stop = ThreadMicros();
    if (report.candidates >= 2) {
        micros.push_back(static_cast<float>(stop - start));
        playouts.push_back(report.playouts);
        if (habits_) beliefs.push_back(static_cast<float>(other.belief));
    }
    return {d.move, d.suit};
}

void StrongSeat::AfterOwnMove(const rules::Position& position, std::uint8_t seat) {
    record_.AfterOwnMove(rules::ViewOf(position, seat));
}

SeatMove DescribedSeat::Move(const SeatTurn& turn) {
    return DescribedMove(turn.position, turn.order, options_);
}

SeatMove RandomSeat::Move(const SeatTurn& turn) {
    lookahead::FastRandom random(turn.seed);
    const rules::MoveList legal = rules::LegalMoves(turn.position);
    return {legal.moves[random.Random(legal.size)], static_cast<std::uint8_t>(random.Random(4))};
}

SeatMove PreviousSeat::Move(const SeatTurn& turn) {
    const PreviousStrongSeat::Choice c =
        strong_.Choose(turn.position, turn.position.toMove, forPoints_, turn.seed);
    return {c.move, c.suit};
}

}  // namespace tarvel::duel
