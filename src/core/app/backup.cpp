#include "app/backup.h"

#include "app/filelist.h"
#include "app/textfile.h"
#include "app/workspace.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <zip.h>

#include <filesystem>
#include <system_error>

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

struct ZipEntry {
    QString path;
    QString name;
};

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
// characters. Every entry of the backup carries the mark, so that any reader decodes every
// name alike; the flag is set in both headers of each entry after libzip has written them.
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
        if (!writeFlagsAt(file, qint64(localOffset) + 6, le16(local, 6) | utf8NameFlag))
            return fail(file.errorString());
        cd[at + 9] = char(quint8(cd.at(at + 9)) | (utf8NameFlag >> 8));
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
        const QFileInfo info(entry.path);
        zip_source_t* source = zip_source_file(archive, nativeName(entry.path).constData(), 0, -1);
        const zip_int64_t index =
            source ? zip_file_add(archive, entry.name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            *error = QStringLiteral("Cannot add %1: %2").arg(entry.path, zipErrorText(archive));
            if (source)
                zip_source_free(source);
            zip_discard(archive);
            return false;
        }
        const zip_uint64_t i = zip_uint64_t(index);
        if (zip_set_file_compression(archive, i, ZIP_CM_DEFLATE, zlibDefaultLevel) != 0 ||
            zip_file_set_mtime(archive, i, time_t(info.lastModified().toSecsSinceEpoch()), 0) != 0) {
            *error = QStringLiteral("Cannot add %1: %2").arg(entry.path, zipErrorText(archive));
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

std::filesystem::path fsPath(const QString& path)
{
    return std::filesystem::path(path.toStdU16String());
}

} // namespace

QString backupArchiveName(const QDate& date)
{
    return QStringLiteral("quill") + date.toString(QStringLiteral("yyMMdd")) + QStringLiteral(".zip");
}

bool writeBackup(const Workspace& workspace, const QString& exportDir, const QDate& date,
                 QString* archivePath, QString* error)
{
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

    QList<ZipEntry> entries;
    const auto collect = [&entries](const QString& folder, const QString& prefix) {
        // Pipes, sockets and dangling links are not files one could restore.
        for (const QString& name : listFiles(folder))
            if (QFileInfo(folder + name).isFile())
                entries.append({folder + name, prefix + name});
    };
    collect(workspace.codeFilesDir, QStringLiteral("prgfiles/"));
    collect(workspace.spriteFilesDir, QStringLiteral("spfiles/"));
    // Opening each file once names the one that cannot be read; libzip reads them later,
    // when its message could no longer tell which.
    for (const ZipEntry& entry : entries) {
        QFile file(entry.path);
        if (!file.open(QIODevice::ReadOnly)) {
            *error = QStringLiteral("Cannot read %1: %2").arg(entry.path, file.errorString());
            return false;
        }
    }

    if (entries.isEmpty()) {
        // libzip deletes an archive without entries when it closes it; an empty ZIP is
        // just its end of central directory record.
        const QByteArray emptyArchive = QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0');
        if (!writeFileAtomically(path, emptyArchive, error))
            return false;
        if (archivePath)
            *archivePath = path;
        return true;
    }

    const QString partPath = path + QStringLiteral(".part");
    QFile::remove(partPath); // left over from a backup that was cut off
    if (!zipEntries(partPath, entries, error) || !markNamesUtf8(partPath, error)) {
        QFile::remove(partPath);
        return false;
    }
    std::error_code ec;
    std::filesystem::rename(fsPath(partPath), fsPath(path), ec);
    if (ec) {
        *error = QStringLiteral("Cannot write %1: %2").arg(path, QString::fromStdString(ec.message()));
        QFile::remove(partPath);
        return false;
    }
    if (archivePath)
        *archivePath = path;
    return true;
}
