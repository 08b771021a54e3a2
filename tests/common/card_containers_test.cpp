#include "common/card_containers.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "common/deck.h"

namespace tarvel {
namespace {

CardQueue QueueOf(std::initializer_list<const char*> names) {
    CardQueue queue;
    for (const char* name : names) queue.AppendCard(*FindCard(name));
    return queue;
}

TEST(CardStack, LastPushedIsPoppedFirstAsACopy) {
    CardStack stack;
    typhodnoty card = *FindCard("7 srdcová");
    stack.PushCard(card);
    card.Name = "changed";
    stack.PushCard(*FindCard("eso pikové"));
    EXPECT_EQ(stack.Size(), 2u);
    EXPECT_EQ(stack.PopCard().Name, "eso pikové");
    EXPECT_EQ(stack.PopCard().Name, "7 srdcová");
    EXPECT_TRUE(stack.StackEmpty());
    EXPECT_THROW(stack.PopCard(), std::logic_error);
}

TEST(CardQueue, RemovingMovesTheSelectionToTheFollowingOrNewLastCard) {
    auto hand = QueueOf({"7 srdcová", "8 srdcová", "9 srdcová"});
    EXPECT_EQ(hand.RemoveAt(2), 2u);  // the middle card: the selection stands on the one that followed
    EXPECT_EQ(hand.At(2).Name, "9 srdcová");
    EXPECT_EQ(hand.RemoveAt(2), 1u);  // the last card: the new last card is selected
    EXPECT_EQ(hand.Tail().Name, "7 srdcová");
    EXPECT_EQ(hand.RemoveAt(1), 0u);  // the only card: the hand is empty
    EXPECT_TRUE(hand.Empty());
    hand.AppendCard(*FindCard("eso srdcové"));
    EXPECT_EQ(hand.Size(), 1u);
    EXPECT_EQ(hand.Head().Name, "eso srdcové");
}

TEST(CardQueue, PositionsOutsideTheHandAreRefused) {
    auto hand = QueueOf({"7 srdcová"});
    EXPECT_THROW(hand.At(0), std::out_of_range);
    EXPECT_THROW(hand.At(2), std::out_of_range);
    EXPECT_THROW(hand.RemoveAt(2), std::out_of_range);
    EXPECT_EQ(hand.Size(), 1u);
}

}  // namespace
}  // namespace tarvel
