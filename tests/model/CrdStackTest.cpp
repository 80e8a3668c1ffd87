#include "model/CrdStack.h"

#include "model/ZentoStack.h"
#include "platform/Canvas.h"
#include "tests/support/Support.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

TCardStack StackOf(std::initializer_list<TCard> Cards)
{
    TCardStack Stack{};
    InitStack(Stack);
    for (const TCard& Card : Cards)
        PushCard(Stack, Card);
    return Stack;
}

int CountLinks(const TCardStack& Stack)
{
    int N = 0;
    for (const TCardNode* Node = Stack.Top; Node; Node = Node->Next)
        ++N;
    return N;
}

} // namespace

TEST(PopCard, EmptyStackAnswersRankZeroAndKeepsFaceAndPosition)
{
    TCardStack Stack{};
    InitStack(Stack);
    TCard Card = MakeCard(12, 4, cfSelected, 10, 20);
    PopCard(Stack, Card);
    EXPECT_EQ(Card, MakeCard(0, 0, cfSelected, 10, 20));
    EXPECT_EQ(Stack.Count, 0);
    EXPECT_TRUE(StackEmpty(Stack));
}

TEST(PushCard, PushedCardComesBackWholeAndLastInFirstOut)
{
    TCardStack Stack = StackOf({MakeCard(3, 1, cfFaceUp, 1, 2), MakeCard(11, 2, cfBack, -5, 300)});
    EXPECT_EQ(Stack.Count, 2);
    TCard Card{};
    PopCard(Stack, Card);
    EXPECT_EQ(Card, MakeCard(11, 2, cfBack, -5, 300));
    PopCard(Stack, Card);
    EXPECT_EQ(Card, MakeCard(3, 1, cfFaceUp, 1, 2));
    EXPECT_EQ(Stack.Count, 0);
    EXPECT_TRUE(StackEmpty(Stack));
}

TEST(ClearStack, ReleasesEveryNodeAndInitStackKeepsOwner)
{
    TCardStack Stack = StackOf({MakeCard(1, 1), MakeCard(2, 2), MakeCard(3, 3)});
    SetStackOwner(Stack, 2);
    ClearStack(Stack);
    EXPECT_TRUE(StackEmpty(Stack));
    InitStack(Stack);
    EXPECT_EQ(Stack.Owner, 2);
    EXPECT_EQ(Stack.Count, 0);
    ClearStack(Stack);  // clearing an empty stack is harmless
    EXPECT_TRUE(StackEmpty(Stack));
}

TEST(PeekTop, EmptyStackChangesOnlyTheRank)
{
    TCardStack Stack{};
    TCard Card = MakeCard(7, 3, cfBack, 4, 5);
    PeekTop(Stack, Card);
    EXPECT_EQ(Card, MakeCard(0, 3, cfBack, 4, 5));
    Stack = StackOf({MakeCard(1, 1), MakeCard(9, 2, cfFaceUp, 8, 9)});
    PeekTop(Stack, Card);
    EXPECT_EQ(Card, MakeCard(9, 2, cfFaceUp, 8, 9));
    EXPECT_EQ(Stack.Count, 2);
    ClearStack(Stack);
}

TEST(HasOneCard, TrueForExactlyOneCard)
{
    TCardStack Stack{};
    EXPECT_FALSE(HasOneCard(Stack));
    PushCard(Stack, MakeCard(1, 1));
    EXPECT_TRUE(HasOneCard(Stack));
    PushCard(Stack, MakeCard(2, 1));
    EXPECT_FALSE(HasOneCard(Stack));
    PushCard(Stack, MakeCard(3, 1));
    EXPECT_FALSE(HasOneCard(Stack));
    EXPECT_EQ(CountLinks(Stack), Stack.Count);
    ClearStack(Stack);
}

TEST(DrawStack, DrawsBottomCardFirstAndLeavesTheStackAlone)
{
    // Three cards at the same place: what shows is the top card's picture.
    auto Drawn = [](const TCardStack& Stack) {
        QImage Image(CardWidth, CardHeight, QImage::Format_RGB32);
        Image.fill(Qt::darkGreen);
        TCanvas Canvas(Image);
        DrawStack(Stack, Canvas);
        return Image;
    };
    TCardStack Top = StackOf({MakeCard(13, 4)});
    TCardStack Three = StackOf({MakeCard(2, 1), MakeCard(5, 2), MakeCard(13, 4)});
    EXPECT_EQ(Drawn(Three), Drawn(Top));
    EXPECT_EQ(Three.Count, 3);
    EXPECT_EQ(Three.Top->Item.Rank, 13);

    TCardStack Empty{};
    QImage Untouched(10, 10, QImage::Format_RGB32);
    Untouched.fill(Qt::darkGreen);
    QImage Image = Untouched;
    TCanvas Canvas(Image);
    DrawStack(Empty, Canvas);
    DrawStackTop(Empty, Canvas);
    EXPECT_EQ(Image, Untouched);
    ClearStack(Top);
    ClearStack(Three);
}

TEST(DrawStack, LaterCardsOverlapEarlierOnes)
{
    QImage Image(150, 150, QImage::Format_RGB32);
    Image.fill(Qt::darkGreen);
    TCanvas Canvas(Image);
    TCardStack Stack = StackOf({MakeCard(2, 1, cfFaceUp, 0, 0), MakeCard(3, 4, cfBack, 20, 20)});
    DrawStack(Stack, Canvas);
    QImage Expected(150, 150, QImage::Format_RGB32);
    Expected.fill(Qt::darkGreen);
    TCanvas ExpectedCanvas(Expected);
    DrawCard(MakeCard(2, 1, cfFaceUp, 0, 0), ExpectedCanvas);
    DrawCard(MakeCard(3, 4, cfBack, 20, 20), ExpectedCanvas);
    EXPECT_EQ(Image, Expected);
    ClearStack(Stack);
}
