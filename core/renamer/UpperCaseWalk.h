// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/changes/FolderModel.h"

enum class WalkMode { Folders, Files };

// Gives every folder (Folders) or every file (Files) of the model its
// upper-case name, as if taking the entries in listing order. An entry whose
// upper-case name another entry holds by then, or that would be longer than
// the volume takes, keeps its name. Entries inside subfolders are never part
// of the model, and hidden ones never listed.
void planUpperCaseWalk(FolderModel &model, WalkMode mode);
