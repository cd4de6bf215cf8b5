// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QList>
#include <QSet>

struct ReleasePlace;

// A file of a folder that follows one of its videos, and where the video's
// name (without extension) ends in the file's name.
struct SidecarOf {
    int sidecar;
    qsizetype videoNameLength;
};

// Every sidecar of folder's videos (Sidecars::videoNameLengths), by the
// entry of its video: matched by the video's name without extension, letter
// case aside, the longest such name first; where two videos share a name,
// a listed one's. In the folder's entry order.
QHash<int, QList<SidecarOf>> matchSidecars(const ReleasePlace &folder, const QSet<int> &listed);
