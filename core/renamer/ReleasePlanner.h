// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/changes/RenamePlan.h"
#include "core/host/FileSystem.h"
#include "core/renamer/AnswerPreview.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <utility>

// Where TITLES and LIBRARY put the files they give clean names.
enum class ReleaseLayout {
    // TITLES: each file keeps its folder; the subtitles of a "Subs" folder
    // come beside their video.
    InPlace,
    // LIBRARY: films in MOVIES/TITLE (YEAR)/, episodes in
    // SHOWS/SHOW (YEAR)/SEASON 01/, inside the folder.
    Library,
};

// Reads a folder below the one a plan is made for, from any thread.
using FolderReader = std::function<FolderContents(const QString &folder)>;

// TITLES or LIBRARY worked out on one folder: every file that moves, once,
// from where it is to where it ends, never onto a name that stays.
struct ReleasePlan {
    RenamePlan renames;
    // The folders to make, each after the folder that holds it.
    QStringList madeFolders;
    // The subtitle folders that the change empties, to remove after it.
    QStringList removedFolders;
    // Every folder the change reads or touches, the plan's own first.
    QStringList folders;
    // The folders below the plan's own that it read, as they were read: the
    // plan holds while a fresh read finds them the same.
    QList<std::pair<QString, FolderContents>> read;
    AnswerPreview preview;
};

// Works out TITLES or LIBRARY on folder, whose entries are contents, for
// the file list's rows in order. Each listed file whose title can be told
// apart gets its clean name (cleanReleaseName), in its place or in the
// library's folders; its sidecars (Sidecars.h) follow it, listed or not,
// with their own tails; releases that would get one name get version
// labels (VersionLabels.h); nothing is ever given a name that a file keeps.
// A file keeps its name and place, with its sidecars, where no title can be
// told apart, where its new name or path would be too long, or where the
// folder it needs cannot be made or used (a file of that name, another
// drive, unreadable). Reads only folders below folder, through read; a
// stop asked for through stopped ends it early, its plan unfinished.
ReleasePlan planReleases(ReleaseLayout layout, const QString &folder, const FolderContents &contents,
                         const QStringList &rows, int latestYear, const FolderReader &read,
                         const std::function<bool()> &stopped = {});
