// SPDX-License-Identifier: GPL-3.0-or-later
#include "smallfilesystem.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace Tolvane {

namespace {

bool WriteProcFile(const char* path, const QByteArray& text) {
    const int fd = ::open(path, O_WRONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool written = ::write(fd, text.constData(), size_t(text.size())) == text.size();
    ::close(fd);
    return written;
}

QString SystemError(const char* what) {
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(std::strerror(errno)));
}

// Root in a new user namespace, mapped to this user, with a mount namespace.
bool EnterUserNamespace(QString& reason) {
    const uid_t uid = ::geteuid();
    const gid_t gid = ::getegid();
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) {
        reason = SystemError("unshare(CLONE_NEWUSER | CLONE_NEWNS)");
        return false;
    }
    if (!WriteProcFile("/proc/self/setgroups", "deny") ||
        !WriteProcFile("/proc/self/uid_map", "0 " + QByteArray::number(uid) + " 1") ||
        !WriteProcFile("/proc/self/gid_map", "0 " + QByteArray::number(gid) + " 1")) {
        reason = SystemError("user namespace map");
        return false;
    }
    return true;
}

} // namespace

bool MountSmallFileSystem(const QString& mountPoint, int sizeKiB, QString& reason) {
    const bool own = ::geteuid() == 0 && ::unshare(CLONE_NEWNS) == 0;
    if (!own && !EnterUserNamespace(reason)) return false;
    // Mounts made here must not reach the rest of the system.
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        reason = SystemError("making the mounts private");
        return false;
    }
    const QByteArray options = "size=" + QByteArray::number(sizeKiB) + "k,mode=0755";
    if (::mount("tolvane-test", QFile::encodeName(mountPoint).constData(), "tmpfs", 0,
                options.constData()) != 0) {
        reason = SystemError("mount -t tmpfs");
        return false;
    }
    return true;
}

void UnmountSmallFileSystem(const QString& mountPoint) {
    ::umount2(QFile::encodeName(mountPoint).constData(), MNT_DETACH);
}

bool FillFileSystem(const QString& folder, QString& reason) {
    const QByteArray path = QFile::encodeName(QDir(folder).filePath(QStringLiteral("filler")));
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0) {
        reason = SystemError("creating the filler");
        return false;
    }
    const QByteArray block(4096, 'x');
    // Whole blocks first, then single bytes into what is left of the last one.
    for (qsizetype chunk : {block.size(), qsizetype(1)})
        while (::write(fd, block.constData(), size_t(chunk)) > 0) {
        }
    const int error = errno;
    ::close(fd);
    if (error != ENOSPC) {
        errno = error;
        reason = SystemError("filling");
        return false;
    }
    return true;
}

} // namespace Tolvane
