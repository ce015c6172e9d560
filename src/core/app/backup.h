// SPDX-License-Identifier: MIT
#pragma once
// Backup: every code file and every sprite file packed into one dated ZIP archive.

#include "core/app/result.h"

#include <QDate>
#include <QString>
#include <QStringList>

struct Workspace;

// "quill" + yymmdd + ".zip": the name of the archive made on date.
QString backupArchiveName(const QDate& date);

// Writes exportDir + "/" + backupArchiveName(date) with the entries "prgfiles/" + name for
// each regular file of the code folder, then "spfiles/" + name for each of the sprite
// folder, each folder in the order of the names' bytes, deflated, dated with the files'
// modification times. A name is stored as the bytes the file system holds, marked as
// UTF-8 where it is valid UTF-8 and unmarked where it is not. Links, pipes, sockets,
// devices and files that cannot be read are left out, each named with the reason in
// leftOut; folders are skipped. The archive is written under a temporary name and
// replaces an older one of that name only when complete and on the disk. A failure's
// message names the cause; any older archive stays as it was.
struct BackupDone {
    QString archivePath;
    QStringList leftOut; // one line per file left out, naming it and the reason
};
Result<BackupDone> writeBackup(const Workspace& workspace, const QString& exportDir, const QDate& date);

// The message a backup that succeeded shows: one line per file it left out, then
// "Completed.".
QString backupMessage(const QStringList& leftOut);
