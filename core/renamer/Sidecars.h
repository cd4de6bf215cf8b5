// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// The files that travel with a video and that media servers find by the
// video's exact name: its subtitles ("NAME.en.forced.srt", "NAME.sub" with
// "NAME.idx"), its "NAME.nfo" and its artwork ("NAME-poster.jpg"). They
// follow their video when TITLES or LIBRARY renames or moves it.
namespace Sidecars {

// Whether a file with this extension can be a sidecar: a subtitle ("srt",
// "ass", "ssa", "sub", "idx", "vtt", "sup", "smi"), "nfo", or a picture
// ("jpg", "jpeg", "png", "tbn"). Letter case does not matter.
bool isSidecarExtension(QStringView extension);
bool isSubtitleExtension(QStringView extension);

// Where a video's name may end in fileName, for a sidecar of that video: the
// lengths of the prefixes of fileName that a video's name without its
// extension would be, longest first. What follows such a prefix is nothing,
// subtitle words (a language, "forced", "sdh", "cc", "hi", "default") before a
// subtitle's extension, or an artwork word ("-poster", "-fanart", "-thumb",
// "-landscape", "-banner", "-clearlogo") before a picture's; then the
// extension. Empty when fileName has no sidecar extension.
QList<qsizetype> videoNameLengths(QStringView fileName);

// The tail a sidecar keeps after its video's new name: what follows the
// video's old name, in lower case, as servers look it up on volumes that
// tell letter cases apart (".en.forced.srt", "-poster.jpg", ".nfo").
QString keptTail(QStringView fileName, qsizetype videoNameLength);

// The tail a subtitle of a "Subs" or "Subtitles" folder gets beside its
// video: the language and flags read from its own name ("English.srt",
// "2_English.srt", "eng.forced.srt" give ".en.srt", ".en.srt",
// ".en.forced.srt"), its other words where it names no language
// ("Signs.srt" gives ".signs.srt"), and its extension, all in lower case.
// number, from 2 on, tells a second subtitle of the same tags from the
// first (".en.2.srt").
QString subtitleFolderTail(QStringView fileName, int number = 1);

// The tags that subtitleFolderTail reads from fileName, without the number
// and extension: two subtitles with the same tags are numbered.
QString subtitleFolderTags(QStringView fileName);

// Whether a folder of this name holds subtitles that servers do not look
// into ("Subs", "Subtitles", in any letter case).
bool isSubtitleFolder(QStringView folderName);

} // namespace Sidecars
