// SPDX-License-Identifier: GPL-3.0-or-later
#include "form1.h"

#include "about/aboutbox.h"
#include "app/backgrounds.h"
#include "app/localfont.h"
#include "app/tetrislevels.h"
#include "gamepan/toolkit/board/direction.h"
#include "gamepan/toolkit/platform/keyboardstate.h"
#include "gamepan/toolkit/platform/keys.h"
#include "gamepan/toolkit/platform/messages.h"
#include "gamepan/toolkit/platform/random.h"
#include "gamepan/toolkit/platform/wallpaper.h"
#include "gamepan/toolkit/widgets/flatbutton.h"
#include "gamepan/toolkit/widgets/shapecontrol.h"
#include "scores/form2.h"
#include "scores/soundplayer.h"
#include "ui_form1.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QIcon>
#include <QKeyEvent>
#include <QLoggingCategory>
#include <QMenu>
#include <QPainter>
#include <QPixmapCache>
#include <QScopeGuard>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <array>
#include <optional>

namespace Tolvane {

// Silent unless QT_LOGGING_RULES turns "tolvane.window.debug" on.
Q_LOGGING_CATEGORY(lcWindow, "tolvane.window", QtWarningMsg)

namespace {

const QString kNumLockWarning =
    QStringLiteral("NUM LOCK indicator must be light on the keyboard to play this game. Press "
                   "NumLock before start game!");
const QString kPauseCaption = QStringLiteral("Pa&use");
const QString kContinueCaption = QStringLiteral("Contin&ue");

// The localised captions are bytes of a legacy single-byte font; without
// that font they show as the Latin-1 characters of the same bytes.
constexpr unsigned char kTetrisBytes[] = {0x26, 0xD4, 0xC4, 0xD4, 0xD2, 0xC9, 0xD3, 0xC9};
constexpr unsigned char kArcanoidBytes[] = {0x26, 0xC0, 0xD2, 0xCA, 0xC0,
                                            0xCD, 0xCF, 0xC9, 0xC3, 0xC9};
constexpr unsigned char kScrambleBytes[] = {0x26, 0x31, 0x35};
constexpr unsigned char kFiguresBytes[] = {0x26, 0xD7, 0xC9, 0xC2, 0xD6, 0xD2, 0xC4, 0xC1, 0xC9};

template <std::size_t N> QString FromBytes(const unsigned char (&bytes)[N]) {
    return QString::fromLatin1(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(N));
}

constexpr int kLocalisedPointSize = 10;

// A text file's lines as a multi-line text holds them: the line break that
// ends the last line starts no further line.
QString TextOfLines(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
    return text;
}

constexpr std::initializer_list<QPalette::ColorRole> kTextRoles = {
    QPalette::WindowText, QPalette::ButtonText, QPalette::Text};

// The layout file keeps fonts in points; these dynamic properties carry
// what the design fixes in pixels and colours.
void ApplyDesignLook(QWidget& widget) {
    if (const QVariant px = widget.property("pixelHeight"); px.isValid()) {
        QFont font = widget.font();
        font.setPixelSize(px.toInt());
        widget.setFont(font);
    }
    if (const QVariant text = widget.property("textColor"); text.isValid()) {
        SetRoleColor(widget, kTextRoles, text.value<QColor>());
        // A disabled caption stays grey, so the player sees what is not available.
        QPalette palette = widget.palette();
        for (const QPalette::ColorRole role : kTextRoles)
            palette.setColor(QPalette::Disabled, role, ToQColor(clGray));
        widget.setPalette(palette);
    }
    if (const QVariant fill = widget.property("fillColor"); fill.isValid()) {
        SetRoleColor(widget, {QPalette::Window, QPalette::Base}, fill.value<QColor>(), true);
        widget.setAutoFillBackground(true);
    }
}

void SetTextColor(QWidget& widget, TColor color) {
    SetRoleColor(widget, kTextRoles, ToQColor(color));
}

const QString kGameOverCaption = QStringLiteral("Game Over! Result:");

// Qt's style keeps pictures of a window's buttons under the window's own
// colours, which no later window shares, so those of a window that lived
// only while it was shown are never drawn again; without this they pile up,
// game after game, until the cache is full. What the main window shows is
// drawn anew at its next paint.
void ReleaseWindowPictures() {
    QPixmapCache::clear();
}

} // namespace

const std::array<TPreview, 7> kPreviews{{
    {{{{16, 24}, {32, 24}, {16, 40}, {16, 56}}}, 0xFFFF00}, // 1, aqua
    {{{{16, 24}, {32, 24}, {32, 40}, {32, 56}}}, 0x0000FF}, // 2, red
    {{{{32, 24}, {16, 40}, {32, 40}, {32, 56}}}, 0x00FF00}, // 3, green
    {{{{32, 24}, {16, 40}, {32, 40}, {16, 56}}}, 0x00FFFF}, // 4, yellow
    {{{{16, 24}, {32, 40}, {16, 40}, {32, 56}}}, 0xFF0000}, // 5, blue
    {{{{24, 16}, {24, 32}, {24, 48}, {24, 64}}}, 0xFF00FF}, // 6, fuchsia
    {{{{16, 32}, {32, 32}, {16, 48}, {32, 48}}}, 0xC0C0C0}, // 7, silver
}};

TForm1::TForm1(TForm1Options options, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      ui(std::make_unique<Ui::Form1>()), FOptions(std::move(options)) {
    ui->setupUi(this);
    ApplyDesignLook(*this);
    for (QWidget* child : findChildren<QWidget*>()) ApplyDesignLook(*child);
    setFixedSize(size());
    SetMainWindow(this);

    FFlatButtons = {ui->SpeedButton8, ui->SpeedButton1, ui->SpeedButton10, ui->SpeedButton3,
                    ui->SpeedButton5, ui->SpeedButton4, ui->SpeedButton2,  ui->SpeedButton6,
                    ui->SpeedButton9, ui->SpeedButton7};
    for (QToolButton* button : FFlatButtons) MakeFlat(*button);
    FPopupMenu = new QMenu(this);
    FPopupMenu->addAction(ui->SetAsWallPaper1);

    BindGamePanEvents();
    LoadHelpText();
    ConnectControls();
    FormCreate();

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect bounds = rect();
        bounds.moveCenter(screen->geometry().center());
        move(bounds.topLeft());
    }
}

TForm1::~TForm1() = default;

TGamePan* TForm1::GamePan() const {
    return ui->GamePan1;
}

void TForm1::BindGamePanEvents() {
    TGamePan& pan = *ui->GamePan1;
    pan.OnScrambleMove = [this](QObject* sender) { GamePan1ScrambleMove(sender); };
    pan.OnTetrisContact = [this](QObject* sender) { GamePan1TetrisContact(sender); };
    pan.OnTetrisDelete = [this](QObject* sender) { GamePan1TetrisDelete(sender); };
    pan.OnFiguresMove = [this](QObject* sender) { GamePan1FiguresMove(sender); };
    pan.OnArcanoidDelete = [this](QObject* sender) { GamePan1ArcanoidDelete(sender); };
    pan.OnArcanoidContact = [this](QObject* sender) { GamePan1ArcanoidContact(sender); };
    pan.OnArcanoidEndLevel = [this](QObject* sender) { GamePan1ArcanoidEndLevel(sender); };
    pan.OnScrambleOver = [this](QObject* sender) { GamePan1ScrambleOver(sender); };
    pan.OnTetrisOver = [this](QObject* sender) { GamePan1TetrisOver(sender); };
    pan.OnArcanoidOver = [this](QObject* sender) { GamePan1ArcanoidOver(sender); };
    pan.OnFiguresOver = [this](QObject* sender) { GamePan1FiguresOver(sender); };
}

void TForm1::ConnectControls() {
    const std::array<std::pair<QToolButton*, void (TForm1::*)(QObject*)>, 10> commands{{
        {ui->SpeedButton8, &TForm1::SpeedButton8Click},
        {ui->SpeedButton1, &TForm1::BitBtn1Click},
        {ui->SpeedButton10, &TForm1::SpeedButton10Click},
        {ui->SpeedButton3, &TForm1::BitBtn3Click},
        {ui->SpeedButton5, &TForm1::BitBtn5Click},
        {ui->SpeedButton4, &TForm1::BitBtn4Click},
        {ui->SpeedButton2, &TForm1::BitBtn2Click},
        {ui->SpeedButton6, &TForm1::BitBtn6Click},
        {ui->SpeedButton9, &TForm1::SpeedButton9Click},
        {ui->SpeedButton7, &TForm1::SpeedButton7Click},
    }};
    for (const auto& [button, command] : commands) {
        connect(button, &QToolButton::clicked, this,
                [this, button, command = command] { (this->*command)(button); });
        button->installEventFilter(this);
    }
    connect(ui->SetAsWallPaper1, &QAction::triggered, this,
            [this] { SetAsWallPaper1Click(ui->SetAsWallPaper1); });

    ui->PaintBox1->OnPaint = [this](QObject*) {
        TilePicture(*ui->PaintBox1, *ui->PaintBox1->Canvas());
    };
    ui->PaintBox2->OnPaint = [this](QObject*) {
        TilePicture(*ui->PaintBox2, *ui->PaintBox2->Canvas());
    };
    ui->PaintBox3->OnPaint = [this](QObject*) {
        TilePicture(*ui->PaintBox3, *ui->PaintBox3->Canvas());
    };
}

void TForm1::LoadHelpText() {
    QFile help(QStringLiteral(":/text/help.txt"));
    if (help.open(QIODevice::ReadOnly))
        ui->Memo1->setPlainText(TextOfLines(QString::fromUtf8(help.readAll())));
}

void TForm1::FormCreate() {
    FAppDir = QDir::currentPath();

    const TLocalFont local =
        FindLocalFont(FOptions.FontFamilies ? FOptions.FontFamilies()
                                            : WithoutFoundries(QFontDatabase::families()));
    FGeoFont = local.GeoFont;
    FFontName = local.FontName;
    if (FGeoFont) {
        QFont font = ui->Memo1->font();
        font.setPointSize(kLocalisedPointSize);
        ui->Memo1->setFont(font);
    }
    if (FGeoFont && !FFontName.isEmpty()) ApplyLocalisedMode();

    FPanelBounds = ui->GamePan1->geometry();
    FBackIndex = 1;

    FBackFile = BackgroundPath(FAppDir, FBackIndex);
    ui->GamePan1->SetBStPicture(FBackFile);
    ui->GamePan1->SetAOverPicture(FBackFile);
    LoadBackPicture();
}

void TForm1::ApplyLocalisedMode() {
    for (QToolButton* button :
         {ui->SpeedButton2, ui->SpeedButton3, ui->SpeedButton4, ui->SpeedButton5}) {
        QFont font = button->font();
        font.setFamily(FFontName);
        font.setPointSize(kLocalisedPointSize);
        button->setFont(font);
    }
    QFont memoFont = ui->Memo1->font();
    memoFont.setFamily(FFontName);
    ui->Memo1->setFont(memoFont);

    QFile text(QStringLiteral("text2.txt"));
    if (text.open(QIODevice::ReadOnly))
        ui->Memo1->setPlainText(TextOfLines(QString::fromLatin1(text.readAll())));

    ui->SpeedButton2->setText(FromBytes(kTetrisBytes));
    ui->SpeedButton3->setText(FromBytes(kArcanoidBytes));
    ui->SpeedButton4->setText(FromBytes(kScrambleBytes));
    ui->SpeedButton5->setText(FromBytes(kFiguresBytes));
}

// Loads BackFile into FBackPicture. A picture that cannot be loaded is
// dropped everywhere, so no board tries the same file again.
void TForm1::LoadBackPicture() {
    if (LoadPictureOrReport(FBackPicture, FBackFile)) return;
    ui->GamePan1->SetBStPicture(QString());
    ui->GamePan1->SetAOverPicture(QString());
}

bool TForm1::IsFlatButton(const QObject* object) const {
    return std::find(FFlatButtons.cbegin(), FFlatButtons.cend(), object) != FFlatButtons.cend();
}

void TForm1::EnableButtons(QObject* sender) {
    for (QToolButton* button : FFlatButtons) button->setEnabled(true);
    if (IsFlatButton(sender)) static_cast<QToolButton*>(sender)->setEnabled(false);
    ui->SpeedButton9->setText(kPauseCaption);
    ui->SpeedButton9->setEnabled(false);
    ui->SpeedButton10->setEnabled(false);
    ui->Panel1->hide();
    ui->Panel2->hide();
    ui->Panel3->hide();
    FPopupAttached = true;
}

void TForm1::WarnIfNumLockOff() {
    if (!NumLockOn()) ShowInformation(kNumLockWarning);
}

void TForm1::FitGamePan(TPanelShape shape) {
    TGamePan& pan = *ui->GamePan1;
    // The client area is measured inside the frame the panel has while a
    // game is shown, which it gains only when the game is chosen; sizing
    // against the bare panel would make the first game's board too wide.
    const QMargins frame =
        pan.Framed() ? pan.contentsMargins() : TPanel::FrameMargins(pan.WithCaption());
    const int clientHeight = FPanelBounds.height() - frame.top() - frame.bottom();
    const int clientWidth = shape == TPanelShape::HalfWidth ? clientHeight / 2 : clientHeight;
    const int width = clientWidth + frame.left() + frame.right();
    pan.setGeometry((FPanelBounds.width() - width) / 2 + FPanelBounds.left(), FPanelBounds.top(),
                    width, FPanelBounds.height());
}

void TForm1::ChooseGame(QObject* sender, TState game, std::optional<TPanelShape> shape) {
    ui->GamePan1->hide();
    ui->Memo1->hide();
    if (shape)
        FitGamePan(*shape);
    else
        ui->GamePan1->setGeometry(FPanelBounds);
    EnableButtons(sender);
    if (game == TState::Tetris) ui->Panel2->show();
    ui->GamePan1->SetState(game);
    EventCue(QStringLiteral("step"), false);
    ui->GamePan1->show();
}

void TForm1::BitBtn2Click(QObject* sender) {
    WarnIfNumLockOff();
    FJustDeleted = false;
    ChooseGame(sender, TState::Tetris, TPanelShape::HalfWidth);
}

void TForm1::BitBtn3Click(QObject* sender) {
    WarnIfNumLockOff();
    ChooseGame(sender, TState::Arcanoid, std::nullopt);
}

void TForm1::BitBtn4Click(QObject* sender) {
    WarnIfNumLockOff();
    // The localised Scramble caption's accelerator is a digit, so a running
    // Tetris or Arcanoid game must not be thrown away by it.
    const TState state = ui->GamePan1->State();
    if (FGeoFont && ui->GamePan1->Start() && (state == TState::Tetris || state == TState::Arcanoid))
        return;
    ChooseGame(sender, TState::Scramble, TPanelShape::Square);
}

void TForm1::BitBtn5Click(QObject* sender) {
    ChooseGame(sender, TState::Figures, TPanelShape::Square);
}

void TForm1::BitBtn1Click(QObject* sender) {
    EventCue(QStringLiteral("zari"), false);
    EnableButtons(sender);
    ui->SpeedButton6->setEnabled(false);
    ui->SpeedButton10->setEnabled(true);
    ui->GamePan1->SetState(TState::StPanel);
    ui->GamePan1->hide();
    ui->Memo1->show();
}

void TForm1::BitBtn6Click(QObject*) {
    FPopupAttached = false;
    ui->SpeedButton6->setEnabled(false);
    ui->SpeedButton9->setEnabled(true);
    if (ui->GamePan1->State() == TState::Tetris) TetrisStartSteps();
    EventCue(QStringLiteral("zari"), false);
    ui->GamePan1->SetStart(true);
}

void TForm1::SpeedButton9Click(QObject*) {
    if (ui->GamePan1->Paused()) {
        ui->GamePan1->SetPaused(false);
        ui->SpeedButton9->setText(kPauseCaption);
    } else {
        ui->GamePan1->SetPaused(true);
        ui->SpeedButton9->setText(kContinueCaption);
    }
}

void TForm1::SpeedButton7Click(QObject*) {
    close();
}

void TForm1::SpeedButton8Click(QObject*) {
    EventCue(QStringLiteral("zari"), false);
    {
        TAboutBox about(this);
        about.FPosLeft = x();
        about.FPosTop = y();
        about.resize(about.width(), 400);
        about.FBackground = FBackFile;
        about.LoadBackground();
        about.exec();
        about.FPicture.reset();
    }
    ReleaseWindowPictures();
    EventCue(QStringLiteral("zari"), false);
}

void TForm1::SpeedButton10Click(QObject*) {
    FBackIndex = FBackIndex % kBackgrounds + 1;
    FBackFile = BackgroundPath(FAppDir, FBackIndex);
    ui->GamePan1->SetBStPicture(FBackFile);
    ui->GamePan1->SetAOverPicture(FBackFile);
    LoadBackPicture();
    update();
}

void TForm1::SetAsWallPaper1Click(QObject*) {
    if (!FBackFile.isEmpty() && QFileInfo(FBackFile).isFile()) SetDesktopWallpaper(FBackFile);
}

void TForm1::PlayCue(const QString& name, bool wait) {
    if (FOptions.PlayCue)
        FOptions.PlayCue(name, wait);
    else
        TForm2::PlayWave(name, wait);
}

void TForm1::EventCue(const QString& name, bool wait) {
    try {
        PlayCue(name, wait);
    } catch (const std::exception& error) {
        const QString text = QString::fromUtf8(error.what());
        QTimer::singleShot(0, this, [text] { ShowError(text); });
    }
}

void TForm1::TetrisStartSteps() {
    ui->Panel3->show();
    ui->Label3->setText(QStringLiteral("Level ") + ui->ComboBox1->currentText());
    // The level box offers only its list, "1" to "9".
    FLevel = static_cast<std::uint16_t>(ui->ComboBox1->currentText().toUInt());
    ApplyLevel();
    ui->Panel2->hide();
    ui->Panel1->show();
}

void TForm1::Shapes(TShapeControl& shape) {
    const TGamePan& pan = *ui->GamePan1;
    if (pan.ColorTShapes() == colorOne) shape.SetBrushColor(pan.OneColorTShapes());
    shape.SetPenColor(pan.ColorTShapesPen());
    shape.SetBrushStyle(pan.ShapesTBrushStyle());
    shape.SetShape(pan.ShapesTShape());
}

void TForm1::NextShape(const TPreview& preview) {
    TShapeControl* const shapes[] = {ui->Shape1, ui->Shape2, ui->Shape3, ui->Shape4};
    for (std::size_t i = 0; i < std::size(shapes); ++i) {
        shapes[i]->move(preview.Blocks[i]);
        shapes[i]->SetBrushColor(preview.Color);
        Shapes(*shapes[i]);
    }
}

void TForm1::GamePan1ScrambleMove(QObject*) {
    EventCue(QStringLiteral("step"), false);
}

void TForm1::GamePan1FiguresMove(QObject*) {
    EventCue(QStringLiteral("step"), false);
}

void TForm1::GamePan1ArcanoidDelete(QObject*) {
    EventCue(QStringLiteral("STEP"), false);
}

void TForm1::GamePan1ArcanoidContact(QObject*) {
    EventCue(QStringLiteral("ERROR"), false);
}

// The next level's bricks take a shape drawn at random.
void TForm1::GamePan1ArcanoidEndLevel(QObject*) {
    EventCue(QStringLiteral("ENERGY"), false);
    Randomize();
    ui->GamePan1->SetShapesAShape(Random(3) == 1 ? stRectangle : stRoundRect);
}

void TForm1::GamePan1TetrisContact(QObject*) {
    if (!FJustDeleted) EventCue(QStringLiteral("zari"), false);
    FJustDeleted = false;
    const int kind = ui->GamePan1->TetrisNext();
    if (kind >= 1 && kind <= int(kPreviews.size())) NextShape(kPreviews[kind - 1]);
}

void TForm1::GamePan1TetrisDelete(QObject*) {
    FJustDeleted = true;
    // Play stands still while the row's cue sounds.
    EventCue(QStringLiteral("ENERGY"), true);
    if (TetrisLevels::Rises(FLevel, ui->GamePan1->TetrisScore())) RaiseLevel();
}

// A new level: a new look for the blocks, then more points per row and a
// faster fall, each pushed into the running well at once.
void TForm1::RaiseLevel() {
    TGamePan& pan = *ui->GamePan1;
    ++FLevel;
    ui->Label3->setText(QStringLiteral("Level ") + QString::number(FLevel));
    Randomize();
    const TetrisLevels::TLook look = TetrisLevels::DrawLook();
    qCDebug(lcWindow) << "Tetris level" << FLevel << "look" << look.Shape << look.BrushStyle
                      << look.ColorMode;
    pan.SetShapesTShape(look.Shape);
    pan.SetShapesTBrushStyle(look.BrushStyle);
    pan.SetOneColorTShapes(look.OneColor);
    pan.SetColorTShapes(look.ColorMode);
    pan.SetColorTShapesPen(look.PenColor);
    ApplyLevel();
}

void TForm1::ApplyLevel() {
    ui->GamePan1->SetTCoeff(TetrisLevels::PointsPerRow(FLevel));
    ui->GamePan1->SetTDelay(TetrisLevels::FallIntervalMs(FLevel));
}

void TForm1::GameOver(TForm2& form) {
    EventCue(QStringLiteral("EXIT"), false);
    form.FBackground = FBackFile;
    form.LoadBackground();
    form.FPosLeft = x();
    form.FPosTop = y();
    const TState state = ui->GamePan1->State();
    form.FGame = GameName(state);
    if (state == TState::Tetris) ui->Panel3->hide();
}

void TForm1::ShowResult(std::int32_t result) {
    qCDebug(lcWindow) << "game over:" << GameName(ui->GamePan1->State()) << result;
    {
        // Freed, with its picture, whatever happens in the dialog.
        const auto form = std::make_unique<TForm2>(this);
        const auto freePicture = qScopeGuard([&form] { form->FPicture.reset(); });
        GameOver(*form);
        form->FResult = QString::number(result);
        form->setWindowTitle(kGameOverCaption + form->FResult);
        if (FOptions.ShowHighScores)
            FOptions.ShowHighScores(*form);
        else
            form->exec();
    }
    ReleaseWindowPictures();
    if (ui->GamePan1->State() == TState::Tetris) {
        ui->Panel1->hide();
        ui->Panel2->show();
    }
    ui->SpeedButton6->setEnabled(true);
    ui->SpeedButton9->setEnabled(false);
}

void TForm1::GamePan1ScrambleOver(QObject*) {
    ShowResult(ui->GamePan1->ScrambleMoves());
}

void TForm1::GamePan1TetrisOver(QObject*) {
    ShowResult(ui->GamePan1->TetrisScore());
}

void TForm1::GamePan1ArcanoidOver(QObject*) {
    ShowResult(ui->GamePan1->ArcanoidScore());
}

void TForm1::GamePan1FiguresOver(QObject*) {
    ShowResult(ui->GamePan1->FiguresMoves());
}

void TForm1::FormKeyDown(QObject*, std::uint16_t& key, Qt::KeyboardModifiers) {
    TGamePan& pan = *ui->GamePan1;
    if (key == VK_RETURN) {
        if (pan.State() != TState::StPanel && !pan.Start()) BitBtn6Click(this);
    } else if (key == VK_SPACE && pan.Start()) {
        if (pan.State() == TState::Arcanoid)
            pan.SetDirection(drUp);
        else if (pan.State() == TState::Tetris)
            pan.SetDirection(drDrop);
    } else if (pan.Start()) {
        // The arrow keys, for keyboards without a keypad, make the move the
        // board binds to them.
        if (const auto command = pan.ArrowCommand(key)) pan.SetDirection(*command);
    }
}

void TForm1::TilePicture(QWidget& area, QPainter& painter) const {
    if (FBackPicture) FBackPicture->DrawTiled(painter, area.size());
}

void TForm1::paintEvent(QPaintEvent*) {
    if (!FBackPicture) return;
    QPainter painter(this);
    FBackPicture->DrawTiled(painter, frameGeometry().size());
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The window sees every key before the control that has the focus: the
    // key arrives at the native window first, then goes to that control.
    if (!FKeyPreviewInstalled && windowHandle()) {
        windowHandle()->installEventFilter(this);
        FKeyPreviewInstalled = true;
    }
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == windowHandle() && event->type() == QEvent::KeyPress) {
        std::uint16_t key = VirtualKey(*static_cast<QKeyEvent*>(event));
        FormKeyDown(this, key, static_cast<QKeyEvent*>(event)->modifiers());
        return false;
    }
    if (IsFlatButton(watched) && static_cast<QWidget*>(watched)->isEnabled()) {
        // The second press of a double click is a press too. A right click
        // opens the menu before its release on X11, and the menu takes the
        // release: the caption turns white when the menu is asked for.
        const QEvent::Type type = event->type();
        if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick)
            SpeedButton8MouseDown(watched);
        if (type == QEvent::MouseButtonRelease || type == QEvent::ContextMenu)
            SpeedButton8MouseUp(watched);
    }
    return QWidget::eventFilter(watched, event);
}

void TForm1::SpeedButton8MouseDown(QObject* sender) {
    SetTextColor(*static_cast<QWidget*>(sender), clLime);
}

void TForm1::SpeedButton8MouseUp(QObject* sender) {
    SetTextColor(*static_cast<QWidget*>(sender), clWhite);
}

void TForm1::contextMenuEvent(QContextMenuEvent* event) {
    if (FPopupAttached) FPopupMenu->exec(event->globalPos());
}

void TForm1::closeEvent(QCloseEvent* event) {
    bool canClose = true;
    FormCloseQuery(this, canClose);
    if (canClose)
        event->accept();
    else
        event->ignore();
}

void TForm1::FormCloseQuery(QObject* sender, bool& canClose) {
    BitBtn1Click(sender);
    if (AskNoOk(QStringLiteral("Close Program?"))) {
        FBackPicture.reset();
        canClose = true;
    } else {
        ui->SpeedButton1->setEnabled(false);
        canClose = false;
    }
}

} // namespace Tolvane
