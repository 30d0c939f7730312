// SPDX-License-Identifier: GPL-3.0-or-later
#include "gamepanplugin.h"

#include "gamepan/gamepan.h"

#include <QIcon>

namespace Tolvane {

TGamePanPlugin::TGamePanPlugin(QObject* parent) : QObject(parent) {}

QString TGamePanPlugin::name() const {
    return QStringLiteral("Tolvane::TGamePan");
}

QString TGamePanPlugin::group() const {
    return QStringLiteral("Tolvane");
}

QString TGamePanPlugin::toolTip() const {
    return QStringLiteral("Game panel: Tetris, Arcanoid, Scramble and Figures");
}

QString TGamePanPlugin::whatsThis() const {
    return QStringLiteral("Hosts one of four classic games at a time. Choose the game with "
                          "State, begin it with Start and tune it with its settings.");
}

QString TGamePanPlugin::includeFile() const {
    return QStringLiteral("gamepan/gamepan.h");
}

QIcon TGamePanPlugin::icon() const {
    return {};
}

bool TGamePanPlugin::isContainer() const {
    return false;
}

QWidget* TGamePanPlugin::createWidget(QWidget* parent) {
    auto* pan = new TGamePan(parent);
    pan->SetDesignMode(true);
    return pan;
}

// The panel at the size the main window gives it, as its class is known to
// the form: the form's code then includes gamepan/gamepan.h.
QString TGamePanPlugin::domXml() const {
    return QStringLiteral(R"(<ui language="c++">
 <widget class="Tolvane::TGamePan" name="gamePan">
  <property name="geometry">
   <rect><x>0</x><y>0</y><width>433</width><height>353</height></rect>
  </property>
 </widget>
</ui>
)");
}

} // namespace Tolvane
