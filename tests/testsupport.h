// SPDX-License-Identifier: MIT
#pragma once
// Test helpers shared by the suites: a private home folder per test case, so no test
// ever reads or writes the real user's workspace, and the files a test leaves in it.

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>

// Points HOME and the XDG folders at a fresh temporary folder for its lifetime.
class TempHome {
public:
    TempHome()
    {
        const QString home = dir.path();
        qputenv("HOME", home.toUtf8());
        qputenv("XDG_DATA_HOME", (home + "/.local/share").toUtf8());
        qputenv("XDG_CONFIG_HOME", (home + "/.config").toUtf8());
        qputenv("XDG_CACHE_HOME", (home + "/.cache").toUtf8());
        // Kept apart from the home folder, whose contents some tests list.
        qputenv("XDG_RUNTIME_DIR", runtimeDir.path().toUtf8());
        QFile::setPermissions(runtimeDir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QDir().mkpath(home + "/.local/share");
        QDir().mkpath(home + "/Documents");
    }
    QString path() const { return dir.path(); }
    // The workspace folder the program uses under this home, with a trailing "/".
    QString workspace() const { return dir.path() + "/.local/share/zenkodo/"; }

private:
    QTemporaryDir dir;
    QTemporaryDir runtimeDir;
};

inline QByteArray readBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

inline bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// How filesUnder shows a file's bytes: as hex pairs, or as text with CR and LF written
// \r and \n.
enum class ShownBytes { Hex, Text };

// Every file under root (hidden ones too, in every subfolder) as "path: bytes", one per
// line, sorted by path.
inline QString filesUnder(const QString& root, ShownBytes shown)
{
    QStringList out;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QString bytes;
        if (shown == ShownBytes::Hex) {
            bytes = QString::fromLatin1(readBytes(path).toHex(' '));
        } else {
            bytes = QString::fromUtf8(readBytes(path));
            bytes.replace(QStringLiteral("\r"), QStringLiteral("\\r"))
                .replace(QStringLiteral("\n"), QStringLiteral("\\n"));
        }
        out << QDir(root).relativeFilePath(path) + ": " + bytes;
    }
    out.sort();
    return out.join(u'\n');
}
