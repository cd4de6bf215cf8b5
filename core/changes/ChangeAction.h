// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the user did that changed names on disk, as the change record keeps
// it. The record stores it by the name its table in ChangeRecord.cpp gives,
// with the tool it belongs to; a new kind of change is a value here, a row
// there, and its words in ChangeWords.
enum class ChangeAction {
    MakeChanges,   // MAKE CHANGES
    CleanUpBatch,  // SPECIAL BATCH's fixed clean-up
    Titles,        // SPECIAL BATCH's TITLES
    Library,       // SPECIAL BATCH's LIBRARY
    UpperCaseWalk, // SPECIAL BATCH's FOLDERS and FILES
    MakeFolders,   // the folderer's M&akeFolders
    Delete,        // the renamer's Delete key
};
