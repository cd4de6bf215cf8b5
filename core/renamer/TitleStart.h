// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/renamer/ReleaseTokens.h"

// Where the title of a release name begins.
struct TitleStart {
    int begin = 0;
    // "James_Bond-f21-Casino_Royale": the film's number in its saga, which
    // tells its title apart as a year would.
    bool numberedInSaga = false;
};

// The first token of the title: past a leading group or site ("[XCT]",
// "www.site5.tc - "), a broadcaster ("BBC."), a recording date, a count
// ("01 - "), picture and sound tags, a leading part of the name that holds
// only tags ("FR - ") and a saga's name before a film's number in it. A
// title's own leading number ("(500) Days of Summer", "12.21.84.S01E03")
// stays. tokens.size() when nothing is left.
TitleStart findTitleStart(const ReleaseTokens &tokens);
