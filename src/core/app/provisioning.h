// SPDX-License-Identifier: MIT
#pragma once
// First-run provisioning: turns an empty workspace into a working one. Also what the
// System page's Default button runs.

#include <QStringList>

struct SettingsList;
struct Workspace;

// Puts every default setting into settings, in the order of a new settings file, and
// writes nothing: for a start whose settings file is there but cannot be read.
void fillDefaultSettings(SettingsList& settings, int keyPanelWidth);

// Creates the folders, writes every default setting into settings, writes the 21 default
// files and the keyword file, and fills keywordList. keyPanelWidth is the current width of
// the on-screen keyboard panel, from which the default key height is derived.
// Returns the problems met (files that could not be written); an empty list means success.
QStringList provisionDefaults(const Workspace& workspace, SettingsList& settings, QStringList& keywordList,
                              int keyPanelWidth);
