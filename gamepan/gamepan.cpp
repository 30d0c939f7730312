// SPDX-License-Identifier: GPL-3.0-or-later
#include "gamepan.h"

#include "gamepan/toolkit/custompanel.h"
#include "gamepan/toolkit/messages.h"
#include "games/scramble/scrmbl.h"
#include "games/tetris/ttrs.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

namespace Tolvane {

QString SavedCaption;

namespace {

// When a stored setting reaches the live board of its game.
enum class TPush : std::uint8_t {
    Never,    // not sent to the board (or only at the next build or start)
    AtOnce,   // the board's setter is called at once
    WhenIdle, // written only while the board runs no game; else at the next start
};

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
    bool (*Valid)(const TGamePan&, T) = nullptr;
    QString Refusal{};
    QString Notice{};
    bool ApplyUnchanged = false; // an unchanged value is still pushed and noticed
    void (*Apply)(TCustomPanel& board, T value) = nullptr;
};

namespace {

template <typename T> const TSettingRule<T> kPlain{};

template <int Low, int High, typename T = std::uint16_t> bool InRange(const TGamePan&, T value) {
    return int(value) >= Low && int(value) <= High;
}

bool Positive(const TGamePan&, std::int32_t value) {
    return value > 0;
}

bool NotNegative(const TGamePan&, std::int32_t value) {
    return value >= 0;
}

bool OnlyInPanelMode(const TGamePan& panel, bool) {
    return panel.State() == TState::StPanel;
}

TScrmbl& Scramble(TCustomPanel& board) {
    return static_cast<TScrmbl&>(board);
}
TTtrs& Tetris(TCustomPanel& board) {
    return static_cast<TTtrs&>(board);
}

const TSettingRule<bool> kWithCaption{
    .Valid = OnlyInPanelMode,
    .Refusal = QStringLiteral("At run time change this option only if State=stPanel")};

const TSettingRule<std::uint16_t> kSRowsColumns{
    .Game = TState::Scramble,
    .Push = TPush::WhenIdle,
    .Valid = InRange<2, 8>,
    .Refusal = QStringLiteral("Value must be in [2..8]"),
    .Notice = kRestartScramble,
    .Apply = [](TCustomPanel& b, std::uint16_t v) { Scramble(b).SetSize(v); }};
const TSettingRule<TColor> kColorSB{.Game = TState::Scramble,
                                    .Push = TPush::AtOnce,
                                    .Apply = [](TCustomPanel& b, TColor v) { b.SetColor(v); }};

const TSettingRule<std::uint16_t> kTRows{
    .Game = TState::Tetris,
    .Push = TPush::WhenIdle,
    .Valid = InRange<6, 48>,
    .Refusal = QStringLiteral("Value must be in [6..48]"),
    .Notice = kRestartTetris,
    .Apply = [](TCustomPanel& b, std::uint16_t v) { Tetris(b).SetRows(v); }};
const TSettingRule<std::uint16_t> kTColumns{
    .Game = TState::Tetris,
    .Push = TPush::WhenIdle,
    .Valid = InRange<6, 24>,
    .Refusal = QStringLiteral("Value must be in [6..24]"),
    .Notice = kRestartTetris,
    .Apply = [](TCustomPanel& b, std::uint16_t v) { Tetris(b).SetColumns(v); }};
const TSettingRule<std::int32_t> kTDelay{
    .Game = TState::Tetris,
    .Push = TPush::AtOnce,
    .ApplyUnchanged = true,
    .Apply = [](TCustomPanel& b, std::int32_t v) { Tetris(b).SetDelay(v); }};
const TSettingRule<TColor> kColorTB{.Game = TState::Tetris,
                                    .Push = TPush::AtOnce,
                                    .Apply = [](TCustomPanel& b, TColor v) { b.SetColor(v); }};
const TSettingRule<TColor> kColorTF{
    .Game = TState::Tetris, .Push = TPush::AtOnce, .Apply = [](TCustomPanel& b, TColor v) {
        Tetris(b).SetFloorColor(v);
    }};
const TSettingRule<TColorTAFShapes> kColorTShapes{
    .Game = TState::Tetris, .Push = TPush::AtOnce, .Apply = [](TCustomPanel& b, TColorTAFShapes v) {
        Tetris(b).SetColorMode(v);
    }};
const TSettingRule<TColor> kOneColorTShapes{
    .Game = TState::Tetris, .Push = TPush::AtOnce, .Apply = [](TCustomPanel& b, TColor v) {
        Tetris(b).SetOneColor(v);
    }};
const TSettingRule<TColor> kColorTShapesPen{
    .Game = TState::Tetris, .Push = TPush::AtOnce, .Apply = [](TCustomPanel& b, TColor v) {
        Tetris(b).SetPenColor(v);
    }};
const TSettingRule<std::int32_t> kWidthTShapesPen{
    .Game = TState::Tetris,
    .Push = TPush::AtOnce,
    .Valid = Positive,
    .Refusal = QStringLiteral("Value must be >0"),
    .Apply = [](TCustomPanel& b, std::int32_t v) { Tetris(b).SetPenWidth(v); }};
const TSettingRule<TShapeType> kShapesTShape{
    .Game = TState::Tetris, .Push = TPush::AtOnce, .Apply = [](TCustomPanel& b, TShapeType v) {
        Tetris(b).SetShapeType(v);
    }};
const TSettingRule<TBrushStyle> kShapesTBrushStyle{
    .Game = TState::Tetris, .Push = TPush::AtOnce, .Apply = [](TCustomPanel& b, TBrushStyle v) {
        Tetris(b).SetBrushStyle(v);
    }};
const TSettingRule<bool> kNextSColorT{
    .Game = TState::Tetris, .Push = TPush::AtOnce, .Apply = [](TCustomPanel& b, bool v) {
        Tetris(b).SetNextColor(v);
    }};

// The Arcanoid settings are stored and checked; the board they go to
// plugs in its setters here.
constexpr TState kArc = TState::Arcanoid;
const QString kPositive = QStringLiteral("Value must be >0");
const TSettingRule<std::uint16_t> kARows{.Game = kArc,
                                         .Push = TPush::WhenIdle,
                                         .Valid = InRange<14, 48>,
                                         .Refusal = QStringLiteral("Value must be in [14..48]"),
                                         .Notice = kNewLevel};
const TSettingRule<std::uint16_t> kAColumns{.Game = kArc,
                                            .Push = TPush::WhenIdle,
                                            .Valid = InRange<6, 24>,
                                            .Refusal = QStringLiteral("Value must be in [6..24]"),
                                            .Notice = kNewLevel};
const TSettingRule<std::int32_t> kALevels{.Game = kArc,
                                          .Valid = InRange<1, 10, std::int32_t>,
                                          .Refusal = QStringLiteral("Value must be in [1..10]"),
                                          .Notice = kRestartArcanoid};
const TSettingRule<std::int32_t> kABalls{.Game = kArc,
                                         .Valid = Positive,
                                         .Refusal = kPositive,
                                         .Notice = kRestartArcanoid,
                                         .ApplyUnchanged = true};
const TSettingRule<std::int32_t> kADelay{.Game = kArc,
                                         .Push = TPush::AtOnce,
                                         .Valid = Positive,
                                         .Refusal = kPositive,
                                         .ApplyUnchanged = true};
const TSettingRule<std::int32_t> kASteps{.Game = kArc,
                                         .Push = TPush::AtOnce,
                                         .Valid = Positive,
                                         .Refusal = kPositive,
                                         .Notice = kNewBall,
                                         .ApplyUnchanged = true};
const TSettingRule<std::int32_t> kNewBallSpeed{
    .Game = kArc, .Push = TPush::AtOnce, .Notice = kNewBall};
const TSettingRule<std::int32_t> kNewBallSize{.Game = kArc,
                                              .Push = TPush::AtOnce,
                                              .Valid = Positive,
                                              .Refusal = kPositive,
                                              .Notice = kNewBall};
const TSettingRule<std::uint16_t> kAFriction{.Game = kArc,
                                             .Push = TPush::AtOnce,
                                             .Valid = InRange<0, 100>,
                                             .Refusal = QStringLiteral("Value must be in [0..100]"),
                                             .ApplyUnchanged = true};
const TSettingRule<std::int32_t> kACreSquShape{
    .Game = kArc, .Push = TPush::AtOnce, .Valid = Positive, .Refusal = kPositive};
const TSettingRule<std::int32_t> kWidthAShapesPen{.Game = kArc,
                                                  .Push = TPush::AtOnce,
                                                  .Valid = NotNegative,
                                                  .Refusal = QStringLiteral("Value must be >=0")};
template <typename T> const TSettingRule<T> kArcanoidLook{.Game = kArc, .Push = TPush::AtOnce};

QString GameName(TState state) {
    switch (state) {
    case TState::Scramble:
        return QStringLiteral("Scramble");
    case TState::Tetris:
        return QStringLiteral("Tetris");
    case TState::Arcanoid:
        return QStringLiteral("Arcanoid");
    case TState::Figures:
        return QStringLiteral("Figures");
    case TState::StPanel:
        break;
    }
    return {};
}

// Direction codes each game accepts: 0 left, 1 right, 2 drop, 3 rotate,
// 4 down, 5 up, 6 stop.
bool AcceptsDirection(TState state, std::uint8_t code) {
    switch (state) {
    case TState::Scramble:
        return code != 2 && code != 3;
    case TState::Tetris:
        return code <= 3;
    case TState::Arcanoid:
        return code == 0 || code == 1 || code == 5 || code == 6;
    case TState::Figures:
    case TState::StPanel:
        break;
    }
    return false;
}

} // namespace

TGamePan::TGamePan(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

TGamePan::~TGamePan() {
    delete FTtrs;
    delete FScrmbl;
}

// The setter shape every setting shares: check, store or skip, push to the
// live board of its game, notice, and the focus back to the board.
template <typename T> void TGamePan::Assign(T& field, T value, const TSettingRule<T>& rule) {
    if (rule.Valid && !rule.Valid(*this, value)) {
        ShowError(rule.Refusal);
        FocusBoard();
        return;
    }
    if (value != field || rule.ApplyUnchanged) {
        field = value;
        TCustomPanel* board = rule.Game == FState ? Board() : nullptr;
        if (board) {
            const bool running = BoardRunning(FState);
            if (rule.Apply &&
                (rule.Push == TPush::AtOnce || (rule.Push == TPush::WhenIdle && !running)))
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
    Assign(FABSpeed, value, kNewBallSpeed);
}
void TGamePan::SetASSpeed(std::int32_t value) {
    Assign(FASSpeed, value, kNewBallSpeed);
}
void TGamePan::SetATN(std::int32_t value) {
    Assign(FATN, value, kNewBallSize);
}
void TGamePan::SetATL(std::int32_t value) {
    Assign(FATL, value, kNewBallSize);
}
void TGamePan::SetATS(std::int32_t value) {
    Assign(FATS, value, kNewBallSize);
}
void TGamePan::SetABHW(std::int32_t value) {
    Assign(FABHW, value, kNewBallSize);
}
void TGamePan::SetAFriction(std::uint16_t value) {
    Assign(FAFriction, value, kAFriction);
}
void TGamePan::SetACreSquShape(std::int32_t value) {
    Assign(FACreSquShape, value, kACreSquShape);
}
void TGamePan::SetAStrongShapes(bool value) {
    Assign(FAStrongShapes, value, kArcanoidLook<bool>);
}
void TGamePan::SetAIMMDelShapes(bool value) {
    Assign(FAIMMDelShapes, value, kArcanoidLook<bool>);
}
void TGamePan::SetAEndStop(bool value) {
    Assign(FAEndStop, value, kArcanoidLook<bool>);
}
void TGamePan::SetColorAB(TColor value) {
    Assign(FColorAB, value, kArcanoidLook<TColor>);
}
void TGamePan::SetColorABl(TColor value) {
    Assign(FColorABl, value, kArcanoidLook<TColor>);
}
void TGamePan::SetColorAT(TColor value) {
    Assign(FColorAT, value, kArcanoidLook<TColor>);
}
void TGamePan::SetColorAShapes(TColorTAFShapes value) {
    Assign(FColorAShapes, value, kArcanoidLook<TColorTAFShapes>);
}
void TGamePan::SetOneColorAShapes(TColor value) {
    Assign(FOneColorAShapes, value, kArcanoidLook<TColor>);
}
void TGamePan::SetColorAShapesPen(TColor value) {
    Assign(FColorAShapesPen, value, kArcanoidLook<TColor>);
}
void TGamePan::SetWidthAShapesPen(std::int32_t value) {
    Assign(FWidthAShapesPen, value, kWidthAShapesPen);
}
void TGamePan::SetShapesAShape(TShapeType value) {
    Assign(FShapesAShape, value, kArcanoidLook<TShapeType>);
}
void TGamePan::SetShapesABrushStyle(TBrushStyle value) {
    Assign(FShapesABrushStyle, value, kArcanoidLook<TBrushStyle>);
}

TCustomPanel* TGamePan::Board() const {
    switch (FState) {
    case TState::Scramble:
        return FScrmbl;
    case TState::Tetris:
        return FTtrs;
    case TState::Arcanoid:
    case TState::Figures:
    case TState::StPanel:
        break;
    }
    return nullptr;
}

bool TGamePan::BoardRunning(TState game) const {
    switch (game) {
    case TState::Scramble:
        return FScrmbl && FScrmbl->Active();
    case TState::Tetris:
        return FTtrs && FTtrs->Active();
    case TState::Arcanoid:
    case TState::Figures:
    case TState::StPanel:
        break;
    }
    return false;
}

void TGamePan::SetCaption(const QString& caption) {
    if (caption == FCaption) return;
    FCaption = caption;
    if (FDecoratedWithTitle) update(TitleBarRect());
}

void TGamePan::SetColor(TColor color) {
    FColor = color;
    update();
}

int TGamePan::ClientWidth() const {
    return contentsRect().width();
}
int TGamePan::ClientHeight() const {
    return contentsRect().height();
}

void TGamePan::SetClientWidth(int width) {
    const QMargins m = contentsMargins();
    resize(width + m.left() + m.right(), height());
}

void TGamePan::SetClientHeight(int height) {
    const QMargins m = contentsMargins();
    resize(width(), height + m.top() + m.bottom());
}

void TGamePan::SetState(TState state) {
    if (state == FState) return;
    FState = state;
    SwitchMode();
    FocusBoard();
}

// Frees the board of every game except `keep`; true when one existed. A
// board may be freed from inside its own notification (an owner that
// changes the mode in an over event), so it goes away once control is back
// in the event loop, or with the panel.
bool TGamePan::FreeBoards(TState keep) {
    bool freed = false;
    auto release = [&](auto*& board, TState game) {
        if (!board || game == keep) return;
        // Deleted only later, so stop its clocks now: a message box shown
        // during the switch runs events, and a hidden game must not play on.
        board->SetPaused(true);
        board->SetActive(false);
        board->hide();
        board->CutOff();
        board->deleteLater();
        board = nullptr;
        freed = true;
    };
    release(FScrmbl, TState::Scramble);
    release(FTtrs, TState::Tetris);
    return freed;
}

void TGamePan::SwitchMode() {
    if (FState == TState::StPanel) {
        if (FreeBoards(TState::StPanel) || FDecorated) {
            ToggleFrame();
            SetCaption(SavedCaption);
            FStart = false;
            FPaused = false;
        }
        FPicture.reset();
        return;
    }

    // From another game (with or without a board of its own) the frame stays;
    // from StPanel it is added.
    if (FreeBoards(FState) || FDecorated) {
        SetCaption(SavedCaption);
        FStart = false;
        FPaused = false;
    } else {
        ToggleFrame();
    }
    SavedCaption = FCaption;
    SetCaption(QStringLiteral("PLEASE WAIT"));
    if (FDecoratedWithTitle && isVisible()) repaint(TitleBarRect());

    TCustomPanel* board = nullptr;
    switch (FState) {
    case TState::Scramble:
        BuildScramble();
        board = FScrmbl;
        break;
    case TState::Tetris:
        BuildTetris();
        board = FTtrs;
        break;
    case TState::Arcanoid:
    case TState::Figures:
    case TState::StPanel:
        break;
    }
    if (board) {
        board->OnKeyDown = [this](QObject* sender, std::uint16_t& key,
                                  Qt::KeyboardModifiers shift) {
            BoardKeyDown(sender, key, shift);
        };
        board->SetTabStop(true);
        board->show();
    }

    SetCaption(FShowScoresTime ? GameName(FState) : QString());
    FPicture.reset();
    if (!FBStPicture.isEmpty()) LoadPicture(FBStPicture);
    if (board) board->update();
}

void TGamePan::BuildScramble() {
    FScrmbl = new TScrmbl(this);
    FScrmbl->SetActive(false);
    FScrmbl->SetSize(FSRowsColumns);
    FScrmbl->AlignToClient();
    FScrmbl->SetCaption(QString());
    FScrmbl->SetColor(FColorSB);
    FScrmbl->SetPaused(false);
    FScrmbl->OnTime = [this](QObject* sender) { BoardTime(sender); };
    FScrmbl->OnOver = [this](QObject* sender) { ScrambleOver(sender); };
    FScrmbl->OnMove = [this](QObject* sender) { ScrambleMove(sender); };
    FScrmbl->OnPaintBack = [this](QObject* sender) { PaintBack(sender); };
}

void TGamePan::BuildTetris() {
    FTtrs = new TTtrs(this);
    FTtrs->SetActive(false);
    FTtrs->SetColumns(FTColumns);
    FTtrs->SetRows(FTRows);
    FTtrs->AlignToClient();
    FTtrs->SetPaused(false);
    FTtrs->SetCaption(QString());
    FTtrs->SetColor(FColorTB);
    FTtrs->SetFloorColor(FColorTF);
    FTtrs->SetColorMode(FColorTShapes);
    FTtrs->SetNextColor(FNextSColorT);
    FTtrs->SetNextKind(FTetrisNext);
    FTtrs->SetBrushStyle(FShapesTBrushStyle);
    FTtrs->SetPenColor(FColorTShapesPen);
    FTtrs->SetPenWidth(FWidthTShapesPen);
    FTtrs->SetShapeType(FShapesTShape);
    FTtrs->SetOneColor(FOneColorTShapes);
    FTtrs->SetDelay(FTDelay);
    FTtrs->OnTime = [this](QObject* sender) { BoardTime(sender); };
    FTtrs->OnOver = [this](QObject* sender) { TetrisOver(sender); };
    FTtrs->OnDelete = [this](QObject* sender) { TetrisDelete(sender); };
    FTtrs->OnContact = [this](QObject* sender) { TetrisContact(sender); };
    FTtrs->OnPaintBack = [this](QObject* sender) { PaintBack(sender); };
}

void TGamePan::ToggleFrame() {
    constexpr int b = TFrameMetrics::kBorder;
    if (!FDecorated) {
        FSavedBounds = geometry();
        FDecorated = true;
        FDecoratedWithTitle = FWithCaption;
        setContentsMargins(b, b + (FDecoratedWithTitle ? TFrameMetrics::kTitleHeight : 0), b, b);
    } else {
        FDecorated = false;
        FDecoratedWithTitle = false;
        FDrag = TDrag::None;
        setContentsMargins(0, 0, 0, 0);
        setGeometry(FSavedBounds);
    }
    LayoutBoard();
    update();
}

void TGamePan::LoadPicture(QString& path) {
    if (!FPicture) FPicture = std::make_unique<TPicture>();
    if (FPicture->LoadFromFile(path)) return;
    ShowError(QStringLiteral("Cannot Open ") + path);
    FPicture.reset();
    path.clear();
}

void TGamePan::SetStart(bool start) {
    TCustomPanel* board = Board();
    if (start && !FStart && board) {
        board->update();
        FStart = true;
        switch (FState) {
        case TState::Scramble:
            FScrambleMoves = 0;
            SetCaption(FShowScoresTime ? QStringLiteral(" Moves: 0") : QString());
            FPicture.reset();
            FScrmbl->SetCaption(QString());
            FScrmbl->SetSize(FSRowsColumns);
            FScrmbl->SetActive(true);
            break;
        case TState::Tetris:
            FTetrisScore = 0;
            FTtrs->SetCaption(QString());
            SetCaption(FShowScoresTime ? QStringLiteral("Score: 0") : QString());
            FPicture.reset();
            FTtrs->SetRows(FTRows);
            FTtrs->SetColumns(FTColumns);
            FTtrs->SetActive(true);
            break;
        case TState::Arcanoid:
        case TState::Figures:
        case TState::StPanel:
            break;
        }
    }
    FocusBoard();
}

void TGamePan::SetPaused(bool paused) {
    TCustomPanel* board = Board();
    if (board && paused != FPaused && FStart) {
        FPaused = paused;
        if (FScrmbl && board == FScrmbl) FScrmbl->SetPaused(paused);
        if (FTtrs && board == FTtrs) FTtrs->SetPaused(paused);
        if (!paused) board->AlignToClient();
    }
    FocusBoard();
}

void TGamePan::SetDirection(std::uint8_t direction) {
    if (AcceptsDirection(FState, direction)) {
        FDirection = direction;
        if (FStart && !FPaused) {
            if (FState == TState::Scramble && FScrmbl) FScrmbl->DoCommand(direction);
            if (FState == TState::Tetris && FTtrs) FTtrs->DoCommand(direction);
        }
    }
    FocusBoard();
}

void TGamePan::BoardKeyDown(QObject*, std::uint16_t& key, Qt::KeyboardModifiers shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
    if (!FDefKeys) return;
    if (FState == TState::Scramble && FScrmbl && FScrmbl->Active() && !FScrmbl->Paused())
        FScrmbl->DoKey(key);
    else if (FState == TState::Tetris && FTtrs && FTtrs->Active() && !FTtrs->Paused())
        FTtrs->DoKey(key);
    FocusBoard();
}

void TGamePan::FocusBoard() {
    if (!FDefKeys || FPaused || !FStart) return;
    bool painted = false;
    if (FState == TState::Scramble && FScrmbl)
        painted = FScrmbl->Painted();
    else if (FState == TState::Tetris && FTtrs)
        painted = FTtrs->Painted();
    TCustomPanel* board = Board();
    if (board && painted && !board->hasFocus()) board->setFocus(Qt::OtherFocusReason);
}

void TGamePan::BoardTime(QObject* sender) {
    if (FTimerFocus) FocusBoard();
    if (sender != Board()) return;
    if (FState == TState::Scramble)
        Fire(OnScrambleTime, this);
    else if (FState == TState::Tetris)
        Fire(OnTetrisTime, this);
    if (!FShowScoresTime) {
        SetCaption(QString());
    } else if (FState == TState::Scramble) {
        SetCaption(QStringLiteral(" Moves: ") + QString::number(FScrambleMoves));
    } else if (FState == TState::Tetris) {
        SetCaption(QStringLiteral("Score: ") + QString::number(FTetrisScore));
    }
}

void TGamePan::ScrambleMove(QObject*) {
    if (!FScrmbl) return;
    FScrambleMoves = FScrmbl->Moves();
    Fire(OnScrambleMove, this);
    FocusBoard();
}

void TGamePan::TetrisDelete(QObject*) {
    FTetrisScore += FTCoeff;
    Fire(OnTetrisDelete, this);
    FocusBoard();
}

void TGamePan::TetrisContact(QObject*) {
    if (!FTtrs) return;
    FTetrisNext = FTtrs->NextKind();
    Fire(OnTetrisContact, this);
}

void TGamePan::ScrambleOver(QObject* sender) {
    GameOver(sender, TState::Scramble);
}
void TGamePan::TetrisOver(QObject* sender) {
    GameOver(sender, TState::Tetris);
}

void TGamePan::GameOver(QObject* sender, TState game) {
    if (game != FState || sender != Board()) return;
    if (game == TState::Scramble)
        FScrmbl->SetActive(false);
    else if (game == TState::Tetris)
        FTtrs->SetActive(false);
    FStart = false;

    Fire(game == TState::Scramble ? OnScrambleOver : OnTetrisOver, this);
    // The owner may have chosen another game or the help view meanwhile.
    if (FState != game || !Board()) return;

    if (!FAOverPicture.isEmpty()) LoadPicture(FAOverPicture);
    Board()->update();
    FocusBoard();
}

void TGamePan::PaintBack(QObject* sender) {
    TCustomPanel* board = Board();
    if (!board || sender != board || BoardRunning(FState) || !FPicture || FPicture->IsEmpty())
        return;
    QPainter* canvas = board->Canvas();
    if (!canvas) return;
    if (FPicStretch)
        FPicture->StretchDraw(*canvas, board->rect());
    else
        FPicture->DrawTiled(*canvas, board->size());
}

QRect TGamePan::TitleBarRect() const {
    constexpr int b = TFrameMetrics::kBorder;
    return QRect(b, b, width() - 2 * b, TFrameMetrics::kTitleHeight);
}

void TGamePan::LayoutBoard() {
    if (TCustomPanel* board = Board()) board->setGeometry(contentsRect());
}

void TGamePan::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (FState != TState::StPanel &&
        (height() < TFrameMetrics::kMinimumSide || width() < TFrameMetrics::kMinimumSide)) {
        resize(std::max(width(), TFrameMetrics::kMinimumSide),
               std::max(height(), TFrameMetrics::kMinimumSide));
        return;
    }
    LayoutBoard();
}

void TGamePan::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), ToQColor(FColor));
    if (!FDecorated) return;

    // A raised sizing border in the button face colour, like a small window.
    const QColor face = ToQColor(clBtnFace);
    const QRect outer = rect();
    constexpr int b = TFrameMetrics::kBorder;
    painter.fillRect(QRect(0, 0, width(), b), face);
    painter.fillRect(QRect(0, height() - b, width(), b), face);
    painter.fillRect(QRect(0, 0, b, height()), face);
    painter.fillRect(QRect(width() - b, 0, b, height()), face);
    painter.setPen(ToQColor(clWhite));
    painter.drawLine(outer.topLeft(), outer.topRight());
    painter.drawLine(outer.topLeft(), outer.bottomLeft());
    painter.setPen(ToQColor(clGray));
    painter.drawLine(outer.bottomLeft(), outer.bottomRight());
    painter.drawLine(outer.topRight(), outer.bottomRight());

    if (!FDecoratedWithTitle) return;
    const QRect title = TitleBarRect();
    QLinearGradient gradient(title.topLeft(), title.topRight());
    gradient.setColorAt(0, ToQColor(clNavy));
    gradient.setColorAt(1, QColor(0x10, 0x84, 0xD0));
    painter.fillRect(title, gradient);
    QFont titleFont = font();
    titleFont.setPixelSize(TFrameMetrics::kTitleHeight - 5);
    titleFont.setBold(true);
    painter.setFont(titleFont);
    painter.setPen(ToQColor(clWhite));
    painter.drawText(title.adjusted(3, 0, -3, 0), Qt::AlignLeft | Qt::AlignVCenter, FCaption);
}

void TGamePan::mousePressEvent(QMouseEvent* event) {
    if (!FDecorated || event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint at = event->position().toPoint();
    constexpr int b = TFrameMetrics::kBorder;
    Qt::Edges edges;
    if (at.x() < b) edges |= Qt::LeftEdge;
    if (at.x() >= width() - b) edges |= Qt::RightEdge;
    if (at.y() < b) edges |= Qt::TopEdge;
    if (at.y() >= height() - b) edges |= Qt::BottomEdge;
    if (edges) {
        FDrag = TDrag::Resize;
        FDragEdges = edges;
    } else if (FDecoratedWithTitle && TitleBarRect().contains(at)) {
        FDrag = TDrag::Move;
    } else {
        FDrag = TDrag::None;
        return;
    }
    FDragStart = event->globalPosition().toPoint();
    FDragBounds = geometry();
}

void TGamePan::mouseMoveEvent(QMouseEvent* event) {
    if (FDrag == TDrag::None) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    const QPoint delta = event->globalPosition().toPoint() - FDragStart;
    if (FDrag == TDrag::Move) {
        move(FDragBounds.topLeft() + delta);
        return;
    }
    constexpr int minimum = TFrameMetrics::kMinimumSide;
    QRect bounds = FDragBounds;
    if (FDragEdges & Qt::LeftEdge)
        bounds.setLeft(std::min(bounds.left() + delta.x(), bounds.right() - minimum + 1));
    if (FDragEdges & Qt::RightEdge)
        bounds.setRight(std::max(bounds.right() + delta.x(), bounds.left() + minimum - 1));
    if (FDragEdges & Qt::TopEdge)
        bounds.setTop(std::min(bounds.top() + delta.y(), bounds.bottom() - minimum + 1));
    if (FDragEdges & Qt::BottomEdge)
        bounds.setBottom(std::max(bounds.bottom() + delta.y(), bounds.top() + minimum - 1));
    setGeometry(bounds);
}

void TGamePan::mouseReleaseEvent(QMouseEvent* event) {
    if (FDrag == TDrag::None) QWidget::mouseReleaseEvent(event);
    FDrag = TDrag::None;
}

} // namespace Tolvane
