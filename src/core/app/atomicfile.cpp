// SPDX-License-Identifier: MIT
#include "core/app/atomicfile.h"

#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <cstring>

#ifdef Q_OS_WIN
#include <QFileInfo>
#include <QSaveFile>
#include <filesystem>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

ByteSink::ByteSink(Drain drainTo, qsizetype capacityBytes)
    : drain(std::move(drainTo)), buffer(new char[size_t(capacityBytes)]), capacity(capacityBytes)
{
}

bool ByteSink::append(const char* data, qsizetype size)
{
    if (size <= 0)
        return !broken;
    char* out = reserve(size);
    std::memcpy(out, data, size_t(size));
    used += size;
    return !broken;
}

char* ByteSink::reserveByFlushing(qsizetype size)
{
    flush();
    // A single piece larger than the buffer (a line of many megabytes) gets the room it
    // needs, once.
    if (capacity < size) {
        buffer.reset(new char[size_t(size)]);
        capacity = size;
    }
    return buffer.get() + used;
}

bool ByteSink::flush()
{
    if (used > 0 && !broken && !drain(buffer.get(), used))
        broken = true;
    used = 0;
    return !broken;
}

namespace {

QString failureText(const char* format, const QString& path, const QString& cause)
{
    return QString::fromLatin1(format).arg(path, cause);
}

bool fail(QString* error, const char* format, const QString& path, const QString& cause)
{
    if (error)
        *error = failureText(format, path, cause);
    return false;
}

#ifndef Q_OS_WIN

QString causeOf(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

// Why a file of this kind is neither read nor written over.
QString notRegularCause(mode_t mode)
{
    const char* kind = "a special file";
    if (S_ISDIR(mode))
        kind = "a folder";
    else if (S_ISFIFO(mode))
        kind = "a pipe (FIFO)";
    else if (S_ISCHR(mode) || S_ISBLK(mode))
        kind = "a device";
    else if (S_ISSOCK(mode))
        kind = "a socket";
    return QStringLiteral("It is %1, not a regular file").arg(QLatin1StringView(kind));
}

// What stands at the target: nothing, a link (replaced itself), a regular file (whose
// permission bits the new file takes over), or anything else, which is refused.
struct TargetCheck {
    bool ok = true;
    QString cause;
    std::optional<mode_t> keptMode;
};

TargetCheck checkTarget(const QByteArray& target)
{
    struct stat st {};
    if (::lstat(target.constData(), &st) != 0) {
        // A missing file is what a new one replaces; a missing folder shows up, with its
        // own words, when the temporary file is created.
        if (errno == ENOENT)
            return {};
        return {false, causeOf(errno), std::nullopt};
    }
    if (S_ISLNK(st.st_mode))
        return {};
    if (!S_ISREG(st.st_mode))
        return {false, notRegularCause(st.st_mode) + QStringLiteral("; it was left as it is."), std::nullopt};
    return {true, {}, st.st_mode & 07777};
}

QByteArray folderOf(const QByteArray& target)
{
    const qsizetype slash = target.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    if (slash == 0)
        return QByteArrayLiteral("/");
    return target.left(slash);
}

bool writeAll(int fd, const char* data, qsizetype size, int* code)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(std::min<qsizetype>(size, qsizetype(1) << 30)));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            *code = errno;
            return false;
        }
        if (n == 0) {
            // No progress and no error: nothing more will fit.
            *code = ENOSPC;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

bool syncFile(int fd, int* code)
{
    while (::fsync(fd) != 0) {
        if (errno != EINTR) {
            *code = errno;
            return false;
        }
    }
    return true;
}

// A fresh file beside the target, created by this call alone (O_EXCL: never an existing
// file, never through a link), with the mode a new file gets from the umask.
int createTemporary(const QByteArray& target, QByteArray* tempName, int* code)
{
    const QByteArray folder = folderOf(target);
    // A name of 255 bytes is allowed; its temporary name must fit as well.
    const QByteArray base = target.mid(target.lastIndexOf('/') + 1).left(200);
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        QByteArray suffix(8, '\0');
        for (char& c : suffix)
            c = letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))];
        *tempName = folder + "/." + base + '.' + suffix;
        const int fd = ::open(tempName->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0)
            return fd;
        if (errno != EEXIST) {
            *code = errno;
            return -1;
        }
    }
    *code = EEXIST;
    return -1;
}

// After the rename the new file is in place; syncing its folder makes the rename itself
// survive a power cut. A folder that cannot be opened for reading or a file system that
// cannot sync folders gives no way to do more, and is no failure of the write.
bool syncFolder(const QByteArray& folder, int* code)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return true;
    int syncCode = 0;
    const bool synced = syncFile(fd, &syncCode);
    ::close(fd);
    if (synced || syncCode == EINVAL || syncCode == ENOTSUP || syncCode == EROFS)
        return true;
    *code = syncCode;
    return false;
}

bool syncFolderAfter(const QByteArray& folder, const QString& path, QString* error, const char* format)
{
    int code = 0;
    if (!syncFolder(folder, &code))
        return fail(error, format, path,
                    QStringLiteral("The new file is in place, but its folder could not be synced to disk: ") +
                        causeOf(code));
    return true;
}

// The shared end of both writers: fd is open on the finished temporary file.
bool replaceWith(int fd, const QByteArray& tempName, const QString& path, QString* error, const char* format,
                 FolderSyncs* deferred)
{
    const QByteArray target = QFile::encodeName(path);
    const auto abandon = [&](const QString& cause) {
        if (fd >= 0)
            ::close(fd);
        ::unlink(tempName.constData());
        return fail(error, format, path, cause);
    };
    const TargetCheck check = checkTarget(target);
    if (!check.ok)
        return abandon(check.cause);
    // Best effort: a file system without permission bits still takes the file.
    if (check.keptMode)
        ::fchmod(fd, *check.keptMode);
    int code = 0;
    if (!syncFile(fd, &code))
        return abandon(causeOf(code));
    const int closed = ::close(fd);
    fd = -1;
    // On this system the descriptor is gone even when close is interrupted, and the bytes
    // were synced already.
    if (closed != 0 && errno != EINTR)
        return abandon(causeOf(errno));
    if (::rename(tempName.constData(), target.constData()) != 0)
        return abandon(causeOf(errno));
    if (deferred) {
        deferred->owe(folderOf(target), path, format);
        return true;
    }
    return syncFolderAfter(folderOf(target), path, error, format);
}

#endif

} // namespace

// The writer, the commit and the reader with the message in an out-parameter; the public
// functions at the end hand it on as a Result.
static bool writeProduced(const QString& path, const ByteProducer& produce, QString* error,
                          const char* failureFormat, FolderSyncs* deferred);
static bool commitTemporary(const QString& tempPath, const QString& path, QString* error,
                            const char* failureFormat);
static bool openRegular(QFile& file, const QString& path, QString* error);

#ifndef Q_OS_WIN

static bool writeProduced(const QString& path, const ByteProducer& produce, QString* error,
                          const char* failureFormat, FolderSyncs* deferred)
{
    if (path.isEmpty())
        return fail(error, failureFormat, path, causeOf(ENOENT));
    const QByteArray target = QFile::encodeName(path);
    // Refused before anything is produced: a large text is not encoded for nothing.
    if (const TargetCheck check = checkTarget(target); !check.ok)
        return fail(error, failureFormat, path, check.cause);
    QByteArray tempName;
    int code = 0;
    const int fd = createTemporary(target, &tempName, &code);
    if (fd < 0)
        return fail(error, failureFormat, path, causeOf(code));
    ByteSink sink([fd, &code](const char* data, qsizetype size) { return writeAll(fd, data, size, &code); });
    produce(sink);
    if (!sink.flush()) {
        ::close(fd);
        ::unlink(tempName.constData());
        return fail(error, failureFormat, path, causeOf(code));
    }
    return replaceWith(fd, tempName, path, error, failureFormat, deferred);
}

static bool commitTemporary(const QString& tempPath, const QString& path, QString* error,
                            const char* failureFormat)
{
    const QByteArray tempName = QFile::encodeName(tempPath);
    const int fd = ::open(tempName.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        const int code = errno;
        ::unlink(tempName.constData());
        return fail(error, failureFormat, path, causeOf(code));
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return fail(error, failureFormat, path,
                    QStringLiteral("The finished file %1 is not a regular file.").arg(tempPath));
    }
    return replaceWith(fd, tempName, path, error, failureFormat, nullptr);
}

static bool openRegular(QFile& file, const QString& path, QString* error)
{
    const auto refuse = [&](const QString& cause) {
        if (error)
            *error = QStringLiteral("Cannot read %1: %2").arg(path, cause);
        return false;
    };
    // O_NONBLOCK: opening a pipe waits for a writer, opening some devices for a carrier;
    // with it the open returns at once and the check below refuses them.
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        // A socket cannot be opened at all; its kind says more than "No such device".
        const int code = errno;
        struct stat st {};
        if (::stat(name.constData(), &st) == 0 && !S_ISREG(st.st_mode))
            return refuse(notRegularCause(st.st_mode) + u'.');
        return refuse(causeOf(code));
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int code = errno;
        ::close(fd);
        return refuse(causeOf(code));
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return refuse(notRegularCause(st.st_mode) + u'.');
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return refuse(file.errorString());
    }
    return true;
}

#else

// Windows has no links and pipes of this kind in the workspace; its own replace is the
// save file's, checked at every step.
static bool writeProduced(const QString& path, const ByteProducer& produce, QString* error,
                          const char* failureFormat, FolderSyncs* deferred)
{
    Q_UNUSED(deferred); // the save file's commit leaves nothing to sync later
    if (QFileInfo(path).isDir())
        return fail(error, failureFormat, path, QStringLiteral("It is a folder; it was left as it is."));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(error, failureFormat, path, file.errorString());
    ByteSink sink([&file](const char* data, qsizetype size) { return file.write(data, size) == size; });
    produce(sink);
    if (!sink.flush() || !file.flush() || !file.commit())
        return fail(error, failureFormat, path, file.errorString());
    return true;
}

static bool commitTemporary(const QString& tempPath, const QString& path, QString* error,
                            const char* failureFormat)
{
    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(tempPath.toStdU16String()),
                            std::filesystem::path(path.toStdU16String()), ec);
    if (ec) {
        QFile::remove(tempPath);
        return fail(error, failureFormat, path, QString::fromStdString(ec.message()));
    }
    return true;
}

static bool openRegular(QFile& file, const QString& path, QString* error)
{
    file.setFileName(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

#endif

static std::optional<QByteArray> readWhole(const QString& path, QString* error)
{
    QFile file;
    if (!openRegular(file, path, error))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = QStringLiteral("Cannot read %1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    return bytes;
}

Result<> writeFileAtomically(const QString& path, const QByteArray& bytes, const char* failureFormat,
                             FolderSyncs* folderSyncs)
{
    return writeFileAtomically(
        path, [&bytes](ByteSink& sink) { sink.append(bytes); }, failureFormat, folderSyncs);
}

Result<> writeFileAtomically(const QString& path, const ByteProducer& produce, const char* failureFormat,
                             FolderSyncs* folderSyncs)
{
    QString error;
    if (!writeProduced(path, produce, &error, failureFormat, folderSyncs))
        return Failure{error};
    return {};
}

void FolderSyncs::owe(const QByteArray& folder, const QString& path, const char* failureFormat)
{
    for (Owed& o : owed)
        if (o.folder == folder) {
            o.path = path;
            o.format = failureFormat;
            return;
        }
    owed.push_back(Owed{folder, path, failureFormat});
}

Result<> FolderSyncs::sync()
{
    std::vector<Owed> due;
    due.swap(owed);
    QString error;
    bool synced = true;
    for (const Owed& o : due) {
#ifndef Q_OS_WIN
        // Every folder is synced even after one fails; the first failure is the one told.
        QString failure;
        if (!syncFolderAfter(o.folder, o.path, &failure, o.format) && synced) {
            synced = false;
            error = failure;
        }
#else
        Q_UNUSED(o);
#endif
    }
    if (!synced)
        return Failure{error};
    return {};
}

FolderSyncs::~FolderSyncs()
{
    // A run cut short by a failure still makes the files it replaced last.
    if (!owed.empty())
        (void)sync();
}

Result<> commitTemporaryFile(const QString& tempPath, const QString& path, const char* failureFormat)
{
    QString error;
    if (!commitTemporary(tempPath, path, &error, failureFormat))
        return Failure{error};
    return {};
}

Result<> openRegularFile(QFile& file, const QString& path)
{
    QString error;
    if (!openRegular(file, path, &error))
        return Failure{error};
    return {};
}

Result<QByteArray> readWholeFile(const QString& path)
{
    QString error;
    if (auto bytes = readWhole(path, &error))
        return std::move(*bytes);
    return Failure{error};
}
