// SPDX-License-Identifier: GPL-3.0-or-later
#include "messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace Tolvane {
namespace {

class TRealMessageBoxes final : public TMessageSink {
public:
    TModalResult Show(TMsgDlgType type, const QString& text, TMsgButtons buttons) override {
        QMessageBox box(IconOf(type), ApplicationTitle(), text, QMessageBox::NoButton,
                        MessageParent());
        if (buttons == TMsgButtons::mbNoOK) {
            box.setStandardButtons(QMessageBox::No | QMessageBox::Ok);
            box.setDefaultButton(QMessageBox::Ok);
        } else {
            box.setStandardButtons(QMessageBox::Ok);
        }
        return box.exec() == QMessageBox::Ok ? TModalResult::mrOk : TModalResult::mrNo;
    }

private:
    static QMessageBox::Icon IconOf(TMsgDlgType type) {
        switch (type) {
        case TMsgDlgType::mtError:
            return QMessageBox::Critical;
        case TMsgDlgType::mtInformation:
            return QMessageBox::Information;
        case TMsgDlgType::mtConfirmation:
            return QMessageBox::Question;
        case TMsgDlgType::mtPlain:
            break;
        }
        return QMessageBox::NoIcon;
    }
};

QPointer<QWidget> mainWindow;
TRealMessageBoxes realBoxes;
TMessageSink* currentSink = &realBoxes;
int boxesShowing = 0;
QString applicationTitle;

} // namespace

void SetApplicationTitle(const QString& title) {
    applicationTitle = title;
}

QString ApplicationTitle() {
    return applicationTitle;
}

void SetMainWindow(QWidget* window) {
    mainWindow = window;
}

QWidget* MessageParent() {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return mainWindow && mainWindow->isVisible() ? mainWindow.data() : nullptr;
}

void MoveFrameTo(QWidget& window, QPoint topLeft) {
    // Once the native window exists, QWidget::move places the client area
    // there until the frame is known; the native window is then told that
    // the position is its frame's. The widget's own position must agree
    // with the native window's, or showing puts the client area back there.
    window.move(topLeft);
    if (QWindow* handle = window.windowHandle()) handle->setFramePosition(topLeft);
}

TMessageSink* SetMessageSink(TMessageSink* sink) {
    TMessageSink* previous = currentSink;
    currentSink = sink ? sink : &realBoxes;
    return previous == &realBoxes ? nullptr : previous;
}

TModalResult MessageDlg(const QString& text, TMsgDlgType type, TMsgButtons buttons) {
    struct TShowing {
        TShowing() { ++boxesShowing; }
        ~TShowing() { --boxesShowing; }
    } showing;
    return currentSink->Show(type, text, buttons);
}

bool MessageShowing() {
    return boxesShowing > 0;
}

void ShowError(const QString& text) {
    MessageDlg(text, TMsgDlgType::mtError, TMsgButtons::mbOK);
}

void ShowInformation(const QString& text) {
    MessageDlg(text, TMsgDlgType::mtInformation, TMsgButtons::mbOK);
}

bool AskNoOk(const QString& text) {
    return MessageDlg(text, TMsgDlgType::mtInformation, TMsgButtons::mbNoOK) == TModalResult::mrOk;
}

} // namespace Tolvane
