// SPDX-License-Identifier: MIT
#include "core/app/backup.h"

#include "core/app/atomicfile.h"
#include "core/app/workspace.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <zip.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>

#ifndef Q_OS_WIN
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// zlib's own default level (what Z_DEFAULT_COMPRESSION stands for), which readers show
// as "normal" deflation.
constexpr int zlibDefaultLevel = 6;
constexpr uLong utf8NameFlag = 0x0800;
// Made on Unix, to version 2.0 of the format: readers then take the mode below as Unix
// permissions, read and write for all before the user's umask, as for any new file.
constexpr uLong madeByUnix = (3 << 8) | 20;
constexpr uLong regularFileMode = 0100666;
// Past this size an entry gets Zip64 sizes: deflating a file can make it a little longer,
// so the limit stays well below the 4 GiB a plain header can hold.
constexpr qint64 zip64FromSize = 0xF0000000;
// Read and handed to the deflater in pieces this large: a typical code file in one piece,
// a huge one without its whole size in memory. How the bytes are split does not change
// what zlib makes of them.
constexpr qint64 readChunk = qint64(1) << 20;

QByteArray nativeName(const QString& path)
{
#ifdef Q_OS_WIN
    return path.toUtf8();
#else
    return QFile::encodeName(path);
#endif
}

// One file of the archive: where it is (as the file system spells it) and its entry name,
// both as bytes, since a name need not be valid UTF-8.
struct ZipEntry {
    QByteArray path;
    QByteArray name;
    std::time_t modified = 0;
    qint64 size = 0;
};

bool isUtf8(QByteArrayView bytes)
{
    QStringDecoder decode(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    [[maybe_unused]] const QString text = decode(bytes); // it decodes only when its result is taken
    return !decode.hasError();
}

// An entry name for a message: as it is when it is UTF-8, else with its other bytes
// written as \xNN, so the user can still tell which file is meant.
QString displayName(const QByteArray& name)
{
    if (isUtf8(name))
        return QString::fromUtf8(name);
    QString shown;
    for (const char c : name) {
        const auto byte = quint8(c);
        if (byte >= 0x20 && byte < 0x7F)
            shown += QChar(byte);
        else
            shown += QStringLiteral("\\x") + QString::number(byte, 16).rightJustified(2, u'0').toUpper();
    }
    return shown;
}

QString errnoText(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

// minizip reports a failed read or write of the archive as ZIP_ERRNO with errno set.
QString zipErrorText(int code, int savedErrno)
{
    if (code == ZIP_ERRNO && savedErrno != 0)
        return errnoText(savedErrno);
    return QStringLiteral("the ZIP library failed (error %1)").arg(code);
}

// The file's local time in the DOS form the headers hold, as unzip shows it.
tm_zip zipTime(std::time_t modified)
{
    std::tm local{};
#ifdef Q_OS_WIN
    localtime_s(&local, &modified);
#else
    localtime_r(&modified, &local);
#endif
    tm_zip t{};
    t.tm_sec = uInt(local.tm_sec);
    t.tm_min = uInt(local.tm_min);
    t.tm_hour = uInt(local.tm_hour);
    t.tm_mday = uInt(local.tm_mday);
    t.tm_mon = uInt(local.tm_mon);
    t.tm_year = uInt(local.tm_year + 1900);
    return t;
}

#ifdef Q_OS_WIN

// Names on Windows are UTF-16 and so always UTF-8 once converted.
bool collectFiles(const QString& folder, const QByteArray& prefix, QList<ZipEntry>& entries,
                  QStringList& leftOut, QString*)
{
    const QFileInfoList infos = QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& info : infos) {
        const QByteArray name = prefix + info.fileName().toUtf8();
        if (info.isSymLink())
            leftOut.append(
                QStringLiteral("%1 was left out: it is a link, not a file.").arg(displayName(name)));
        else if (info.isFile())
            entries.append({nativeName(info.filePath()), name,
                            std::time_t(info.lastModified().toSecsSinceEpoch()), info.size()});
    }
    return true;
}

bool openEntry(const ZipEntry& entry, QFile& file, QString* why)
{
    file.setFileName(QString::fromUtf8(entry.path));
    if (file.open(QIODevice::ReadOnly))
        return true;
    *why = file.errorString();
    return false;
}

#else

// Lists the folder with the POSIX calls, which hand over every name as its bytes: a name
// that is not valid UTF-8 would be lost on its way through a QString. Regular files become
// entries; links (whatever they point to), pipes, sockets and devices are named in
// leftOut; folders are skipped, as the archive holds no folders. A missing folder holds
// nothing; one that cannot be listed fails the backup.
bool collectFiles(const QString& folder, const QByteArray& prefix, QList<ZipEntry>& entries,
                  QStringList& leftOut, QString* error)
{
    const QByteArray dirPath = QFile::encodeName(folder);
    DIR* dir = ::opendir(dirPath.constData());
    if (!dir) {
        if (errno == ENOENT)
            return true;
        *error = QStringLiteral("Cannot read the folder %1: %2").arg(folder, errnoText(errno));
        return false;
    }
    QList<QByteArray> names;
    int readError = 0;
    for (;;) {
        errno = 0;
        const dirent* d = ::readdir(dir);
        if (!d) {
            readError = errno;
            break;
        }
        const QByteArray name(d->d_name);
        if (name != "." && name != "..")
            names.append(name);
    }
    // The order of the names' bytes: the listing's own order differs from one file system
    // to the next, and for UTF-8 names it is the order of their characters.
    std::sort(names.begin(), names.end());
    for (const QByteArray& name : names) {
        struct stat st {};
        const QByteArray entryName = prefix + name;
        if (::fstatat(::dirfd(dir), name.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
            leftOut.append(
                QStringLiteral("%1 was left out: %2").arg(displayName(entryName), errnoText(errno)));
        } else if (S_ISLNK(st.st_mode)) {
            leftOut.append(QStringLiteral("%1 was left out: it is a symbolic link, not a file.")
                               .arg(displayName(entryName)));
        } else if (S_ISREG(st.st_mode)) {
            QByteArray path = dirPath;
            if (!path.endsWith('/'))
                path += '/';
            entries.append({path + name, entryName, st.st_mtime, qint64(st.st_size)});
        } else if (!S_ISDIR(st.st_mode)) {
            leftOut.append(QStringLiteral("%1 was left out: it is a pipe, socket or device, not a file.")
                               .arg(displayName(entryName)));
        }
    }
    ::closedir(dir);
    if (readError != 0) {
        *error = QStringLiteral("Cannot read the folder %1: %2").arg(folder, errnoText(readError));
        return false;
    }
    return true;
}

// Opens a listed file for reading. Not following a link and not waiting on a pipe: the
// entry was a regular file when listed and must still be one.
bool openEntry(const ZipEntry& entry, QFile& file, QString* why)
{
    const int fd = ::open(entry.path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        *why = errnoText(errno);
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        *why = QStringLiteral("it is no longer a regular file.");
        return false;
    }
    if (!file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        *why = file.errorString();
        ::close(fd);
        return false;
    }
    return true;
}

#endif

// Zips the entries into partPath, reading each file in chunks, so memory does not grow
// with their size. A file that cannot be opened is left out and named in leftOut.
bool zipEntries(const QString& partPath, const QList<ZipEntry>& entries, QStringList& leftOut, QString* error)
{
    errno = 0;
    zipFile archive = zipOpen64(nativeName(partPath).constData(), APPEND_STATUS_CREATE);
    if (!archive) {
        *error = QStringLiteral("Cannot create %1: %2").arg(partPath, errnoText(errno != 0 ? errno : EIO));
        return false;
    }
    const auto fail = [&](const QString& message) {
        zipClose(archive, nullptr);
        *error = message;
        return false;
    };
    const auto writeFailed = [&](int code) {
        return fail(QStringLiteral("Cannot write %1: %2").arg(partPath, zipErrorText(code, errno)));
    };
    QByteArray chunk(readChunk, Qt::Uninitialized);
    for (const ZipEntry& entry : entries) {
        QFile file;
        QString why;
        if (!openEntry(entry, file, &why)) {
            leftOut.append(QStringLiteral("%1 was left out: %2").arg(displayName(entry.name), why));
            continue;
        }
        zip_fileinfo info{};
        info.tmz_date = zipTime(entry.modified);
        info.external_fa = regularFileMode << 16;
        // The name goes in as its bytes; only a UTF-8 one says so, as readers would take
        // any other for code page 437 whatever its mark.
        const uLong flags = isUtf8(entry.name) ? utf8NameFlag : 0;
        const bool zip64 = entry.size >= zip64FromSize;
        errno = 0;
        int code =
            zipOpenNewFileInZip4_64(archive, entry.name.constData(), &info, nullptr, 0, nullptr, 0, nullptr,
                                    Z_DEFLATED, zlibDefaultLevel, 0, -MAX_WBITS, DEF_MEM_LEVEL,
                                    Z_DEFAULT_STRATEGY, nullptr, 0, madeByUnix, flags, zip64 ? 1 : 0);
        if (code != ZIP_OK)
            return writeFailed(code);
        qint64 total = 0;
        for (;;) {
            const qint64 got = file.read(chunk.data(), chunk.size());
            if (got < 0)
                return fail(
                    QStringLiteral("Cannot read %1: %2").arg(displayName(entry.path), file.errorString()));
            if (got == 0)
                break;
            total += got;
            if (!zip64 && total >= zip64FromSize)
                return fail(QStringLiteral("Cannot read %1: it grew while it was being backed up.")
                                .arg(displayName(entry.path)));
            errno = 0;
            code = zipWriteInFileInZip(archive, chunk.constData(), unsigned(got));
            if (code != ZIP_OK)
                return writeFailed(code);
        }
        errno = 0;
        code = zipCloseFileInZip(archive);
        if (code != ZIP_OK)
            return writeFailed(code);
    }
    errno = 0;
    const int code = zipClose(archive, nullptr);
    if (code != ZIP_OK) {
        *error = QStringLiteral("Cannot write %1: %2").arg(partPath, zipErrorText(code, errno));
        return false;
    }
    return true;
}

} // namespace

QString backupArchiveName(const QDate& date)
{
    return QStringLiteral("quill") + date.toString(QStringLiteral("yyMMdd")) + QStringLiteral(".zip");
}

Result<BackupDone> writeBackup(const Workspace& workspace, const QString& exportDir, const QDate& date)
{
    QStringList skipped;
    QString error;
    // An empty folder would put the archive at the root of the file system.
    if (exportDir.isEmpty()) {
        return Failure{
            QStringLiteral("The export folder is not set. Enter it under \"Export directory\" for a TIC-80 "
                           "language and apply the settings.")};
    }
    if (!QFileInfo(exportDir).isDir()) {
        return Failure{QStringLiteral("The export folder %1 does not exist.").arg(exportDir)};
    }
    const QString path = exportDir + u'/' + backupArchiveName(date);

    QList<ZipEntry> found;
    if (!collectFiles(workspace.codeFilesDir, "prgfiles/", found, skipped, &error) ||
        !collectFiles(workspace.spriteFilesDir, "spfiles/", found, skipped, &error))
        return Failure{error};
    const QString partPath = path + QStringLiteral(".part");
    QFile::remove(partPath); // left over from a backup that was cut off
    if (!zipEntries(partPath, found, skipped, &error)) {
        QFile::remove(partPath);
        return Failure{error};
    }
    if (const Result<> committed = commitTemporaryFile(partPath, path); !committed) {
        QFile::remove(partPath);
        return Failure{committed.message()};
    }
    return BackupDone{path, skipped};
}

QString backupMessage(const QStringList& leftOut)
{
    QStringList lines = leftOut;
    lines.append(QStringLiteral("Completed."));
    return lines.join(u'\n');
}
