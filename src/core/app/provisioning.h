// SPDX-License-Identifier: MIT
#pragma once
// First-run provisioning: turns an empty workspace into a working one. Also what the
// System page's Default button runs.

#include "core/app/result.h"

#include <QStringList>

struct SettingsList;
struct Workspace;

// Puts every default setting into settings, in the order of a new settings file, and
// writes nothing: for a start whose settings file is there but cannot be read.
void fillDefaultSettings(SettingsList& settings, int keyPanelWidth);

// Creates the folders, writes every default setting into settings, writes the 21 default
// files and the keyword file, and fills keywordList. keyPanelWidth is the current width of
// the on-screen keyboard panel, from which the default key height is derived.
// Every file that can be written is; a failure names each one that could not be, one line
// per file.
Result<> provisionDefaults(const Workspace& workspace, SettingsList& settings, QStringList& keywordList,
                           int keyPanelWidth);
