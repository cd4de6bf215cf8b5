// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/renamer/ReleaseTokens.h"

#include <QList>
#include <initializer_list>
#include <optional>

// What a form of a season or episode marker reads.
enum class EpisodeRole : quint8 {
    Whole,   // a season with its episode
    Season,  // a season: a whole one, or its episode follows
    Episode, // an episode after its season, or alone: then of the first season, or of its chapter's
    Follow,  // an episode, only right after its season
    More,    // a further episode of a double or longer one
};

// What a form read, from its first token to end.
struct EpisodeReading {
    EpisodeRole role = EpisodeRole::Whole;
    char joint = 0; // how its first word is joined to the one before: see the table
    int end = -1;
    int season = -1;
    QList<int> episodes;
    int chapter = -1;

    // The episodes it names; a chapter's, without its season.
    QList<int> named() const
    {
        return chapter < 0 ? episodes : QList<int>{chapter >= 100 ? chapter % 100 : chapter};
    }
};

// The first of the forms in which release names write seasons and episodes
// (one table of them), among those of the given roles and in the table's
// order, that matches the tokens from token i on.
std::optional<EpisodeReading> readEpisodeForm(const ReleaseTokens &tokens, int i,
                                              std::initializer_list<EpisodeRole> roles);
