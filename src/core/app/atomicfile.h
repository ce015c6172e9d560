// SPDX-License-Identifier: MIT
#pragma once
// Every file the program writes reaches the disk whole or not at all, and every file it
// reads is a regular file: a new file is written beside the old one and replaces it only
// once all its bytes are on disk, and a pipe, device, socket or folder is refused rather
// than waited on.

#include "core/app/result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

// Bytes on their way to a file, gathered into large writes. Encoders write straight into
// its buffer (reserve, then commit), so a large text never exists as one array in memory.
// After the first failed write it takes nothing more and failed() says so.
class ByteSink {
public:
    // Takes each full buffer; false stops the sink.
    using Drain = std::function<bool(const char* data, qsizetype size)>;

    explicit ByteSink(Drain drain, qsizetype capacity = qsizetype(1) << 20);
    ByteSink(const ByteSink&) = delete;
    ByteSink& operator=(const ByteSink&) = delete;

    bool append(const char* data, qsizetype size);
    bool append(QByteArrayView bytes) { return append(bytes.data(), bytes.size()); }
    // Room for at least size bytes at the end of what was appended...
    char* reserve(qsizetype size)
    {
        // Inline for the common case: a short line that fits in the buffer.
        return capacity - used >= size ? buffer.get() + used : reserveByFlushing(size);
    }
    // ...of which those before end are taken.
    void commit(const char* end) { used = end - buffer.get(); }
    // Hands what is buffered to the drain.
    bool flush();
    bool failed() const { return broken; }

private:
    char* reserveByFlushing(qsizetype size);

    Drain drain;
    // Not zeroed: every byte is written before it is drained, and clearing a megabyte
    // for each save would cost as much as encoding one.
    std::unique_ptr<char[]> buffer;
    qsizetype capacity;
    qsizetype used = 0;
    bool broken = false;
};

// Writes what produce appends to the sink it is given.
using ByteProducer = std::function<void(ByteSink& sink)>;

// The folder syncs owed by a run of writes that ends before anything is reported: an export
// of many files syncs its folder once, after the last rename, instead of after each. Each
// file is still synced before it replaces the old one, so every file in place is whole; the
// sync() at the end makes the renames themselves last, and what the run's caller reports as
// written is on disk once it returns. Whatever is still owed when the object goes (a run
// that stopped at a failure) is synced then, as well as it can be.
class FolderSyncs {
public:
    FolderSyncs() = default;
    FolderSyncs(const FolderSyncs&) = delete;
    FolderSyncs& operator=(const FolderSyncs&) = delete;
    ~FolderSyncs();

    // Syncs every folder owed. A failure's message is that of the writer's own folder sync,
    // for the last file written into that folder.
    Result<> sync();
    // For the writer: a file was renamed into folder.
    void owe(const QByteArray& folder, const QString& path, const char* failureFormat);

private:
    struct Owed {
        QByteArray folder;
        QString path;
        const char* format = nullptr;
    };
    std::vector<Owed> owed;
};

// The message of a failed write: %1 is the path, %2 the cause in words.
inline constexpr const char* cannotWriteFormat = "Cannot write %1: %2";

// The one writer every saved file goes through. The bytes go to a new file in the same
// folder, which is flushed to disk and renamed over path only when every write, the sync
// and the close succeeded; the folder is synced after the rename. On any failure path keeps
// what it held, nothing is left behind, and the failure's message is failureFormat with the
// path and the cause ("No space left on device") filled in. Given folderSyncs, the folder sync
// is left to it, for a run of writes that syncs each folder once. An existing file keeps its
// permission bits. A symbolic link at path is replaced by the new file itself; what it
// points to is never touched. A folder, pipe, device or socket at path is refused and left
// as it is.
Result<> writeFileAtomically(const QString& path, const QByteArray& bytes,
                             const char* failureFormat = cannotWriteFormat,
                             FolderSyncs* folderSyncs = nullptr);
Result<> writeFileAtomically(const QString& path, const ByteProducer& produce,
                             const char* failureFormat = cannotWriteFormat,
                             FolderSyncs* folderSyncs = nullptr);

// The last step of the writer, for files another library wrote (such as an archive
// written under a temporary name): syncs the finished file at tempPath, renames it over
// path (with the same rules for what is at path, and keeping the permission bits of a file
// there), then syncs the folder. On failure tempPath is removed and path keeps what it held.
Result<> commitTemporaryFile(const QString& tempPath, const QString& path,
                             const char* failureFormat = cannotWriteFormat);

// Opens path for reading when it is a regular file (a link to one counts). A pipe, device,
// socket or folder is refused without waiting on it. A failure's message is "Cannot read ",
// the path and why.
Result<> openRegularFile(QFile& file, const QString& path);

// Reads a whole regular file; a failure's message is as openRegularFile's.
Result<QByteArray> readWholeFile(const QString& path);
