#include "server/core/table_match.h"

#include <algorithm>

#include "rules/card_names.h"

namespace tarvel::server {
namespace {

using rules::CardId;

// A seven adds 2 or 3; the clients play any other value as 2.
std::uint8_t SevenDraw(std::uint8_t value) {
    return value == 2 || value == 3 ? value : 2;
}

// The cards a move's draw gave in the order they left the stock: the old stock from its
// top, then, when the pile was turned, the new stock from its top. Drawing only lowers
// the stock's size, so the cards taken from the new stock still lie just above it.
DrawnCards DrawnBy(const rules::Position& before, const rules::Position& after,
                   const rules::MoveOutcome& outcome) {
    DrawnCards drawn;
    drawn.seat = outcome.drawer;
    drawn.ranDry = outcome.nothingToDraw;
    const std::size_t count = static_cast<std::size_t>(rules::CountOf(outcome.drawn));
    const std::size_t fromOld = std::min<std::size_t>(count, before.stockSize);
    for (std::size_t i = 0; i < fromOld; ++i) drawn.cards.push_back(before.stock[before.stockSize - 1 - i]);
    if (outcome.pileTurned) {
        drawn.turnedBefore = fromOld;
        const std::size_t fromNew = count - fromOld;
        for (std::size_t j = 0; j < fromNew; ++j)
            drawn.cards.push_back(after.stock[after.stockSize + fromNew - 1 - j]);
    }
    return drawn;
}

MoveVerdict Fault(MoveFault fault) {
    return MoveVerdict{fault};
}

MoveVerdict RulesRefuse(rules::Refusal refusal) {
    return MoveVerdict{MoveFault::Rules, refusal};
}

}  // namespace

rules::RuleOptions RulesOfSettings(const PlayerSettings& settings, std::uint8_t dealtPerPlayer) {
    rules::RuleOptions r;
    r.sevenDraw = SevenDraw(settings.rules[protocol::kSevenDrawSetting]);
    r.kingOfSpades = settings.rules[protocol::kKingOfSpadesSetting] == 1;
    r.returnToGame = settings.rules[protocol::kReturnToGameSetting] == 1;
    r.compulsory = settings.rules[protocol::kCompulsorySetting] == 1;
    r.shuffle = settings.rules[protocol::kShuffleSetting] == 1;
    r.dealtCards = dealtPerPlayer;
    return r;
}

bool PlaysForPoints(const PlayerSettings& settings) {
    return settings.rules[protocol::kPlayForPointsSetting] == 1;
}

std::string RefusalText(const MoveVerdict& verdict) {
    using rules::Refusal;
    switch (verdict.fault) {
        case MoveFault::None:
            return {};
        case MoveFault::NoGame:
            return "žádná hra neběží";
        case MoveFault::NotOnTurn:
            return "není na tahu";
        case MoveFault::UnknownCard:
            return "taková karta neexistuje";
        case MoveFault::UnknownSuit:
            return "taková barva neexistuje";
        case MoveFault::DrawCount:
            return "pravidla dávají " + std::to_string(verdict.allowed) + " karet";
        case MoveFault::StillHoldsCards:
            return "hlásí, že nemá karty, ale drží jich " + std::to_string(verdict.held);
        case MoveFault::NotLost:
            return "hru neprohrál";
        case MoveFault::WrongPoints:
            return "počet bodů není číslo";
        case MoveFault::Undecided:
            return "hra ještě není rozhodnutá";
        case MoveFault::Rules:
            break;
    }
    switch (verdict.refusal) {
        case Refusal::GameOver:
            return "hra je rozhodnutá";
        case Refusal::NotHeld:
            return "tu kartu nemá";
        case Refusal::AceOwed:
            return "musí hrát eso, nebo stát";
        case Refusal::ReturnWantsSeven:
        case Refusal::ReturnWantsSevenOrKingOfSpades:
            return "musí soupeře vrátit do hry, nebo hru vzdát";
        case Refusal::DrawWantsSeven:
        case Refusal::DrawWantsSevenOrKingOfSpades:
            return "musí hrát sedmičku, nebo lízat";
        case Refusal::DoesNotFit:
            return "karta nejde hrát na kartu na hromádce";
        case Refusal::AnswerHeld:
            return "drží kartu, kterou musí hrát";
        case Refusal::NotNow:
        case Refusal::None:
            break;
    }
    return "tento tah teď nejde udělat";
}

void TableMatch::StartMatch() {
    position_ = rules::Position{};
    dealt_ = false;
    kept_ = true;
    owedDraw_.reset();
    owedSeat_ = -1;
    gameNumber_ = 0;
    firstPlayer_ = 0;
    lastStarter_ = 0;
    wins_ = {};
    points_ = {};
    playForPoints_ = false;
}

void TableMatch::NoteFirstPlayer(int player) {
    if (gameNumber_ == 0) firstPlayer_ = player & 1;
}

DealtCards TableMatch::Deal(const rules::RuleOptions& rules, bool playForPoints) {
    const int starter = gameNumber_ == 0 ? firstPlayer_ : 1 - lastStarter_;
    lastStarter_ = starter;
    ++gameNumber_;
    playForPoints_ = playForPoints;
    dealt_ = true;
    kept_ = true;
    owedDraw_.reset();
    owedSeat_ = -1;
    pointsReported_ = false;

    rules::RuleOptions dealing = rules;
    dealing.dealtCards = std::min(rules.dealtCards, kMostDealtCards);
    position_ = rules::Deal(dealing, static_cast<std::uint8_t>(starter), random_);
    DealtCards dealt;
    std::size_t left = rules::kCards;  // the cards left the stock from its top down
    for (std::size_t seat = 0; seat < 2; ++seat) {
        for (int i = 0; i < dealing.dealtCards; ++i) dealt.hands[seat].push_back(position_.stock[--left]);
    }
    dealt.start = position_.stock[--left];
    return dealt;
}

rules::SeatView TableMatch::ViewFor(int seat) const {
    return rules::ViewOf(position_, static_cast<std::uint8_t>(Index(seat)));
}

MoveVerdict TableMatch::OnTurn(int seat) const {
    if (!dealt_) return Fault(MoveFault::NoGame);
    if (position_.Over()) return RulesRefuse(rules::Refusal::GameOver);
    if (seat != position_.toMove) return Fault(MoveFault::NotOnTurn);
    return {};
}

MoveVerdict TableMatch::Play(int seat, rules::Move move, DrawnCards* drawn) {
    if (MoveVerdict verdict = OnTurn(seat); !verdict.Ok()) return verdict;
    if (const rules::Refusal refusal = rules::Check(position_, move); refusal != rules::Refusal::None) {
        return RulesRefuse(refusal);
    }
    const rules::Position before = position_;
    const rules::MoveOutcome outcome = rules::Apply(position_, move, random_);
    if (outcome.winner != rules::kNoSeat) {
        Decided(before, move, outcome, drawn);
    } else if (outcome.drawer != rules::kNoSeat && drawn != nullptr) {
        *drawn = DrawnBy(before, position_, outcome);
    }
    return {};
}

void TableMatch::Decided(const rules::Position& before, rules::Move move, const rules::MoveOutcome& outcome,
                         DrawnCards* drawn) {
    const std::size_t winner = Index(outcome.winner);
    ++wins_[winner];
    if (outcome.drawer == rules::kNoSeat) return;
    DrawnCards taken = DrawnBy(before, position_, outcome);
    if (outcome.drawer == before.toMove && drawn != nullptr) {
        // The mover gave up and took the pending cards: they go out with his request.
        *drawn = std::move(taken);
        return;
    }
    // The answer that returned the other side was the mover's last card: the other side
    // takes the pending cards when its client asks for them.
    owedSeat_ = taken.seat;
    owedPoints_ = rules::HandPoints(rules::SetOf(taken.cards));
    owedCount_ = before.pendingDraw;
    if (move.kind == rules::MoveKind::Lay) owedCount_ += rules::DrawAddedBy(move.value, before.rules);
    owedDraw_ = std::move(taken);
}

MoveVerdict TableMatch::LayCard(int seat, std::string_view cardName, bool force) {
    const CardId card = rules::IdOfName(cardName);
    MoveVerdict verdict;
    if (kept_) {
        verdict = card == rules::kNoCard ? Fault(MoveFault::UnknownCard)
                                         : Play(seat, rules::Move::Lay(card), nullptr);
        if (verdict.Ok() || !force) return verdict;
    }
    kept_ = false;
    if (card != rules::kNoCard) ForceLay(seat, card);
    return verdict;
}

MoveVerdict TableMatch::NameSuit(int seat, std::string_view marker, bool force) {
    MoveVerdict verdict;
    if (kept_) {
        const std::uint8_t suit = rules::SuitOfMarker(marker);
        verdict = suit == rules::kNoSuit ? Fault(MoveFault::UnknownSuit)
                                         : Play(seat, rules::Move::NameSuit(suit), nullptr);
        if (verdict.Ok() || !force) return verdict;
    }
    kept_ = false;
    return verdict;
}

MoveVerdict TableMatch::Stand(int seat, bool force) {
    MoveVerdict verdict;
    if (kept_) {
        verdict = Play(seat, rules::Move{rules::MoveKind::Stand, 0}, nullptr);
        if (verdict.Ok() || !force) return verdict;
    }
    kept_ = false;
    return verdict;
}

MoveVerdict TableMatch::Draw(int seat, std::optional<std::uint32_t> count, bool force, DrawnCards& drawn) {
    MoveVerdict verdict;
    if (kept_) {
        verdict = [&]() -> MoveVerdict {
            if (!dealt_) return Fault(MoveFault::NoGame);
            if (position_.Over()) {
                if (!owedDraw_ || owedDraw_->seat != seat) return RulesRefuse(rules::Refusal::GameOver);
                if (count != owedCount_)
                    return MoveVerdict{MoveFault::DrawCount, rules::Refusal::None, owedCount_};
                drawn = std::move(*owedDraw_);
                owedDraw_.reset();
                return {};
            }
            if (MoveVerdict onTurn = OnTurn(seat); !onTurn.Ok()) return onTurn;
            // Drawing, or taking the pending cards before giving the game up.
            const rules::MoveKind kind = rules::TurnEndingKind(position_);
            const bool givesUp = kind == rules::MoveKind::GiveUp;
            if (kind == rules::MoveKind::Stand || (givesUp && position_.pendingDraw == 0)) {
                return RulesRefuse(rules::Refusal::NotNow);
            }
            const rules::Move move{kind, 0};
            if (const rules::Refusal refusal = rules::Check(position_, move);
                refusal != rules::Refusal::None) {
                return RulesRefuse(refusal);
            }
            const std::uint32_t allowed =
                givesUp ? position_.pendingDraw : std::max<std::uint32_t>(position_.pendingDraw, 1);
            if (count != allowed) return MoveVerdict{MoveFault::DrawCount, rules::Refusal::None, allowed};
            return Play(seat, move, &drawn);
        }();
        if (verdict.Ok() || !force) return verdict;
    }
    kept_ = false;
    drawn = ForceDraw(seat, count.value_or(0));
    return verdict;
}

MoveVerdict TableMatch::ClaimNoCards(int seat, bool force) {
    MoveVerdict verdict;
    if (kept_) {
        const rules::CardSet hand = position_.hands[Index(seat)];
        if (!dealt_) {
            verdict = Fault(MoveFault::NoGame);
        } else if (hand != 0) {
            verdict = MoveVerdict{MoveFault::StillHoldsCards};
            verdict.held = static_cast<std::uint32_t>(rules::CountOf(hand));
        } else if (position_.winner != seat && position_.outSeat != seat) {
            verdict = RulesRefuse(rules::Refusal::NotNow);  // no card of his emptied the hand
        }
        if (verdict.Ok() || !force) return verdict;
    }
    kept_ = false;
    return verdict;
}

MoveVerdict TableMatch::ClaimAceCannotReturn(int seat, bool force) {
    MoveVerdict verdict;
    if (kept_) {
        if (!dealt_) {
            verdict = Fault(MoveFault::NoGame);
        } else if (!position_.rules.returnToGame || position_.winner != (1 - seat) ||
                   rules::RankOf(position_.Top()) != rules::kAce) {
            verdict = Fault(MoveFault::NotLost);
        }
        if (verdict.Ok() || !force) return verdict;
    }
    kept_ = false;
    return verdict;
}

MoveVerdict TableMatch::GiveUp(int seat, bool force) {
    MoveVerdict verdict;
    if (kept_) {
        if (!dealt_) {
            verdict = Fault(MoveFault::NoGame);
        } else if (position_.Over()) {
            // Said again once the pending cards are taken, by the side that lost.
            if (!position_.rules.returnToGame || position_.winner != (1 - seat))
                verdict = Fault(MoveFault::NotLost);
        } else if (position_.pendingDraw > 0 && position_.toMove == seat) {
            verdict = RulesRefuse(rules::Refusal::NotNow);  // the pending cards come first
        } else {
            verdict = Play(seat, rules::Move{rules::MoveKind::GiveUp, 0}, nullptr);
        }
        if (verdict.Ok() || !force) return verdict;
    }
    kept_ = false;
    return verdict;
}

MoveVerdict TableMatch::ReportPoints(int seat, std::string_view points, bool force) {
    MoveVerdict verdict;
    const auto value = protocol::ParseCount(points);
    if (kept_) {
        if (!dealt_) {
            verdict = Fault(MoveFault::NoGame);
        } else if (!playForPoints_ || position_.winner != (1 - seat)) {
            verdict = Fault(MoveFault::NotLost);
        } else if (pointsReported_) {
            verdict = RulesRefuse(rules::Refusal::NotNow);
        } else if (!value) {
            verdict = Fault(MoveFault::WrongPoints);
        }
        if (verdict.Ok()) {
            // Counted from the hand the server holds, whatever the client says. A returned
            // player who lost with cards still to take reports his hand before they come,
            // as his client always has: those cards do not count.
            int counted = rules::HandPoints(position_.hands[Index(seat)]);
            if (seat == owedSeat_) counted -= owedPoints_;
            verdict.counted = static_cast<std::uint32_t>(std::max(counted, 0));
            points_[Index(seat)] += static_cast<int>(verdict.counted);
            pointsReported_ = true;
        }
        if (verdict.Ok() || !force) return verdict;
    }
    kept_ = false;
    return verdict;
}

void TableMatch::ForceLay(int seat, CardId card) {
    rules::Position& p = position_;
    p.hands[Index(seat)] &= ~rules::Bit(card);
    // A pile of the whole deck takes no more: only a client laying cards it never got gets here.
    if (p.pileSize < rules::kCards) p.pile[p.pileSize++] = card;
    p.namedSuit = rules::kNoSuit;
}

DrawnCards TableMatch::ForceDraw(int seat, std::uint32_t count) {
    rules::Position& p = position_;
    DrawnCards drawn;
    drawn.seat = seat;
    if (p.stockSize == 0 && p.PileCannotTurn()) {
        drawn.ranDry = true;
        return drawn;
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        if (p.stockSize == 0) {
            if (p.PileCannotTurn()) {
                drawn.ranDry = true;
                break;
            }
            rules::detail::TurnPile(p, random_);
            drawn.turnedBefore = drawn.cards.size();
        }
        const CardId card = p.stock[--p.stockSize];
        p.hands[Index(seat)] |= rules::Bit(card);
        drawn.cards.push_back(card);
    }
    return drawn;
}

}  // namespace tarvel::server
