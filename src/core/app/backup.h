#pragma once
// Backup: every code file and every sprite file packed into one dated ZIP archive.

#include <QDate>
#include <QString>

struct Workspace;

// "quill" + yymmdd + ".zip": the name of the archive made on date.
QString backupArchiveName(const QDate& date);

// Writes exportDir + "/" + backupArchiveName(date) with the entries "prgfiles/" + name for
// each plain file of the code folder, then "spfiles/" + name for each of the sprite folder,
// deflated, dated with the files' modification times and their names marked as UTF-8.
// The archive is written under a temporary name and replaces an older one of that name
// only when complete. On success sets archivePath; on failure returns false and sets
// error to a message naming the cause, leaving any older archive as it was.
bool writeBackup(const Workspace& workspace, const QString& exportDir, const QDate& date,
                 QString* archivePath, QString* error);
