// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// What a release name holds besides its tags, as TITLES reads it: a film
// ("Blade.Runner.2049.2017.2160p.UHD.BluRay.x265-TERMiNAL.mkv") or an episode
// of a show ("The.Office.US.S02E01.720p.WEB-DL.mkv").
struct ReleaseName {
    // The title's words with single blanks between them, in the name's own
    // letter case: dots and underscores between words are blanks, a title's
    // own inner dots ("R.I.P.D.", "S.H.I.E.L.D.") stay.
    QString title;
    // The film's year, or for an episode the show's year that tells it from
    // another show of its name ("Doctor.Who.2005.S01E01"): 1888 to the latest
    // year that the reading allows; 0 when the name holds none.
    int year = 0;
    // An episode's season and its episode numbers in ascending order (two
    // for a double episode, each of a longer run, none for a whole season);
    // season -1 for a film.
    int season = -1;
    QList<int> episodes;
    // A part of a film split over several files: "CD1", "PART 2", "DISC 1";
    // empty when it is whole.
    QString part;
    // A subtitle file's language and flags, in order, as its player pairs it
    // with its video: {"EN"}, {"EN", "FORCED"}; empty for other files. A
    // language is its two-letter code however the name writes it ("eng",
    // "English"), with its region where the name gives one ("PT-BR").
    QStringList subtitleTags;
    // The extension without its dot, as the name has it; empty when the name
    // has none.
    QString extension;

    bool isEpisode() const { return season >= 0; }
};

// Reads a file name as a release name. Nothing when no title can be told
// apart from the rest: the name holds no year, no episode and no known
// release tag, or nothing is left of it once they are taken away. Nothing
// either for a text longer than any file name, one holding replacement
// characters (a name that was not valid UTF-8), a download not yet finished
// ("film.mkv.part") or a daily show, whose date alone tells it apart.
// A four-digit number from 1888 to latestYear is a year (next year's, as a
// film's year is known before it is out); a later one is a word of the title.
// A pure function: it looks at no disk and no clock, and keeps no state.
std::optional<ReleaseName> parseReleaseName(const QString &fileName, int latestYear);

// The tags that tell two releases of one title apart, as the name writes
// them, upper-cased, each the last of its kind in the name: its resolution
// ("1080P"), source ("BLURAY", "WEB-DL") and edition ("EXTENDED",
// "DIRECTOR'S CUT"); empty where the name holds none.
struct VersionTags {
    QString resolution;
    QString source;
    QString edition;
};
VersionTags readVersionTags(const QString &fileName, int latestYear);

// The clean name of a release without its subtitle's tags and extension,
// upper-cased as every name the renamer gives: "TITLE (YEAR)", "TITLE"
// without a year, "SHOW (YEAR) S01E02" or "SHOW S01E02" (or "S01E02E03", and
// "S01E01-E06" for a longer run, "S01" for a whole season), a part after them
// ("TITLE (YEAR) CD1"). It holds none of the characters that FAT, exFAT or
// NTFS refuse (: * ? " < > | \ /), nor control characters, and neither
// starts nor ends with a dot or a blank. Empty when the title holds nothing
// that a name can keep (never for a release that parseReleaseName gave).
QString cleanBaseName(const ReleaseName &release);

// The clean name of a release: its clean base name, then a subtitle's
// language and flags and the extension ("TITLE (YEAR).EN.FORCED.SRT",
// "SHOW S01E02.MKV"). Empty when the base name is.
QString cleanReleaseName(const ReleaseName &release);
