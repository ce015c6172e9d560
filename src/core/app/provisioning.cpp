// SPDX-License-Identifier: MIT
#include "core/app/provisioning.h"

#include "core/app/defaultdata.h"
#include "core/app/settingslist.h"
#include "core/app/targets.h"
#include "core/app/textfile.h"
#include "core/app/workspace.h"
#include "core/editor/keylayout.h"
#include "core/sprite/palettes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <iterator>
#include <tuple>
#ifdef Q_OS_WIN
#include <QSettings>
#endif

namespace {

// The order in which the palettes are written, which is the order of the settings file; a
// palette added later comes after the first seventeen.
constexpr const char* paletteWriteOrder[] = {"MSX",  "DB16",  "PICO-8",  "ARNE16", "EDG16", "A64",
                                             "C64",  "VIC20", "CGA",     "SLIFE",  "JMP",   "CGARNE",
                                             "PSYG", "EROGE", "EISLAND", "BARNES", "VV16",  "SWEETIE16"};
static_assert(std::size(paletteWriteOrder) == std::tuple_size_v<decltype(paletteTable)>);

QString defaultHexOf(const char* name)
{
    for (const PaletteEntry& p : paletteTable)
        if (qstrcmp(p.name, name) == 0)
            return QLatin1StringView(p.defaultHex);
    return {};
}

QString defaultFolderPath(DefaultFolder folder)
{
    switch (folder) {
    case DefaultFolder::Liko12: return defaultLiko12Folder();
    case DefaultFolder::Documents: return documentsFolder();
    case DefaultFolder::Tic80: break;
    }
    // TIC-80 reads files only from its own folder, which it creates at its first start;
    // made here too, Run works before the console has ever been started.
    const QString tic80Folder = defaultTic80Folder();
    if (!tic80Folder.isEmpty())
        QDir().mkpath(tic80Folder);
    return tic80Folder;
}

// The targets' values of a setting, each key once, in the order of the rows that first
// name it.
template <typename Value>
void setPerTarget(SettingsList& settings, const char* ConsoleTarget::*key, Value value)
{
    QStringList done;
    for (const ConsoleTarget& t : consoleTargets) {
        const QString k = QLatin1StringView(t.*key);
        if (done.contains(k))
            continue;
        done.append(k);
        settings.setValue(k, value(t));
    }
}

int intOr(const SettingsList& settings, QStringView key, int fallback)
{
    return settings.intValue(key).value_or(fallback);
}

#ifdef Q_OS_WIN
// Asks the platform's browser component to render in its most recent document mode for us.
void setBrowserEmulation()
{
    QSettings reg(
        QStringLiteral("HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Internet Explorer\\Main\\FeatureControl"
                       "\\FEATURE_BROWSER_EMULATION"),
        QSettings::NativeFormat);
    if (reg.status() != QSettings::NoError)
        return;
    const QString exe = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    bool ok = false;
    if (reg.value(exe).toUInt(&ok) != 11001 || !ok)
        reg.setValue(exe, 11001);
}
#endif

} // namespace

void fillDefaultSettings(SettingsList& settings, int keyPanelWidth)
{
    setPerTarget(settings, &ConsoleTarget::exportDirKey,
                 [](const ConsoleTarget& t) { return defaultFolderPath(t.defaultFolder); });
    setPerTarget(settings, &ConsoleTarget::androidKey,
                 [](const ConsoleTarget& t) { return QString::fromLatin1(t.androidId); });
    settings.setValue(QStringLiteral("width"), QStringLiteral("32"));
    for (const KeyRowDefault& row : defaultKeyRows)
        settings.setValue(QLatin1StringView(row.key), QLatin1StringView(row.row));
    for (const char* name : paletteWriteOrder)
        settings.setValue(QStringLiteral("plt") + QLatin1StringView(name), defaultHexOf(name));
    // A new workspace targets the first row (TIC-80's JavaScript), so it draws in that
    // target's colours.
    settings.setValue(QStringLiteral("palette"), QString::number(consoleTargets.front().defaultPalette));
    settings.setValue(QStringLiteral("command"), QStringLiteral("41"));
    settings.setValue(QStringLiteral("web"), QStringLiteral("0"));
    settings.setValue(QStringLiteral("keyheight"), QString::number(keyPanelWidth / 10 + 9));
    settings.setValue(QStringLiteral("sprite"), QStringLiteral("16"));
    settings.setValue(QStringLiteral("lang"), langValue(consoleTargets.front()));
    settings.setValue(QStringLiteral("keyheight"), QString::number(intOr(settings, u"keyheight", 0) / 3 * 2));
    settings.setValue(QStringLiteral("command"), QString::number(intOr(settings, u"command", 0) / 3 * 2));
}

Result<> provisionDefaults(const Workspace& workspace, SettingsList& settings, QStringList& keywordList,
                           int keyPanelWidth)
{
    QStringList problems;

    for (const QString& dir : {workspace.codeFilesDir, workspace.spriteFilesDir, workspace.templatesDir,
                               workspace.commonFunctionsDir})
        QDir().mkpath(dir);

    fillDefaultSettings(settings, keyPanelWidth);

    // A file that cannot be written is skipped; the rest still matter more than it does.
    for (const DefaultFile& file : defaultFiles) {
        const QString path =
            workspace.workspaceDir + QLatin1StringView(file.folder) + u'/' + QLatin1StringView(file.name);
        if (const Result<> written = writeFileAtomically(path, defaultFileBytes(file)); !written)
            problems.append(written.message());
    }

    keywordList = builtinKeywords();
    if (const Result<> written = writeTextFile(workspace.keywordsPath, keywordList, TextEncoding::Utf8);
        !written)
        problems.append(written.message());

#ifdef Q_OS_WIN
    setBrowserEmulation();
#endif
    if (!problems.isEmpty())
        return Failure{problems.join(u'\n')};
    return {};
}
