// SPDX-License-Identifier: GPL-3.0-or-later
// The game panel's frame for every game: the mode switch, start, pause,
// commands, keys and focus, the clock, the end of a game and the picture on
// an idle board. What each game adds is in its own wiring file.
#include "gamepan.h"

#include "gamepan/logging.h"
#include "gamepan/toolkit/board/gameboard.h"
#include "gamepan/toolkit/platform/keys.h"
#include "gamepan/wiring.h"

#include <QPainter>
#include <QResizeEvent>
#include <algorithm>

namespace Tolvane {

Q_LOGGING_CATEGORY(lcPanel, "tolvane.panel", QtWarningMsg)

QString SavedCaption;

TGamePan::TGamePan(QWidget* parent) : TPanel(parent) {
    setFocusPolicy(Qt::NoFocus);
}

TGamePan::~TGamePan() {
    delete FBoard;
}

const TGameWiring* TGamePan::Wiring() const {
    return WiringOf(FState);
}

void TGamePan::SetState(TState state) {
    if (state == FState) return;
    FState = state;
    if (FDesignMode) return;
    SwitchMode();
    FocusBoard();
}

// Frees the board, if any; true when one existed. A board may be freed from
// inside its own notification (an owner that changes the mode in an over
// event), so it goes away once control is back in the event loop, or with
// the panel.
bool TGamePan::FreeBoard() {
    if (!FBoard) return false;
    // Deleted only later, so stop its clocks now: a message box shown during
    // the switch runs events, and a hidden game must not play on.
    FBoard->SetPaused(true);
    FBoard->SetActive(false);
    FBoard->hide();
    FBoard->CutOff();
    FBoard->deleteLater();
    FBoard = nullptr;
    return true;
}

void TGamePan::SwitchMode() {
    qCDebug(lcPanel) << "mode" << FState;
    if (FState == TState::StPanel) {
        if (FreeBoard() || Framed()) {
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
    if (FreeBoard() || Framed()) {
        SetCaption(SavedCaption);
        FStart = false;
        FPaused = false;
    } else {
        ToggleFrame();
    }
    SavedCaption = Caption();
    SetCaption(QStringLiteral("PLEASE WAIT"));
    RepaintTitleBar();

    const TGameWiring* wiring = Wiring();
    if (wiring) {
        FBoard = wiring->Make(*this);
        FBoard->SetActive(false);
        FBoard->AlignToClient();
        FBoard->SetCaption(QString());
        wiring->PushAll(*FBoard, FSettings);
        FBoard->SetPaused(false);
        wiring->Configure(*this, *FBoard);
        InstallCommon(*FBoard);
    }

    ShowStatus(wiring ? wiring->Name() : QString());
    FPicture.reset();
    if (!FSettings.General.BStPicture.isEmpty())
        LoadPictureOrReport(FPicture, FSettings.General.BStPicture);
    if (FBoard) FBoard->update();
}

void TGamePan::InstallCommon(TGameBoard& board) {
    if (Wiring()->Keyboard())
        board.OnKeyDown = [this](QObject*, std::uint16_t& key, Qt::KeyboardModifiers shift) {
            BoardKeyDown(key, shift);
        };
    board.OnTime = [this](QObject*) { BoardTime(); };
    board.OnOver = [this](QObject*) { GameOver(); };
    board.OnPaintBack = [this](QObject*) { PaintBack(); };
    board.SetTabStop(true);
    board.show();
}

void TGamePan::ToggleFrame() {
    if (!Framed()) {
        FSavedBounds = geometry();
        SetFrame(true, FSettings.General.WithCaption);
    } else {
        SetFrame(false, false);
        setGeometry(FSavedBounds);
    }
    LayoutBoard();
}

void TGamePan::SetStart(bool start) {
    if (FDesignMode) {
        FStart = start;
        return;
    }
    if (start && !FStart && FBoard) {
        FBoard->update();
        FStart = true;
        const TGameWiring& wiring = *Wiring();
        qCDebug(lcPanel) << "start" << FState;
        wiring.ResetCounters(FCounters);
        FBoard->SetCaption(QString());
        ShowStatus(wiring.StartStatus(*this));
        FPicture.reset();
        wiring.PushAtStart(*FBoard, FSettings);
        FBoard->SetActive(true);
    }
    FocusBoard();
}

void TGamePan::SetPaused(bool paused) {
    if (FDesignMode) return;
    if (FBoard && paused != FPaused && FStart) {
        FPaused = paused;
        FBoard->SetPaused(paused);
        // Resumed, the board lays itself out anew.
        if (!paused) FBoard->AlignToClient();
    }
    FocusBoard();
}

void TGamePan::SetDirection(std::uint8_t direction) {
    const TGameWiring* wiring = Wiring();
    if (wiring && wiring->AcceptsDirection(direction)) {
        FDirection = direction;
        if (FStart && !FPaused && FBoard) FBoard->DoCommand(direction);
    }
    FocusBoard();
}

void TGamePan::BoardKeyDown(std::uint16_t& key, Qt::KeyboardModifiers shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
    if (!FSettings.General.DefKeys) return;
    if (FBoard && FBoard->Active() && !FBoard->Paused()) FBoard->DoKey(key);
    FocusBoard();
}

void TGamePan::FocusBoard() {
    if (!FSettings.General.DefKeys || FPaused || !FStart || !FBoard || !Wiring()->Keyboard())
        return;
    if (FBoard->Painted() && !FBoard->hasFocus()) FBoard->setFocus(Qt::OtherFocusReason);
}

void TGamePan::BoardTime() {
    if (FSettings.General.TimerFocus) FocusBoard();
    const TGameWiring* wiring = Wiring();
    const TGameBoard* board = FBoard;
    wiring->FireTime(*this);
    // The owner may have left the game in its clock event.
    if (FBoard != board) return;
    ShowStatus(wiring->Status(*this));
}

void TGamePan::ShowStatus(const QString& text) {
    SetCaption(ShowScoresTime() ? text : QString());
}

std::optional<std::uint8_t> TGamePan::ArrowCommand(std::uint16_t key) const {
    if (FBoard)
        for (const TKeyBinding& binding : FBoard->Keys())
            if (binding.Arrow == key) return binding.Command;
    return std::nullopt;
}

void TGamePan::GameOver() {
    qCDebug(lcPanel) << "over" << FState;
    const TGameWiring* wiring = Wiring();
    FBoard->SetActive(false);
    FStart = false;
    wiring->BeforeOverEvent(*this);

    TGameBoard* board = FBoard;
    wiring->FireOver(*this);
    // The owner may have chosen another game or the help view meanwhile,
    // or started the next game already; then the picture is not wanted.
    if (FBoard != board || FStart) return;

    if (!FSettings.General.AOverPicture.isEmpty())
        LoadPictureOrReport(FPicture, FSettings.General.AOverPicture, wiring->CannotOpenOver());
    wiring->AfterOverPicture(*this);
    FBoard->update();
    FocusBoard();
}

void TGamePan::PaintBack() {
    if (!FBoard || FBoard->Active() || !FPicture || FPicture->IsEmpty()) return;
    QPainter* canvas = FBoard->Canvas();
    if (!canvas) return;
    if (FSettings.General.PicStretch)
        FPicture->StretchDraw(*canvas, FBoard->rect());
    else
        FPicture->DrawTiled(*canvas, FBoard->size());
}

void TGamePan::LayoutBoard() {
    if (FBoard) FBoard->setGeometry(contentsRect());
}

void TGamePan::resizeEvent(QResizeEvent* event) {
    TPanel::resizeEvent(event);
    if (FState != TState::StPanel && (height() < kMinimumSide || width() < kMinimumSide)) {
        resize(std::max(width(), kMinimumSide), std::max(height(), kMinimumSide));
        return;
    }
    LayoutBoard();
}

} // namespace Tolvane
