// SPDX-License-Identifier: GPL-3.0-or-later
#include "flatbutton.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOption>
#include <QToolButton>
#include <qdrawutil.h>

namespace Tolvane {
namespace {

constexpr int kEdgeWidthPx = 1;

// The desktop's style, except for the panel of a raising button: a style
// fills it with the button colour under the pointer, a near-white box
// behind a white caption on most desktops.
class TFlatButtonStyle final : public QProxyStyle {
public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element != PE_PanelButtonTool || !option->state.testFlag(State_AutoRaise)) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        const bool sunken = option->state & (State_Sunken | State_On);
        qDrawShadePanel(painter, option->rect, option->palette, sunken, kEdgeWidthPx, nullptr);
    }
};

QStyle* FlatButtonStyle() {
    // A widget does not own its style, and reads it until its very end: the
    // style goes only with the application, after every window.
    static QPointer<QStyle> style;
    if (!style) {
        style = new TFlatButtonStyle;
        style->setParent(qApp);
    }
    return style;
}

} // namespace

void MakeFlat(QToolButton& button) {
    button.setAutoRaise(true);
    button.setStyle(FlatButtonStyle());
}

} // namespace Tolvane
