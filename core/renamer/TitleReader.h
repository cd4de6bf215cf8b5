// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/renamer/ReleaseName.h"
#include "core/renamer/ReleaseTokens.h"

// Reads a release name's title from its words, with the film's or the
// show's year, the season and episodes and the part, into release; false
// when no title can be told apart from the rest.
bool readTitle(const ReleaseTokens &tokens, ReleaseName &release);
