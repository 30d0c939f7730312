// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace Tolvane {

// Mounts a tmpfs of sizeKiB at mountPoint (an existing folder) in a mount
// namespace of this process's own, so that nobody else sees it and it goes
// with the process. As root a mount namespace is enough; otherwise the
// process becomes root in a user namespace of its own first. Call it before
// any thread starts (before the application object). False, with the
// reason, where the system allows neither.
bool MountSmallFileSystem(const QString& mountPoint, int sizeKiB, QString& reason);

// Takes the file system away from mountPoint again, so that the folder can
// be removed.
void UnmountSmallFileSystem(const QString& mountPoint);

// Fills the file system that holds folder with a file "filler" there until
// no byte more fits. False, with the reason, when it stopped for another
// cause.
bool FillFileSystem(const QString& folder, QString& reason);

} // namespace Tolvane
