#pragma once

#include "app/Host.h"

#include <QString>

enum class WalkMode { Folders, Files };

// Gives every folder (Folders) or every file (Files) directly inside folder
// its upper-case name, in one rename each, through the host's listing (so
// hidden entries are left alone). Entries inside subfolders are never
// touched. An entry whose rename fails, for instance because an upper-case
// twin already holds the name, keeps its name and the walk goes on.
void upperCaseWalk(Host &host, const QString &folder, WalkMode mode);
