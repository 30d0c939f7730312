// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/form2.h"
#include "scores/soundplayer.h"

namespace Tolvane {

// Uses nothing of the window, so the main window calls it whether a
// high-score window exists or not.
void TForm2::PlayWave(const QString& Name, bool Wait) {
    PlaySoundCue(Name, Wait);
}

} // namespace Tolvane
