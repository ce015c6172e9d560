// SPDX-License-Identifier: MIT
#pragma once
// File-system faults for the tests: a small tmpfs to fill up or make read-only (as root),
// special files (pipes, sockets, devices) where a file is expected, and a guard that
// turns a read blocking on a pipe into a failing test instead of a hanging one.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTest>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

// A tmpfs of a few hundred kilobytes mounted over folder while the object lives. Mounting
// needs root; without it (or where the system refuses) mounted() is false and
// skipReason() says why. The destructor unmounts on every path out of a test, a failed
// check or a skip included, so declare the object after the folder's own owner (the
// TempHome), which is then destroyed after it.
class TmpfsMount {
public:
    TmpfsMount(const QString& folder, qint64 bytes) : where(QFile::encodeName(folder))
    {
        QDir().mkpath(folder);
        if (::geteuid() != 0) {
            reason = QStringLiteral("mounting a tmpfs needs root; run the tests as root to see this fault");
            return;
        }
        const QByteArray options = "size=" + QByteArray::number(bytes) + ",mode=0755";
        if (::mount("tmpfs", where.constData(), "tmpfs", MS_NOSUID | MS_NODEV, options.constData()) != 0) {
            reason = QStringLiteral("cannot mount a tmpfs here: %1")
                         .arg(QString::fromLocal8Bit(std::strerror(errno)));
            return;
        }
        isMounted = true;
    }
    ~TmpfsMount()
    {
        if (isMounted && ::umount(where.constData()) != 0)
            ::umount2(where.constData(), MNT_DETACH); // a file still open in it
    }
    TmpfsMount(const TmpfsMount&) = delete;
    TmpfsMount& operator=(const TmpfsMount&) = delete;

    bool mounted() const { return isMounted; }
    QString skipReason() const { return reason; }

    // Takes every free byte with one filler file: afterwards not one more byte fits, while
    // every file already there stays as it is.
    bool fill() const
    {
        const QByteArray path = where + "/.filler";
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
        if (fd < 0)
            return false;
        const QByteArray block(64 * 1024, 'f');
        for (qsizetype chunk : {qsizetype(64 * 1024), qsizetype(4096), qsizetype(1)}) {
            while (::write(fd, block.constData(), size_t(chunk)) > 0) {}
        }
        const bool full = errno == ENOSPC;
        ::close(fd);
        return full;
    }

    // Remounts the file system read-only: every write into it fails with EROFS.
    bool makeReadOnly() const
    {
        return ::mount("tmpfs", where.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV,
                       nullptr) == 0;
    }

private:
    QByteArray where;
    bool isMounted = false;
    QString reason;
};

// Skips the test with the mount's reason when the tmpfs could not be mounted.
#define SKIP_UNLESS_MOUNTED(mount)                                                                           \
    do {                                                                                                     \
        if (!(mount).mounted())                                                                              \
            QSKIP(qPrintable((mount).skipReason()));                                                         \
    } while (false)

// A pipe (FIFO) at path while the object lives. Should anything still be blocked opening or
// reading it after timeoutMs, the guard opens it for writing and closes it again, so that
// reader sees an empty file and the test goes on to fail on released() instead of hanging.
class FifoGuard {
public:
    explicit FifoGuard(const QString& path, int timeoutMs = 3000) : where(QFile::encodeName(path))
    {
        QDir().mkpath(QFileInfo(path).path());
        made = ::mkfifo(where.constData(), 0644) == 0;
        if (made)
            watcher = std::thread([this, timeoutMs] { watch(timeoutMs); });
    }
    ~FifoGuard()
    {
        {
            std::lock_guard lock(mutex);
            stopping = true;
        }
        wake.notify_all();
        if (watcher.joinable())
            watcher.join();
        if (made)
            ::unlink(where.constData());
    }
    FifoGuard(const FifoGuard&) = delete;
    FifoGuard& operator=(const FifoGuard&) = delete;

    bool created() const { return made; }
    // True when a reader was found blocked on the pipe and had to be let go.
    bool released() const { return hadToRelease; }

private:
    void watch(int timeoutMs)
    {
        std::unique_lock lock(mutex);
        if (wake.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return stopping; }))
            return;
        while (!stopping) {
            // Succeeds only while a reader has the pipe open (or waits to).
            const int fd = ::open(where.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0) {
                hadToRelease = true;
                ::close(fd);
            }
            wake.wait_for(lock, std::chrono::milliseconds(50), [this] { return stopping; });
        }
    }

    QByteArray where;
    bool made = false;
    std::atomic<bool> hadToRelease{false};
    std::mutex mutex;
    std::condition_variable wake;
    bool stopping = false;
    std::thread watcher;
};

// A listening Unix socket at path, removed again with the object.
class SocketFile {
public:
    explicit SocketFile(const QString& path) : where(QFile::encodeName(path))
    {
        fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        if (fd < 0 || size_t(where.size()) >= sizeof address.sun_path)
            return;
        std::memcpy(address.sun_path, where.constData(), size_t(where.size()));
        made = ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    }
    ~SocketFile()
    {
        if (fd >= 0)
            ::close(fd);
        if (made)
            ::unlink(where.constData());
    }
    SocketFile(const SocketFile&) = delete;
    SocketFile& operator=(const SocketFile&) = delete;
    bool created() const { return made; }

private:
    QByteArray where;
    int fd = -1;
    bool made = false;
};

// A character device (the null device's numbers) at path; needs root.
inline bool makeDevice(const QString& path)
{
    return ::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0644, makedev(1, 3)) == 0;
}

// What kind of file is at path, without following a link: "file", "folder", "link",
// "pipe", "socket", "device" or "none".
inline QString fileKind(const QString& path)
{
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return QStringLiteral("none");
    if (S_ISREG(st.st_mode))
        return QStringLiteral("file");
    if (S_ISDIR(st.st_mode))
        return QStringLiteral("folder");
    if (S_ISLNK(st.st_mode))
        return QStringLiteral("link");
    if (S_ISFIFO(st.st_mode))
        return QStringLiteral("pipe");
    if (S_ISSOCK(st.st_mode))
        return QStringLiteral("socket");
    return QStringLiteral("device");
}

// The permission bits of the file at path.
inline int fileMode(const QString& path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

// The mode the umask gives a new file.
inline int newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return int(0666 & ~mask);
}
