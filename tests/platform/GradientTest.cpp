#include "platform/Gradient.h"

#include "platform/Canvas.h"

#include <QApplication>
#include <QMouseEvent>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

constexpr int StripWidth = 299;

QRgb Rgb(const QColor& Color)
{
    return Color.rgb() & 0xFFFFFF;
}

QRgb PixelAt(const QImage& Image, int X, int Y)
{
    return Image.pixel(X, Y) & 0xFFFFFF;
}

// Fixed colours, so the pictures do not depend on the platform's palette.
TTitleColours TestColours()
{
    TTitleColours Colours;
    Colours.GradientFrom = QColor(128, 255, 128);
    Colours.GradientTo = QColor(0, 0, 128);
    Colours.InactiveFill = QColor(128, 128, 128);
    Colours.ButtonFace = QColor(192, 192, 192);
    Colours.ButtonLight = QColor(255, 255, 255);
    Colours.ButtonShadow = QColor(128, 128, 128);
    Colours.ButtonDark = QColor(0, 0, 0);
    Colours.ButtonText = QColor(0, 0, 0);
    return Colours;
}

QImage DrawnStrip(const TGradient& Strip, TTitleState State, int Width = StripWidth)
{
    QImage Image(Width, TGradient::StripHeight(), QImage::Format_RGB32);
    Image.fill(0xFF00FF);
    TCanvas Canvas(Image);
    Strip.DrawStrip(Canvas, State, TestColours());
    return Image;
}

// A top-level window with a strip along its top edge, as the table window has.
struct TStripWindow
{
    TStripWindow()
    {
        Form.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        Form.resize(StripWidth, 200);
        Strip = new TGradient(QStringLiteral("Gradient"), &Form);
    }
    QWidget Form;
    TGradient* Strip;
};

void SendMouse(QWidget* Target, QEvent::Type Type, const QPoint& Pos, Qt::MouseButtons Buttons,
               const QPoint& GlobalShift = {})
{
    const QPointF Local(Pos);
    const QPointF Global = QPointF(Target->mapToGlobal(Pos) + GlobalShift);
    QMouseEvent Event(Type, Local + QPointF(GlobalShift), Global, Type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      Buttons, Qt::NoModifier);
    QApplication::sendEvent(Target, &Event);
}

void Click(QWidget* Target, const QPoint& Pos)
{
    SendMouse(Target, QEvent::MouseButtonPress, Pos, Qt::LeftButton);
    SendMouse(Target, QEvent::MouseButtonRelease, Pos, Qt::NoButton);
}

QPoint Centre(TTitleButton Button)
{
    return TGradient::ButtonRect(Button, StripWidth).center();
}

} // namespace

TEST(GradientBandColor, RunsFromTheFirstColourToTheSecondStepByStep)
{
    struct TCase { QColor From, To; };
    const TCase Cases[] = {{QColor(128, 255, 128), QColor(0, 0, 128)},
                           {QColor(128, 255, 128), QColor(48, 140, 198)},
                           {QColor(0, 0, 0), QColor(255, 255, 255)},
                           {QColor(255, 0, 10), QColor(0, 255, 10)}};
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.To.name().toStdString());
        EXPECT_EQ(GradientBandColor(0, GradientBands, Case.From, Case.To), Case.From);
        EXPECT_EQ(GradientBandColor(GradientBands - 1, GradientBands, Case.From, Case.To), Case.To);
        QColor Previous = Case.From;
        for (int Band = 1; Band < GradientBands; ++Band) {
            const QColor Color = GradientBandColor(Band, GradientBands, Case.From, Case.To);
            auto Step = [](int From, int To, int Before, int Now) {
                // Each channel moves towards its end and by no more than one even share.
                const int Direction = To > From ? 1 : (To < From ? -1 : 0);
                const int Share = (std::abs(To - From) + GradientBands - 2) / (GradientBands - 1);
                return (Now - Before) * Direction >= 0 && std::abs(Now - Before) <= Share + 1 &&
                       (Direction != 0 || Now == From);
            };
            EXPECT_TRUE(Step(Case.From.red(), Case.To.red(), Previous.red(), Color.red())) << Band;
            EXPECT_TRUE(Step(Case.From.green(), Case.To.green(), Previous.green(), Color.green())) << Band;
            EXPECT_TRUE(Step(Case.From.blue(), Case.To.blue(), Previous.blue(), Color.blue())) << Band;
            Previous = Color;
        }
    }
}

TEST(GradientBandColor, BandsOutsideTheRangeTakeTheNearerEnd)
{
    const QColor From(128, 255, 128), To(0, 0, 128);
    EXPECT_EQ(GradientBandColor(-5, GradientBands, From, To), From);
    EXPECT_EQ(GradientBandColor(500, GradientBands, From, To), To);
    EXPECT_EQ(GradientBandColor(0, 1, From, To), From);
    EXPECT_EQ(GradientBandColor(3, 0, From, To), From);
}

TEST(GradientBandSpan, BandsCoverTheWidthExactlyWithoutGaps)
{
    for (const int Width : {299, 100, 1000, 128, 127, 129, 1}) {
        SCOPED_TRACE(Width);
        int Covered = 0;
        int Narrowest = Width, Widest = 0;
        for (int Band = 0; Band < GradientBands; ++Band) {
            const TBandSpan Span = GradientBandSpan(Band, GradientBands, Width);
            ASSERT_EQ(Span.Left, Covered) << "band " << Band << " must start where the one before ended";
            ASSERT_GE(Span.Right, Span.Left);
            Covered = Span.Right;
            Narrowest = std::min(Narrowest, Span.Right - Span.Left);
            Widest = std::max(Widest, Span.Right - Span.Left);
        }
        EXPECT_EQ(Covered, Width);
        EXPECT_LE(Widest - Narrowest, 1) << "the bands share the width evenly";
    }
    EXPECT_EQ(GradientBandSpan(0, GradientBands, 0).Right, 0);
    EXPECT_EQ(GradientBandSpan(GradientBands, GradientBands, 299).Left, 299);
}

TEST(ContrastingTextColor, DarkTextOnLightGroundsAndLightTextOnDarkOnes)
{
    struct TCase { QColor Background; QColor Text; };
    const TCase Cases[] = {{QColor(128, 255, 128), Qt::black}, {QColor(255, 255, 255), Qt::black},
                           {QColor(0, 0, 128), Qt::white},     {QColor(0, 0, 0), Qt::white},
                           {QColor(128, 128, 128), Qt::black}, {QColor(64, 64, 64), Qt::white}};
    for (const TCase& Case : Cases)
        EXPECT_EQ(ContrastingTextColor(Case.Background), Case.Text) << Case.Background.name().toStdString();
}

TEST(GradientStrip, ActiveStripIsTheBandedGradientAndInactiveOnePlain)
{
    TStripWindow Window;
    const TTitleColours Colours = TestColours();
    const QImage Active = DrawnStrip(*Window.Strip, TTitleState::Active);
    const QImage Inactive = DrawnStrip(*Window.Strip, TTitleState::Inactive);
    // The top and bottom rows lie clear of the buttons and the text.
    for (const int Row : {0, TGradient::StripHeight() - 1}) {
        for (int Band = 0; Band < GradientBands; ++Band) {
            const TBandSpan Span = GradientBandSpan(Band, GradientBands, StripWidth);
            const QRgb Expected = Rgb(GradientBandColor(Band, GradientBands, Colours.GradientFrom, Colours.GradientTo));
            for (int X = Span.Left; X < Span.Right; ++X)
                ASSERT_EQ(PixelAt(Active, X, Row), Expected) << "x " << X << " row " << Row;
        }
        for (int X = 0; X < StripWidth; ++X)
            ASSERT_EQ(PixelAt(Inactive, X, Row), Rgb(Colours.InactiveFill)) << "x " << X << " row " << Row;
    }
    EXPECT_EQ(PixelAt(Active, 0, 0), 0x80FF80u);
    EXPECT_EQ(PixelAt(Active, StripWidth - 1, 0), 0x000080u);
}

TEST(GradientStrip, TitleIsDrawnInAContrastingColourAndStopsBeforeTheButtons)
{
    TStripWindow Window;
    const QImage Empty = DrawnStrip(*Window.Strip, TTitleState::Active);
    Window.Strip->SetFormCaption(QStringLiteral("Zento, a title that goes on and on, far "
                                                "longer than any strip could ever show in one line"));
    const QRect Buttons = TGradient::ButtonRect(TTitleButton::Minimize, StripWidth)
                              .united(TGradient::ButtonRect(TTitleButton::Close, StripWidth));
    for (const TTitleState State : {TTitleState::Active, TTitleState::Inactive}) {
        const QImage Titled = DrawnStrip(*Window.Strip, State);
        const QImage Plain = State == TTitleState::Active ? Empty : [&] {
            TStripWindow Untitled;
            return DrawnStrip(*Untitled.Strip, State);
        }();
        int TextPixels = 0;
        for (int Y = 0; Y < Titled.height(); ++Y)
            for (int X = 0; X < StripWidth; ++X) {
                if (PixelAt(Titled, X, Y) == PixelAt(Plain, X, Y))
                    continue;
                ++TextPixels;
                ASSERT_LT(X, Buttons.left()) << "the title ran into the buttons at " << X << "," << Y;
            }
        EXPECT_GT(TextPixels, 50);
    }
    // On the light green start of the gradient the letters are black.
    Window.Strip->SetFormCaption(QStringLiteral("Zento"));
    const QImage Short = DrawnStrip(*Window.Strip, TTitleState::Active);
    bool SawBlack = false;
    for (int Y = 0; Y < Short.height(); ++Y)
        for (int X = 0; X < 40; ++X)
            SawBlack = SawBlack || PixelAt(Short, X, Y) == 0x000000u;
    EXPECT_TRUE(SawBlack);
}

TEST(GradientStrip, ButtonsSitAtTheRightEdgeAndAreFoundByPosition)
{
    TStripWindow Window;
    const QRect Minimize = TGradient::ButtonRect(TTitleButton::Minimize, StripWidth);
    const QRect Close = TGradient::ButtonRect(TTitleButton::Close, StripWidth);
    EXPECT_TRUE(QRect(0, 0, StripWidth, TGradient::StripHeight()).contains(Minimize.united(Close)));
    EXPECT_FALSE(Minimize.intersects(Close));
    EXPECT_LT(Minimize.right(), Close.left());
    EXPECT_GE(Close.right(), StripWidth - 4);

    ASSERT_EQ(Window.Strip->width(), StripWidth);
    struct TCase { QPoint Pos; TTitleButton Button; };
    const TCase Cases[] = {{Minimize.center(), TTitleButton::Minimize}, {Minimize.topLeft(), TTitleButton::Minimize},
                           {Close.center(), TTitleButton::Close},       {Close.bottomRight(), TTitleButton::Close},
                           {Close.topLeft() - QPoint(1, 0), TTitleButton::None},
                           {Close.topLeft() - QPoint(0, 1), TTitleButton::None},
                           {QPoint(10, 10), TTitleButton::None}};
    for (const TCase& Case : Cases)
        EXPECT_EQ(Window.Strip->ButtonAt(Case.Pos), Case.Button) << Case.Pos.x() << "," << Case.Pos.y();
}

TEST(GradientStrip, ANewCaptionIsDrawnAndBecomesTheWindowTitleTheSameOneChangesNothing)
{
    TStripWindow Window;
    Window.Strip->SetFormCaption(QStringLiteral("Zento, "));
    EXPECT_EQ(Window.Form.windowTitle(), QStringLiteral("Zento, "));

    const qint64 Before = Window.Strip->Surface().cacheKey();
    Window.Form.setWindowTitle(QStringLiteral("changed behind its back"));
    Window.Strip->SetFormCaption(QStringLiteral("Zento, "));
    EXPECT_EQ(Window.Strip->Surface().cacheKey(), Before) << "the same text must not repaint";
    EXPECT_EQ(Window.Form.windowTitle(), QStringLiteral("changed behind its back"));

    // The translation component sets the text by property name.
    ASSERT_TRUE(Window.Strip->setProperty("FormCaption", QStringLiteral("Ζέντο")));
    EXPECT_NE(Window.Strip->Surface().cacheKey(), Before);
    EXPECT_EQ(Window.Strip->FormCaption(), QStringLiteral("Ζέντο"));
    EXPECT_EQ(Window.Form.windowTitle(), QStringLiteral("Ζέντο"));
}

TEST(GradientStrip, FollowsTheActivationOfItsWindow)
{
    TStripWindow Window;
    Window.Form.show();
    Window.Form.activateWindow();
    QApplication::processEvents();
    if (!Window.Form.isActiveWindow())
        GTEST_SKIP() << "this platform does not activate windows";
    EXPECT_EQ(Window.Strip->State(), TTitleState::Active);
    EXPECT_EQ(PixelAt(Window.Strip->Surface(), 0, 0), 0x80FF80u);

    QWidget Other;
    Other.show();
    Other.activateWindow();
    QApplication::processEvents();
    ASSERT_FALSE(Window.Form.isActiveWindow());
    EXPECT_EQ(Window.Strip->State(), TTitleState::Inactive);
    const QRgb Fill = Rgb(SystemTitleColours().InactiveFill);
    EXPECT_EQ(PixelAt(Window.Strip->Surface(), 0, 0), Fill);
    EXPECT_EQ(PixelAt(Window.Strip->Surface(), StripWidth - 1, 0), Fill);
}

TEST(GradientStrip, CloseButtonClosesTheWindowWhenReleasedOverIt)
{
    TStripWindow Window;
    Window.Form.show();
    // Let go elsewhere: nothing happens, as with any title bar button.
    SendMouse(Window.Strip, QEvent::MouseButtonPress, Centre(TTitleButton::Close), Qt::LeftButton);
    SendMouse(Window.Strip, QEvent::MouseMove, QPoint(50, 10), Qt::LeftButton);
    SendMouse(Window.Strip, QEvent::MouseButtonRelease, QPoint(50, 10), Qt::NoButton);
    EXPECT_TRUE(Window.Form.isVisible());
    Click(Window.Strip, Centre(TTitleButton::Close));
    EXPECT_FALSE(Window.Form.isVisible());
}

TEST(GradientStrip, MinimizeButtonMinimizesTheWindow)
{
    TStripWindow Window;
    Window.Form.show();
    Click(Window.Strip, Centre(TTitleButton::Minimize));
    EXPECT_TRUE(Window.Form.windowState().testFlag(Qt::WindowMinimized));
    EXPECT_FALSE(Window.Form.isHidden()) << "minimised, not closed";
}

TEST(GradientStrip, PressedButtonLooksPushedInOnlyWhileTheMouseIsOverIt)
{
    TStripWindow Window;
    Window.Form.show();
    const QRect Close = TGradient::ButtonRect(TTitleButton::Close, StripWidth);
    const QImage Up = Window.Strip->Surface().copy(Close);
    SendMouse(Window.Strip, QEvent::MouseButtonPress, Close.center(), Qt::LeftButton);
    EXPECT_NE(Window.Strip->Surface().copy(Close), Up);
    SendMouse(Window.Strip, QEvent::MouseMove, QPoint(10, 10), Qt::LeftButton);
    EXPECT_EQ(Window.Strip->Surface().copy(Close), Up);
    SendMouse(Window.Strip, QEvent::MouseButtonRelease, QPoint(10, 10), Qt::NoButton);
    EXPECT_TRUE(Window.Form.isVisible());
}

TEST(GradientStrip, DraggingTheStripMovesTheWindow)
{
    TStripWindow Window;
    Window.Form.move(100, 80);
    Window.Form.show();
    const QPoint Start = Window.Form.pos();
    const QPoint Grip(60, 8);
    SendMouse(Window.Strip, QEvent::MouseButtonPress, Grip, Qt::LeftButton);
    SendMouse(Window.Strip, QEvent::MouseMove, Grip, Qt::LeftButton, QPoint(30, 20));
    SendMouse(Window.Strip, QEvent::MouseButtonRelease, Grip, Qt::NoButton, QPoint(30, 20));
    // Where the window system moves the window itself, it does so after the press.
    if (Window.Form.pos() == Start)
        GTEST_SKIP() << "the window system moves the window";
    EXPECT_EQ(Window.Form.pos(), Start + QPoint(30, 20));
    SendMouse(Window.Strip, QEvent::MouseMove, Grip, Qt::NoButton, QPoint(90, 90));
    EXPECT_EQ(Window.Form.pos(), Start + QPoint(30, 20)) << "after the release the window stays";
}

TEST(GradientStrip, SpansItsWindowAndDoesNotWidenAWindowThatFitsItsLayout)
{
    TStripWindow Loose;
    Loose.Form.resize(420, 100);
    Loose.Form.show();
    EXPECT_EQ(Loose.Strip->geometry(), QRect(0, 0, 420, TGradient::StripHeight()));

    QWidget Form;
    auto* Strip = new TGradient(QStringLiteral("Gradient"), &Form);
    Form.resize(800, 600);
    auto* Table = new QWidget(&Form);
    Table->setFixedSize(StripWidth, 359);
    auto* Layout = new QVBoxLayout(&Form);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->setSpacing(0);
    Layout->addWidget(Strip);
    Layout->addWidget(Table);
    Layout->setSizeConstraint(QLayout::SetFixedSize);
    Form.show();
    EXPECT_EQ(Form.size(), QSize(StripWidth, 359 + TGradient::StripHeight()));
    EXPECT_EQ(Strip->geometry(), QRect(0, 0, StripWidth, TGradient::StripHeight()));
    EXPECT_EQ(Strip->Surface().size(), Strip->size());
}
