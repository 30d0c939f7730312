// SPDX-License-Identifier: GPL-3.0-or-later
// The game panel's settings: how each is checked, when it reaches the live
// board of its game, and what it tells the player.
#include "gamepan/gamepan.h"

#include "gamepan/toolkit/gameboard.h"
#include "gamepan/toolkit/messages.h"
#include "games/arcanoid/field.h"
#include "games/arcanoid/rcnd.h"
#include "games/figures/fgrs.h"
#include "games/figures/figure.h"
#include "games/scramble/scrmbl.h"
#include "games/tetris/ttrs.h"
#include "games/tetris/well.h"

#include <type_traits>

namespace Tolvane {

QString SavedCaption;

namespace {

// When a stored setting reaches the live board of its game.
enum class TPush : std::uint8_t {
    Never,       // not sent to the board (or only at the next build or start)
    AtOnce,      // the board's setter is called at once
    WhenIdle,    // written only while the board runs no game; else at the next start
    WhenRunning, // written only while the board runs a game; else at the next start
};

// What a setter refuses; the refusal text is made from it.
struct TCheck {
    enum TKind : std::uint8_t { None, Range, Positive, NotNegative, PanelModeOnly, FixedPalette };
    TKind Kind = None;
    int Low = 0; // inclusive bounds of a range
    int High = 0;
};

constexpr TCheck InRange(int low, int high) {
    return {TCheck::Range, low, high};
}
constexpr TCheck kPositive{TCheck::Positive};
constexpr TCheck kNotNegative{TCheck::NotNegative};

QString RefusalOf(const TCheck& check) {
    switch (check.Kind) {
    case TCheck::Range:
        return QStringLiteral("Value must be in [%1..%2]").arg(check.Low).arg(check.High);
    case TCheck::Positive:
        return QStringLiteral("Value must be >0");
    case TCheck::NotNegative:
        return QStringLiteral("Value must be >=0");
    case TCheck::PanelModeOnly:
        return QStringLiteral("At run time change this option only if State=stPanel");
    case TCheck::FixedPalette:
        return QStringLiteral("This Value is Available only for Tetris and Arcanoid");
    case TCheck::None:
        break;
    }
    return {};
}

// The whole value is compared with both bounds.
template <typename T> bool Passes(const TCheck& check, const TGamePan& pan, const T& value) {
    if (check.Kind == TCheck::PanelModeOnly) return pan.State() == TState::StPanel;
    if constexpr (std::is_integral_v<T> || std::is_enum_v<T>) {
        const auto number = static_cast<long long>(value);
        switch (check.Kind) {
        case TCheck::Range:
            return number >= check.Low && number <= check.High;
        case TCheck::Positive:
            return number > 0;
        case TCheck::NotNegative:
            return number >= 0;
        case TCheck::FixedPalette:
            return number == colorFixed || number == colorFixed2;
        case TCheck::PanelModeOnly:
        case TCheck::None:
            break;
        }
    }
    return true;
}

const QString kRestartScramble = QStringLiteral("Restart Scramble to have effect this option");
const QString kRestartTetris = QStringLiteral("Restart Tetris to have effect this option");
const QString kRestartArcanoid = QStringLiteral("Restart Arcanoid to have effect this option");
const QString kNewLevel = QStringLiteral("This option will have effect with the new level");
const QString kNewBall = QStringLiteral("This option will have effect with the new ball");

} // namespace

// How one setting is checked, where it goes and what it tells the player.
template <typename T> struct TSettingRule {
    TState Game = TState::StPanel;
    TPush Push = TPush::Never;
    TCheck Check{};
    QString Notice{};
    bool ApplyUnchanged = false; // an unchanged value is still pushed and noticed
    void (*Apply)(TGameBoard& board, T value) = nullptr;
};

namespace {

template <typename T> const TSettingRule<T> kPlain{};

TScrmbl& Scramble(TGameBoard& board) {
    return static_cast<TScrmbl&>(board);
}
TTtrs& Tetris(TGameBoard& board) {
    return static_cast<TTtrs&>(board);
}

const TSettingRule<bool> kWithCaption{.Check = {TCheck::PanelModeOnly}};

// The colour of a game's board, pushed at once.
TSettingRule<TColor> BoardColor(TState game) {
    return {.Game = game, .Push = TPush::AtOnce, .Apply = [](TGameBoard& b, TColor v) {
                b.SetColor(v);
            }};
}

const TSettingRule<std::uint16_t> kSRowsColumns{
    .Game = TState::Scramble,
    .Push = TPush::WhenIdle,
    .Check = InRange(TScrmbl::kMinSize, TScrmbl::kMaxSize),
    .Notice = kRestartScramble,
    .Apply = [](TGameBoard& b, std::uint16_t v) { Scramble(b).SetSize(v); }};
const auto kColorSB = BoardColor(TState::Scramble);

const TSettingRule<std::uint16_t> kTRows{
    .Game = TState::Tetris,
    .Push = TPush::WhenIdle,
    .Check = InRange(kMinRows, kMaxRows),
    .Notice = kRestartTetris,
    .Apply = [](TGameBoard& b, std::uint16_t v) { Tetris(b).SetRows(v); }};
const TSettingRule<std::uint16_t> kTColumns{
    .Game = TState::Tetris,
    .Push = TPush::WhenIdle,
    .Check = InRange(kMinColumns, kMaxColumns),
    .Notice = kRestartTetris,
    .Apply = [](TGameBoard& b, std::uint16_t v) { Tetris(b).SetColumns(v); }};
const TSettingRule<std::int32_t> kTDelay{
    .Game = TState::Tetris,
    .Push = TPush::AtOnce,
    .ApplyUnchanged = true,
    .Apply = [](TGameBoard& b, std::int32_t v) { Tetris(b).SetDelay(v); }};
const auto kColorTB = BoardColor(TState::Tetris);
const TSettingRule<TColor> kColorTF{
    .Game = TState::Tetris, .Push = TPush::AtOnce, .Apply = [](TGameBoard& b, TColor v) {
        Tetris(b).SetFloorColor(v);
    }};
const TSettingRule<TColorTAFShapes> kColorTShapes{
    .Game = TState::Tetris, .Push = TPush::AtOnce, .Apply = [](TGameBoard& b, TColorTAFShapes v) {
        Tetris(b).SetColorMode(v);
    }};
const TSettingRule<TColor> kOneColorTShapes{
    .Game = TState::Tetris, .Push = TPush::AtOnce, .Apply = [](TGameBoard& b, TColor v) {
        Tetris(b).SetOneColor(v);
    }};
const TSettingRule<TColor> kColorTShapesPen{
    .Game = TState::Tetris, .Push = TPush::AtOnce, .Apply = [](TGameBoard& b, TColor v) {
        Tetris(b).SetPenColor(v);
    }};
const TSettingRule<std::int32_t> kWidthTShapesPen{
    .Game = TState::Tetris,
    .Push = TPush::AtOnce,
    .Check = kPositive,
    .Apply = [](TGameBoard& b, std::int32_t v) { Tetris(b).SetPenWidth(v); }};
const TSettingRule<TShapeType> kShapesTShape{
    .Game = TState::Tetris, .Push = TPush::AtOnce, .Apply = [](TGameBoard& b, TShapeType v) {
        Tetris(b).SetShapeType(v);
    }};
const TSettingRule<TBrushStyle> kShapesTBrushStyle{
    .Game = TState::Tetris, .Push = TPush::AtOnce, .Apply = [](TGameBoard& b, TBrushStyle v) {
        Tetris(b).SetBrushStyle(v);
    }};
const TSettingRule<bool> kNextSColorT{
    .Game = TState::Tetris, .Push = TPush::AtOnce, .Apply = [](TGameBoard& b, bool v) {
        Tetris(b).SetNextColor(v);
    }};

TRcnd& ArcanoidBoard(TGameBoard& board) {
    return static_cast<TRcnd&>(board);
}
TFgrs& FiguresBoard(TGameBoard& board) {
    return static_cast<TFgrs&>(board);
}

constexpr TState kArc = TState::Arcanoid;
// An Arcanoid setting the board takes at once, optionally with a check and a notice.
template <typename T, void (TRcnd::*Setter)(T)>
TSettingRule<T> ArcanoidRule(TCheck check = {}, const QString& notice = {},
                             bool applyUnchanged = false) {
    return {.Game = kArc,
            .Push = TPush::AtOnce,
            .Check = check,
            .Notice = notice,
            .ApplyUnchanged = applyUnchanged,
            .Apply = [](TGameBoard& b, T v) { (ArcanoidBoard(b).*Setter)(v); }};
}

const TSettingRule<std::uint16_t> kARows{
    .Game = kArc,
    .Push = TPush::WhenIdle,
    .Check = InRange(Arcanoid::kMinRows, Arcanoid::kMaxRows),
    .Notice = kNewLevel,
    .Apply = [](TGameBoard& b, std::uint16_t v) { ArcanoidBoard(b).SetRows(v); }};
const TSettingRule<std::uint16_t> kAColumns{
    .Game = kArc,
    .Push = TPush::WhenIdle,
    .Check = InRange(Arcanoid::kMinColumns, Arcanoid::kMaxColumns),
    .Notice = kNewLevel,
    .Apply = [](TGameBoard& b, std::uint16_t v) { ArcanoidBoard(b).SetColumns(v); }};
// Read at the next start.
const TSettingRule<std::int32_t> kALevels{.Game = kArc,
                                          .Check =
                                              InRange(Arcanoid::kMinLevels, Arcanoid::kMaxLevels),
                                          .Notice = kRestartArcanoid};
const TSettingRule<std::int32_t> kABalls{
    .Game = kArc, .Check = kPositive, .Notice = kRestartArcanoid, .ApplyUnchanged = true};
const auto kADelay = ArcanoidRule<std::int32_t, &TRcnd::SetADelay>(kPositive, {}, true);
const auto kASteps = ArcanoidRule<std::int32_t, &TRcnd::SetASteps>(kPositive, kNewBall, true);
const auto kABSpeed = ArcanoidRule<std::int32_t, &TRcnd::SetABSpeed>({}, kNewBall);
const auto kASSpeed = ArcanoidRule<std::int32_t, &TRcnd::SetASSpeed>({}, kNewBall);
const auto kATN = ArcanoidRule<std::int32_t, &TRcnd::SetATN>(kPositive, kNewBall);
const auto kATL = ArcanoidRule<std::int32_t, &TRcnd::SetATL>(kPositive, kNewBall);
const auto kATS = ArcanoidRule<std::int32_t, &TRcnd::SetATS>(kPositive, kNewBall);
const auto kABHW = ArcanoidRule<std::int32_t, &TRcnd::SetABHW>(kPositive, kNewBall);
const auto kAFriction =
    ArcanoidRule<std::uint16_t, &TRcnd::SetAFriction>(InRange(0, 100), {}, true);
const auto kACreSquShape = ArcanoidRule<std::int32_t, &TRcnd::SetACreSquShape>(kPositive);
const auto kWidthAShapesPen = ArcanoidRule<std::int32_t, &TRcnd::SetWidthAShapesPen>(kNotNegative);
const auto kAStrongShapes = ArcanoidRule<bool, &TRcnd::SetAStrongShapes>();
const auto kAIMMDelShapes = ArcanoidRule<bool, &TRcnd::SetAIMMDelShapes>();
const auto kAEndStop = ArcanoidRule<bool, &TRcnd::SetAEndStop>();
const auto kColorAB = BoardColor(kArc);
const auto kColorABl = ArcanoidRule<TColor, &TRcnd::SetColorABl>();
const auto kColorAT = ArcanoidRule<TColor, &TRcnd::SetColorAT>();
const auto kColorAShapes = ArcanoidRule<TColorTAFShapes, &TRcnd::SetColorAShapes>();
const auto kOneColorAShapes = ArcanoidRule<TColor, &TRcnd::SetOneColorAShapes>();
const auto kColorAShapesPen = ArcanoidRule<TColor, &TRcnd::SetColorAShapesPen>();
const auto kShapesAShape = ArcanoidRule<TShapeType, &TRcnd::SetShapesAShape>();
const auto kShapesABrushStyle = ArcanoidRule<TBrushStyle, &TRcnd::SetShapesABrushStyle>();

constexpr TState kFig = TState::Figures;
const TSettingRule<TFSquare> kFSquare{
    .Game = kFig,
    .Push = TPush::WhenIdle,
    .Notice = QStringLiteral("Restart Figures to have effect this option"),
    .Apply = [](TGameBoard& b, TFSquare v) { FiguresBoard(b).SetSquareSize(v); }};
const TSettingRule<std::uint16_t> kFWidthHeight{
    .Game = kFig,
    .Push = TPush::WhenRunning,
    .Check = InRange(Figures::kMinWidthHeight, Figures::kMaxWidthHeight),
    .Apply = [](TGameBoard& b, std::uint16_t v) { FiguresBoard(b).SetWidthHeight(v); }};
const TSettingRule<TColorTAFShapes> kColorFShapes{
    .Game = kFig,
    .Push = TPush::AtOnce,
    .Check = {TCheck::FixedPalette},
    .Apply = [](TGameBoard& b, TColorTAFShapes v) { FiguresBoard(b).SetColorMode(v); }};
const auto kColorFB = BoardColor(kFig);

} // namespace

// The setter shape every setting shares: check, store or skip, push to the
// live board of its game, notice, and the focus back to the board.
template <typename T> void TGamePan::Assign(T& field, T value, const TSettingRule<T>& rule) {
    if (!Passes(rule.Check, *this, value)) {
        ShowError(RefusalOf(rule.Check));
        FocusBoard();
        return;
    }
    if (value != field || rule.ApplyUnchanged) {
        field = value;
        TGameBoard* board = rule.Game == FState ? FBoard : nullptr;
        if (board) {
            const bool running = board->Active();
            if (rule.Apply &&
                (rule.Push == TPush::AtOnce || (rule.Push == TPush::WhenIdle && !running) ||
                 (rule.Push == TPush::WhenRunning && running)))
                rule.Apply(*board, value);
            if (!rule.Notice.isEmpty() && running && FShowAllDlgs) ShowInformation(rule.Notice);
        }
    }
    FocusBoard();
}

void TGamePan::SetShowScoresTime(bool value) {
    Assign(FShowScoresTime, value, kPlain<bool>);
}
void TGamePan::SetShowAllDlgs(bool value) {
    Assign(FShowAllDlgs, value, kPlain<bool>);
}
void TGamePan::SetWithCaption(bool value) {
    Assign(FWithCaption, value, kWithCaption);
}
void TGamePan::SetDefKeys(bool value) {
    Assign(FDefKeys, value, kPlain<bool>);
}
void TGamePan::SetTimerFocus(bool value) {
    Assign(FTimerFocus, value, kPlain<bool>);
}
void TGamePan::SetPicStretch(bool value) {
    Assign(FPicStretch, value, kPlain<bool>);
}
void TGamePan::SetBStPicture(const QString& value) {
    Assign(FBStPicture, value, kPlain<QString>);
}
void TGamePan::SetAOverPicture(const QString& value) {
    Assign(FAOverPicture, value, kPlain<QString>);
}
void TGamePan::SetAbout(const QString& value) {
    Assign(FAbout, value, kPlain<QString>);
}

void TGamePan::SetSRowsColumns(std::uint16_t value) {
    Assign(FSRowsColumns, value, kSRowsColumns);
}
void TGamePan::SetColorSB(TColor value) {
    Assign(FColorSB, value, kColorSB);
}

void TGamePan::SetTRows(std::uint16_t value) {
    Assign(FTRows, value, kTRows);
}
void TGamePan::SetTColumns(std::uint16_t value) {
    Assign(FTColumns, value, kTColumns);
}
void TGamePan::SetTDelay(std::int32_t value) {
    Assign(FTDelay, value, kTDelay);
}
void TGamePan::SetTCoeff(std::int32_t value) {
    Assign(FTCoeff, value, kPlain<std::int32_t>);
}
void TGamePan::SetColorTB(TColor value) {
    Assign(FColorTB, value, kColorTB);
}
void TGamePan::SetColorTF(TColor value) {
    Assign(FColorTF, value, kColorTF);
}
void TGamePan::SetColorTShapes(TColorTAFShapes value) {
    Assign(FColorTShapes, value, kColorTShapes);
}
void TGamePan::SetOneColorTShapes(TColor value) {
    Assign(FOneColorTShapes, value, kOneColorTShapes);
}
void TGamePan::SetColorTShapesPen(TColor value) {
    Assign(FColorTShapesPen, value, kColorTShapesPen);
}
void TGamePan::SetWidthTShapesPen(std::int32_t value) {
    Assign(FWidthTShapesPen, value, kWidthTShapesPen);
}
void TGamePan::SetShapesTShape(TShapeType value) {
    Assign(FShapesTShape, value, kShapesTShape);
}
void TGamePan::SetShapesTBrushStyle(TBrushStyle value) {
    Assign(FShapesTBrushStyle, value, kShapesTBrushStyle);
}
void TGamePan::SetNextSColorT(bool value) {
    Assign(FNextSColorT, value, kNextSColorT);
}

void TGamePan::SetARows(std::uint16_t value) {
    Assign(FARows, value, kARows);
}
void TGamePan::SetAColumns(std::uint16_t value) {
    Assign(FAColumns, value, kAColumns);
}
void TGamePan::SetALevels(std::int32_t value) {
    Assign(FALevels, value, kALevels);
}
void TGamePan::SetABalls(std::int32_t value) {
    Assign(FABalls, value, kABalls);
}
void TGamePan::SetADelay(std::int32_t value) {
    Assign(FADelay, value, kADelay);
}
void TGamePan::SetACoeff(std::int32_t value) {
    Assign(FACoeff, value, kPlain<std::int32_t>);
}
void TGamePan::SetASteps(std::int32_t value) {
    Assign(FASteps, value, kASteps);
}
void TGamePan::SetABSpeed(std::int32_t value) {
    Assign(FABSpeed, value, kABSpeed);
}
void TGamePan::SetASSpeed(std::int32_t value) {
    Assign(FASSpeed, value, kASSpeed);
}
void TGamePan::SetATN(std::int32_t value) {
    Assign(FATN, value, kATN);
}
void TGamePan::SetATL(std::int32_t value) {
    Assign(FATL, value, kATL);
}
void TGamePan::SetATS(std::int32_t value) {
    Assign(FATS, value, kATS);
}
void TGamePan::SetABHW(std::int32_t value) {
    Assign(FABHW, value, kABHW);
}
void TGamePan::SetAFriction(std::uint16_t value) {
    Assign(FAFriction, value, kAFriction);
}
void TGamePan::SetACreSquShape(std::int32_t value) {
    Assign(FACreSquShape, value, kACreSquShape);
}
void TGamePan::SetAStrongShapes(bool value) {
    Assign(FAStrongShapes, value, kAStrongShapes);
}
void TGamePan::SetAIMMDelShapes(bool value) {
    Assign(FAIMMDelShapes, value, kAIMMDelShapes);
}
void TGamePan::SetAEndStop(bool value) {
    Assign(FAEndStop, value, kAEndStop);
}
void TGamePan::SetColorAB(TColor value) {
    Assign(FColorAB, value, kColorAB);
}
void TGamePan::SetColorABl(TColor value) {
    Assign(FColorABl, value, kColorABl);
}
void TGamePan::SetColorAT(TColor value) {
    Assign(FColorAT, value, kColorAT);
}
void TGamePan::SetColorAShapes(TColorTAFShapes value) {
    Assign(FColorAShapes, value, kColorAShapes);
}
void TGamePan::SetOneColorAShapes(TColor value) {
    Assign(FOneColorAShapes, value, kOneColorAShapes);
}
void TGamePan::SetColorAShapesPen(TColor value) {
    Assign(FColorAShapesPen, value, kColorAShapesPen);
}
void TGamePan::SetWidthAShapesPen(std::int32_t value) {
    Assign(FWidthAShapesPen, value, kWidthAShapesPen);
}
void TGamePan::SetShapesAShape(TShapeType value) {
    Assign(FShapesAShape, value, kShapesAShape);
}
void TGamePan::SetShapesABrushStyle(TBrushStyle value) {
    Assign(FShapesABrushStyle, value, kShapesABrushStyle);
}

void TGamePan::SetFSquare(TFSquare value) {
    Assign(FFSquare, value, kFSquare);
}
void TGamePan::SetFWidthHeight(std::uint16_t value) {
    Assign(FFWidthHeight, value, kFWidthHeight);
}
void TGamePan::SetColorFShapes(TColorTAFShapes value) {
    Assign(FColorFShapes, value, kColorFShapes);
}
void TGamePan::SetColorFB(TColor value) {
    Assign(FColorFB, value, kColorFB);
}

} // namespace Tolvane
