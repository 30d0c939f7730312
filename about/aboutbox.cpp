// SPDX-License-Identifier: GPL-3.0-or-later
#include "aboutbox.h"

#include "ui_aboutbox.h"

#include "gamepan/toolkit/platform/links.h"
#include "gamepan/toolkit/platform/messages.h"
#include "gamepan/toolkit/widgets/colors.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QWindow>

namespace Tolvane {

// Silent unless QT_LOGGING_RULES turns "tolvane.about.debug" on.
Q_LOGGING_CATEGORY(lcAbout, "tolvane.about", QtWarningMsg)
namespace {

constexpr TColor kLineColor = clWhite;
constexpr TColor kLineHoverColor = clLime;
constexpr TColor kLinePressedColor = clRed;

void SetTextColor(QWidget* widget, TColor color) {
    SetRoleColor(*widget, {QPalette::WindowText}, ToQColor(color), true);
}

void SetBackColor(QWidget* widget, TColor color) {
    SetRoleColor(*widget, {QPalette::Window}, ToQColor(color), true);
}

struct TLabelFont {
    QLabel* Ui::TAboutBox::*Label;
    int PixelHeight;
    bool Bold;
    bool Underline;
};

constexpr TLabelFont kLabelFonts[] = {
    {&Ui::TAboutBox::Label4, 19, true, false}, {&Ui::TAboutBox::Label1, 19, false, false},
    {&Ui::TAboutBox::Label3, 16, true, false}, {&Ui::TAboutBox::Label6, 15, true, true},
    {&Ui::TAboutBox::Label7, 15, true, true},
};

} // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent), FUi(std::make_unique<Ui::TAboutBox>()) {
    FUi->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    connect(FUi->BitBtn1, &QPushButton::clicked, this, &QDialog::accept);

    SetBackColor(this, clNavy);
    SetBackColor(FUi->Panel1, clNavy);
    for (const TLabelFont& entry : kLabelFonts) {
        QLabel* label = FUi.get()->*entry.Label;
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(entry.PixelHeight);
        font.setBold(entry.Bold);
        font.setUnderline(entry.Underline);
        label->setFont(font);
        SetTextColor(label, kLineColor);
    }
    FUi->Label6->setText(QString::fromLatin1(kAuthorMail));
    FUi->Label7->setText(QString::fromLatin1(kAuthorWeb));

    for (QWidget* watched :
         {static_cast<QWidget*>(FUi->Panel1), FUi->PaintBox1, static_cast<QWidget*>(FUi->Label1),
          static_cast<QWidget*>(FUi->Label6), static_cast<QWidget*>(FUi->Label7)})
        watched->installEventFilter(this);

    // FormCreate: open centred on the primary screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        FPosLeft = area.left() + (area.width() - width()) / 2;
        FPosTop = area.top() + (area.height() - height()) / 2;
    }
}

TAboutBox::~TAboutBox() = default;

void TAboutBox::LoadBackground() {
    if (FBackground.isEmpty()) return;
    LoadPictureOrReport(FPicture, FBackground);
    update();
}

void TAboutBox::ShowSplash() {
    show();
    RunSplashEvents(QDeadlineTimer(kSplashMapWaitMs, Qt::PreciseTimer), true);
}

void TAboutBox::HoldSplash(const QDeadlineTimer& until) {
    RunSplashEvents(until, false);
}

void TAboutBox::RunSplashEvents(const QDeadlineTimer& until, bool untilPainted) {
    if (untilPainted && FPaintedOnScreen) return;
    const qint64 remainingMs = until.remainingTime();
    if (remainingMs == 0) return;
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.setTimerType(Qt::PreciseTimer);
    connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    if (remainingMs > 0) deadline.start(static_cast<int>(remainingMs));
    FFirstPaintLoop = untilPainted ? &loop : nullptr;
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    FFirstPaintLoop = nullptr;
    qCDebug(lcAbout) << (untilPainted ? "splash painted:" : "splash held:") << FPaintedOnScreen;
}

void TAboutBox::reject() {}

void TAboutBox::done(int result) {
    // A splash is not modal: its OK, were it ever reached, does nothing.
    if (!isModal()) return;
    FormClose();
    QDialog::done(result);
}

void TAboutBox::FormClose() {
    FPicture.reset();
}

void TAboutBox::Label6Click() {
    OpenLink(QUrl(QStringLiteral("mailto:") + QString::fromLatin1(kAuthorMail) +
                  QStringLiteral("?subject=About Tolvane 1.47")));
}

void TAboutBox::Label7Click() {
    OpenLink(QUrl(QString::fromLatin1(kAuthorWeb)));
}

void TAboutBox::ResetLinkLines() {
    SetTextColor(FUi->Label6, kLineColor);
    SetTextColor(FUi->Label7, kLineColor);
}

void TAboutBox::PaintBox1Paint() {
    if (!FPicture) return;
    QPainter painter(FUi->PaintBox1);
    FPicture->DrawTiled(painter, FUi->PaintBox1->size());
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event) {
    QLabel* line = nullptr;
    if (watched == FUi->Label6) line = FUi->Label6;
    if (watched == FUi->Label7) line = FUi->Label7;

    switch (event->type()) {
    case QEvent::Paint:
        if (watched == FUi->PaintBox1) {
            PaintBox1Paint();
            return true;
        }
        break;
    case QEvent::MouseMove:
        // Consumed here: passed on, the move would reach the panel and undo
        // the colour at once.
        if (line)
            SetTextColor(line, kLineHoverColor);
        else
            ResetLinkLines();
        event->accept();
        return true;
    case QEvent::MouseButtonPress:
        if (line) {
            SetTextColor(line, kLinePressedColor);
            FPressedLine = line;
            event->accept();
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (line) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const bool click = line == FPressedLine && mouse->button() == Qt::LeftButton &&
                               line->rect().contains(mouse->position().toPoint());
            FPressedLine = nullptr;
            if (click) {
                if (line == FUi->Label6)
                    Label6Click();
                else
                    Label7Click();
            }
            event->accept();
            return true;
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void TAboutBox::mouseMoveEvent(QMouseEvent* event) {
    ResetLinkLines();
    QDialog::mouseMoveEvent(event);
}

void TAboutBox::paintEvent(QPaintEvent* event) {
    if (FPicture) {
        QPainter painter(this);
        FPicture->DrawTiled(painter, size());
    }
    QDialog::paintEvent(event);
    // Painted while unexposed, the box reaches no screen.
    if (windowHandle() && windowHandle()->isExposed()) {
        FPaintedOnScreen = true;
        if (FFirstPaintLoop) FFirstPaintLoop->quit();
    }
}

void TAboutBox::showEvent(QShowEvent* event) {
    // FormShow. The size is locked here rather than at creation, so that the
    // owner can still make the box taller before showing it. The position is
    // the frame's, as the owner gives its own frame's.
    MoveFrameTo(*this, QPoint(FPosLeft, FPosTop));
    setFixedSize(size());
    QDialog::showEvent(event);
}

} // namespace Tolvane
