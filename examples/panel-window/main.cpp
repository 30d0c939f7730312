// SPDX-License-Identifier: GPL-3.0-or-later
// A small window of its own holding Tolvane's game panel and a button that
// starts Tetris, with two settings written through their properties.
#include <gamepan/gamepan.h>

#include <QApplication>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Tolvane panel"));
    auto* layout = new QVBoxLayout(&window);
    auto* pan = new Tolvane::TGamePan(&window);
    pan->setMinimumSize(240, 400);
    // Any setting by its name, with the checks of its setter.
    pan->setProperty("TRows", 18);
    pan->setProperty("ColorTB", QColor(Qt::darkBlue));
    auto* start = new QPushButton(QStringLiteral("Start Tetris"), &window);
    QObject::connect(start, &QPushButton::clicked, pan, [pan] {
        pan->SetState(Tolvane::TState::Tetris);
        pan->SetStart(true);
    });
    layout->addWidget(pan, 1);
    layout->addWidget(start);
    window.show();
    return application.exec();
}
