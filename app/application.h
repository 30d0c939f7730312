// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>

namespace Tolvane {

// The application object. An exception that escapes an event handler (a
// sound cue that is not there, say) ends only that handler: its message is
// shown in an error box and the program goes on.
class TApplication : public QApplication {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace Tolvane
