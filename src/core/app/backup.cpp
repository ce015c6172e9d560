#include "app/backup.h"

#include "app/textfile.h"
#include "app/workspace.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QtEndian>

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

// zlib's own default, which libzip's "default" (its best compression) is not.
constexpr zip_uint32_t zlibDefaultLevel = 6;
constexpr quint16 utf8NameFlag = 0x0800;

QByteArray nativeName(const QString& path)
{
#ifdef Q_OS_WIN
    return path.toUtf8(); // libzip takes UTF-8 names on Windows
#else
    return QFile::encodeName(path);
#endif
}

QString zipErrorText(zip_t* archive)
{
    return QString::fromLocal8Bit(zip_error_strerror(zip_get_error(archive)));
}

// One file of the archive: where it is (as the file system spells it) and its entry name,
// both as bytes, since a name need not be valid UTF-8.
struct ZipEntry {
    QByteArray path;
    QByteArray name;
    std::time_t modified = 0;
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

// Little-endian fields of the headers, read byte by byte.
quint64 leBytes(const QByteArray& b, qsizetype at, int count)
{
    quint64 v = 0;
    for (int k = count - 1; k >= 0; --k)
        v = (v << 8) | quint8(b.at(at + k));
    return v;
}
quint16 le16(const QByteArray& b, qsizetype at)
{
    return quint16(leBytes(b, at, 2));
}
quint32 le32(const QByteArray& b, qsizetype at)
{
    return quint32(leBytes(b, at, 4));
}
quint64 le64(const QByteArray& b, qsizetype at)
{
    return leBytes(b, at, 8);
}

bool readAt(QFile& file, qint64 offset, qint64 size, QByteArray* out)
{
    if (offset < 0 || size < 0 || !file.seek(offset))
        return false;
    *out = file.read(size);
    return out->size() == size;
}

bool writeFlagsAt(QFile& file, qint64 offset, quint16 flags)
{
    char bytes[2];
    qToLittleEndian(flags, bytes);
    return file.seek(offset) && file.write(bytes, 2) == 2;
}

// libzip marks a name as UTF-8 (general purpose flag bit 11) only when it holds non-ASCII
// characters. Every entry whose name is UTF-8 carries the mark, so that any reader decodes
// those names alike, and a name that is not UTF-8 (its bytes as the file system gave them)
// carries none; the flag is set in both headers of each entry after libzip has written them.
// The archive comes straight from libzip: no comment, local headers where the central
// directory says, Zip64 records only for very large archives.
bool markNamesUtf8(const QString& path, QString* error)
{
    QFile file(path);
    const auto fail = [&](const QString& why) {
        *error = QStringLiteral("Cannot finish the archive %1: %2").arg(path, why);
        return false;
    };
    if (!file.open(QIODevice::ReadWrite))
        return fail(file.errorString());
    const qint64 eocd = file.size() - 22;
    QByteArray end;
    if (!readAt(file, eocd, 22, &end) || le32(end, 0) != 0x06054b50)
        return fail(QStringLiteral("no end of central directory"));
    quint64 count = le16(end, 10);
    quint64 cdSize = le32(end, 12);
    quint64 cdOffset = le32(end, 16);
    if (count == 0xFFFF || cdSize == 0xFFFFFFFF || cdOffset == 0xFFFFFFFF) {
        QByteArray locator, record;
        if (!readAt(file, eocd - 20, 20, &locator) || le32(locator, 0) != 0x07064b50 ||
            !readAt(file, qint64(le64(locator, 8)), 56, &record) || le32(record, 0) != 0x06064b50)
            return fail(QStringLiteral("no Zip64 end of central directory"));
        count = le64(record, 32);
        cdSize = le64(record, 40);
        cdOffset = le64(record, 48);
    }
    QByteArray cd;
    if (!readAt(file, qint64(cdOffset), qint64(cdSize), &cd))
        return fail(QStringLiteral("central directory out of range"));
    qsizetype at = 0;
    for (quint64 k = 0; k < count; ++k) {
        if (at + 46 > cd.size() || le32(cd, at) != 0x02014b50)
            return fail(QStringLiteral("broken central directory"));
        const quint16 nameLength = le16(cd, at + 28);
        const quint16 extraLength = le16(cd, at + 30);
        const quint16 commentLength = le16(cd, at + 32);
        if (at + 46 + nameLength + extraLength + commentLength > cd.size())
            return fail(QStringLiteral("broken central directory"));
        quint64 localOffset = le32(cd, at + 42);
        if (localOffset == 0xFFFFFFFF) {
            // The Zip64 extra field holds, in this order, only the values its header lacks.
            qsizetype x = at + 46 + nameLength;
            const qsizetype xEnd = x + extraLength;
            bool found = false;
            while (!found && x + 4 <= xEnd) {
                const quint16 id = le16(cd, x);
                const quint16 size = le16(cd, x + 2);
                if (id == 0x0001) {
                    qsizetype field = x + 4;
                    if (le32(cd, at + 24) == 0xFFFFFFFF)
                        field += 8;
                    if (le32(cd, at + 20) == 0xFFFFFFFF)
                        field += 8;
                    if (field + 8 > x + 4 + size)
                        break;
                    localOffset = le64(cd, field);
                    found = true;
                }
                x += 4 + size;
            }
            if (!found)
                return fail(QStringLiteral("broken Zip64 field"));
        }
        QByteArray local;
        if (!readAt(file, qint64(localOffset), 30, &local) || le32(local, 0) != 0x04034b50)
            return fail(QStringLiteral("broken local header"));
        const bool utf8 = isUtf8(QByteArrayView(cd).sliced(at + 46, nameLength));
        const quint16 flags = utf8 ? le16(local, 6) | utf8NameFlag : le16(local, 6) & ~utf8NameFlag;
        if (!writeFlagsAt(file, qint64(localOffset) + 6, quint16(flags)))
            return fail(file.errorString());
        const quint8 high = quint8(cd.at(at + 9));
        cd[at + 9] = char(utf8 ? high | (utf8NameFlag >> 8) : high & ~(utf8NameFlag >> 8));
        at += 46 + nameLength + extraLength + commentLength;
    }
    if (!file.seek(qint64(cdOffset)) || file.write(cd) != cd.size() || !file.flush())
        return fail(file.errorString());
    return true;
}

// Zips entries into partPath. The files are read while the archive is closed, one at a
// time, so memory does not grow with their size.
bool zipEntries(const QString& partPath, const QList<ZipEntry>& entries, QString* error)
{
    int code = 0;
    zip_t* archive = zip_open(nativeName(partPath).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive) {
        zip_error_t e;
        zip_error_init_with_code(&e, code);
        *error = QStringLiteral("Cannot create %1: %2")
                     .arg(partPath, QString::fromLocal8Bit(zip_error_strerror(&e)));
        zip_error_fini(&e);
        return false;
    }
    for (const ZipEntry& entry : entries) {
        const QString shown = displayName(entry.path);
        zip_source_t* source = zip_source_file(archive, entry.path.constData(), 0, -1);
        // A name that is not UTF-8 goes in as its bytes; libzip takes it for code page 437
        // and marks nothing.
        const zip_flags_t encoding = isUtf8(entry.name) ? ZIP_FL_ENC_UTF_8 : ZIP_FL_ENC_GUESS;
        const zip_int64_t index =
            source ? zip_file_add(archive, entry.name.constData(), source, encoding) : -1;
        if (index < 0) {
            *error = QStringLiteral("Cannot add %1: %2").arg(shown, zipErrorText(archive));
            if (source)
                zip_source_free(source);
            zip_discard(archive);
            return false;
        }
        const zip_uint64_t i = zip_uint64_t(index);
        if (zip_set_file_compression(archive, i, ZIP_CM_DEFLATE, zlibDefaultLevel) != 0 ||
            zip_file_set_mtime(archive, i, entry.modified, 0) != 0) {
            *error = QStringLiteral("Cannot add %1: %2").arg(shown, zipErrorText(archive));
            zip_discard(archive);
            return false;
        }
    }
    if (zip_close(archive) != 0) {
        *error = QStringLiteral("Cannot write %1: %2").arg(partPath, zipErrorText(archive));
        zip_discard(archive);
        return false;
    }
    return true;
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
            entries.append(
                {nativeName(info.filePath()), name, std::time_t(info.lastModified().toSecsSinceEpoch())});
    }
    return true;
}

bool canRead(const ZipEntry& entry, QString* why)
{
    QFile file(QString::fromUtf8(entry.path));
    if (file.open(QIODevice::ReadOnly))
        return true;
    *why = file.errorString();
    return false;
}

#else

QString errnoText(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

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
            entries.append({path + name, entryName, st.st_mtime});
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

// Opened once here so that a file that cannot be read is named and left out; libzip reads
// it only when the archive is closed, when its message could no longer tell which. Not
// following a link and not waiting on a pipe: the entry was a regular file when listed and
// must still be one.
bool canRead(const ZipEntry& entry, QString* why)
{
    const int fd = ::open(entry.path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        *why = errnoText(errno);
        return false;
    }
    struct stat st {};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    ::close(fd);
    if (!regular)
        *why = QStringLiteral("it is no longer a regular file.");
    return regular;
}

#endif

} // namespace

QString backupArchiveName(const QDate& date)
{
    return QStringLiteral("quill") + date.toString(QStringLiteral("yyMMdd")) + QStringLiteral(".zip");
}

bool writeBackup(const Workspace& workspace, const QString& exportDir, const QDate& date,
                 QString* archivePath, QString* error, QStringList* leftOut)
{
    QStringList skipped;
    // An empty folder would put the archive at the root of the file system.
    if (exportDir.isEmpty()) {
        *error =
            QStringLiteral("The export folder is not set. Enter it under \"Export directory\" for a TIC-80 "
                           "language and apply the settings.");
        return false;
    }
    if (!QFileInfo(exportDir).isDir()) {
        *error = QStringLiteral("The export folder %1 does not exist.").arg(exportDir);
        return false;
    }
    const QString path = exportDir + u'/' + backupArchiveName(date);

    QList<ZipEntry> found;
    if (!collectFiles(workspace.codeFilesDir, "prgfiles/", found, skipped, error) ||
        !collectFiles(workspace.spriteFilesDir, "spfiles/", found, skipped, error))
        return false;
    QList<ZipEntry> entries;
    for (const ZipEntry& entry : found) {
        QString why;
        if (canRead(entry, &why))
            entries.append(entry);
        else
            skipped.append(QStringLiteral("%1 was left out: %2").arg(displayName(entry.name), why));
    }

    if (entries.isEmpty()) {
        // libzip deletes an archive without entries when it closes it; an empty ZIP is
        // just its end of central directory record.
        const QByteArray emptyArchive = QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0');
        if (!writeFileAtomically(path, emptyArchive, error))
            return false;
    } else {
        const QString partPath = path + QStringLiteral(".part");
        QFile::remove(partPath); // left over from a backup that was cut off
        if (!zipEntries(partPath, entries, error) || !markNamesUtf8(partPath, error) ||
            !commitTemporaryFile(partPath, path, error)) {
            QFile::remove(partPath);
            return false;
        }
    }
    if (archivePath)
        *archivePath = path;
    if (leftOut)
        *leftOut = skipped;
    return true;
}

QString backupMessage(const QStringList& leftOut)
{
    QStringList lines = leftOut;
    lines.append(QStringLiteral("Completed."));
    return lines.join(u'\n');
}
