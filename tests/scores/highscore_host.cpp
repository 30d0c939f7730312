// SPDX-License-Identifier: GPL-3.0-or-later
// The program at a game's end, in small: the application object, the
// program's handling of SIGTERM and SIGINT, and the high-score window shown
// modally for 95 Tetris points, its tables in the folder argv[1]. At once
// it accepts the name "Ann" and says "accepted N" on stdout, N the number of
// message boxes so far; then it waits for a signal.
#include "app/application.h"
#include "app/termination.h"
#include "gamepan/toolkit/platform/keys.h"
#include "scores/form2.h"
#include "tests/support/children.h"
#include "tests/support/recordingmessages.h"

#include <QLineEdit>
#include <QTimer>
#include <cstdio>

using namespace Tolvane;

int main(int argc, char** argv) {
    TApplication app(argc, argv);
    QuitOnTerminationSignals();
    if (argc < 2) return 2;
    TForm2::SetScoreDirectory(QString::fromLocal8Bit(argv[1]));
    TRecordingMessages messages;
    TForm2 form;
    form.FGame = QStringLiteral("Tetris");
    form.FResult = QStringLiteral("95");
    QTimer::singleShot(0, &form, [&] {
        QTimer::singleShot(0, &form, [&] {
            Child<QLineEdit>(form, "Edit1")->setText(QStringLiteral("Ann"));
            form.FormKeyDown(VK_RETURN);
            std::printf("accepted %d\n", int(messages.Shown.size()));
            std::fflush(stdout);
        });
        form.exec();
    });
    return TApplication::exec();
}
