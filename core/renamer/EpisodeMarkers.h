// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/renamer/ReleaseTokens.h"

#include <QList>
#include <optional>

// A season and its episodes, found where they stand in a release name.
struct EpisodeMarker {
    int first = -1; // the token where the marker starts
    int end = -1;   // the token after it
    int season = -1;
    QList<int> episodes; // in ascending order; none for a whole season
};

// The first season or episode marker from token begin on, in any of the
// forms that release names write ("S01E02", "1x02", "Season 2 Episode 3",
// "Temporada 2 Cap.204", "S2 - 11", ...). Not a film's words ("Open Season 2
// (2008)", "Star.Wars.Episode.4.1977"), nor a number inside the tags once a
// year stands before them.
std::optional<EpisodeMarker> findEpisodeMarker(const ReleaseTokens &tokens, int begin);

// Whether a marker starts at token i.
bool startsEpisodeMarker(const ReleaseTokens &tokens, int i);

// An episode written as a bare number at token i, after the show's name:
// "102" and "1013" (season, then two digits of episode), "001", or "Show -
// 05" and "[Group] Show 05 [720p]" as fansubs number them; soft is the
// first token of the name where its title could stop. Not a number of the
// title ("Zone 414 2021", "the.100.109").
std::optional<EpisodeMarker> numberedEpisodeAt(const ReleaseTokens &tokens, int i, int soft);
