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
    // The release year, 1900 to next year; 0 when the name holds none (and
    // always for an episode, whose show the year only tells apart).
    int year = 0;
    // An episode's season and its episode numbers (two for a double
    // episode); season -1 for a film.
    int season = -1;
    QList<int> episodes;
    // A part of a film split over several files: "CD1", "PART 2", "DISC 1";
    // empty when it is whole.
    QString part;
    // A subtitle file's language and flags, in order, as its player pairs it
    // with its video: {"EN"}, {"EN", "FORCED"}; empty for other files.
    QStringList subtitleTags;
    // The extension without its dot, as the name has it; empty when the name
    // has none.
    QString extension;

    bool isEpisode() const { return season >= 0; }
};

// Reads a file name as a release name. Nothing when no title can be told
// apart from the rest: the name holds no year, no episode and no known
// release tag, or nothing is left of it once they are taken away.
// A pure function: it looks at no disk and keeps no state.
std::optional<ReleaseName> parseReleaseName(const QString &fileName);

// The clean name of a release, upper-cased as every name the renamer gives:
// "TITLE (YEAR).EXT", "TITLE.EXT" without a year, "SHOW S01E02.EXT" (or
// "S01E02E03"), a part after them ("TITLE (YEAR) CD1.EXT"), a subtitle's
// language before its extension ("TITLE (YEAR).EN.SRT"). It holds none of
// the characters that FAT, exFAT or NTFS refuse (: * ? " < > | \ /).
QString cleanReleaseName(const ReleaseName &release);
