// SPDX-License-Identifier: MIT
#pragma once
// What the benchmarks share: a private home for the window, the programs they edit, the
// floor's plain write and sync, and a main that starts Qt offscreen before the benchmarks.

#include "ui/app/mainwindow.h"
#include "ui/app/paintsurface.h"
#include "ui/app/windowsinks.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <memory>

namespace bench {

// A folder on the disk the benchmark runs from (a tmpfs would make every sync free).
inline QString folder()
{
    static QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/zenkodo-bench-XXXXXX"));
    return dir.path();
}

// One line of a program: about 45 characters, a function header every 50 lines.
inline QString programLine(int i)
{
    return i % 50 == 0 ? QStringLiteral("function f%1(a, b)").arg(i)
                       : QStringLiteral("    local value%1 = value%1 + 1 -- a comment").arg(i);
}

inline QStringList program(int lines)
{
    QStringList code;
    code.reserve(lines);
    for (int i = 0; i < lines; ++i)
        code.append(programLine(i));
    return code;
}

// The floor's write: bytes in large pieces, then fsync, as the atomic writer must.
inline void writeAndSync(const QString& path, const char* p, qsizetype left)
{
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(std::min<qsizetype>(left, qsizetype(1) << 20)));
        if (n <= 0)
            break;
        p += n;
        left -= n;
    }
    ::fsync(fd);
    ::close(fd);
}

inline void writeAndSync(const QString& path, const QByteArray& bytes)
{
    writeAndSync(path, bytes.constData(), bytes.size());
}

// The window as the program starts it, in a private home, shown offscreen; messages are
// swallowed so that nothing waits on a dialog.
inline std::unique_ptr<TfrmMain>& windowSlot()
{
    static std::unique_ptr<TfrmMain> w;
    return w;
}

inline TfrmMain& window()
{
    std::unique_ptr<TfrmMain>& w = windowSlot();
    if (!w) {
        WindowSinks sinks = desktopSinks();
        sinks.message = [](QWidget*, const QString&) {};
        w = std::make_unique<TfrmMain>(std::move(sinks));
        w->show();
        QApplication::processEvents();
    }
    return *w;
}

// Starts Qt offscreen in a private home (the user's workspace is never touched), then runs
// the benchmarks; the window, when one is made, goes before the application.
inline int run(int argc, char** argv)
{
    static QTemporaryDir home(QDir::tempPath() + QStringLiteral("/zenkodo-bench-home-XXXXXX"));
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.path() + QStringLiteral("/data")));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path() + QStringLiteral("/config")));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(home.path() + QStringLiteral("/cache")));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    windowSlot().reset();
    return 0;
}

} // namespace bench

#define ZENKODO_BENCH_MAIN()                                                                                 \
    int main(int argc, char** argv)                                                                          \
    {                                                                                                        \
        return bench::run(argc, argv);                                                                       \
    }
