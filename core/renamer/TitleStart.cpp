// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/renamer/TitleStart.h"

#include "core/renamer/EpisodeMarkers.h"

#include <algorithm>

using ReleaseTags::Kind;

namespace {

// Each step reads one kind of word that may stand before a title at token
// i, and gives the token after it, or i when that kind is not there.
class TitlePrefix {
public:
    explicit TitlePrefix(const ReleaseTokens &tokens)
        : t(tokens)
    {}

    TitleStart find() const;

private:
    int groupPrefixEnd() const;
    int bracketEnd(int i) const;
    int websiteEnd(int i) const;
    int broadcasterEnd(int i) const;
    int dateEnd(int i) const;
    int trackNumberEnd(int i) const;
    int tagsEnd(int i) const;
    int tagSegmentEnd(int i) const;
    int sagaEnd(int i) const;

    const ReleaseTokens &t;
};

TitleStart TitlePrefix::find() const
{
    TitleStart start{groupPrefixEnd(), false};
    for (int i = start.begin; i < t.size(); i = start.begin) {
        if (t[i].group >= 0) {
            start.begin = bracketEnd(i);
        } else {
            for (const auto step :
                 {&TitlePrefix::websiteEnd, &TitlePrefix::broadcasterEnd, &TitlePrefix::dateEnd,
                  &TitlePrefix::trackNumberEnd, &TitlePrefix::tagsEnd, &TitlePrefix::tagSegmentEnd})
                if ((start.begin = (this->*step)(i)) > i)
                    break;
            if (start.begin == i && (start.begin = sagaEnd(i)) > i)
                start.numberedInSaga = true;
        }
        if (start.begin == i)
            break;
    }
    return start;
}

// The group that scene file names in lower case begin with, joined by a
// dash ("ulshd-the.right.stuff.1983.1080p.bluray.x264"), with a release
// word that may follow it ("arw-repack-greenberg"): the token after it. Such
// names end with no group, and a title of two words at least follows; a
// title's own dash ("spider-man.2002") is told from it by nothing else.
int TitlePrefix::groupPrefixEnd() const
{
    if (t.size() < 3 || !t[1].joinedByDash || t.key(0).size() < 2 || t.key(0).size() > 6)
        return 0;
    const QChar afterTitleWord = t.name()[t[1].end]; // a dotted title follows
    if (afterTitleWord != u'.' && afterTitleWord != u'-')
        return 0;
    const QStringView name = t.name();
    if (std::any_of(name.begin(), name.end(), [](QChar c) { return c.isUpper(); }) || !t.hasStrongTag())
        return 0;
    for (int i = 3; i < t.size(); ++i)
        if (t[i].joinedByDash)
            return 0;
    const int end = t.isKind(1, Kind::Release) && t[2].joinedByDash ? 2 : 1;
    // "spider-man.2002": a title of one word after the dash is the title's
    // own, unless a release word stands between them.
    int words = 0;
    for (int i = end; i < t.size() && !t.isYear(i) && !t.isStrong(i); ++i)
        ++words;
    return words >= (end == 2 ? 1 : 2) ? end : 0;
}

// A leading group in brackets ("[XCT]"), where a title follows outside
// them. A number alone in round brackets, then a blank or a dot, is the
// title's ("(500) Days"); one glued to the title is a copy's ("(1)Title").
int TitlePrefix::bracketEnd(int i) const
{
    int after = i;
    while (after < t.size() && t[after].group == t[i].group)
        ++after;
    bool titleFollows = false;
    for (int j = after; j < t.size() && !titleFollows; ++j)
        titleFollows = t[j].group < 0;
    const QStringView name = t.name();
    const qsizetype close = t[i].end;
    const bool ownNumber = t.aloneInBrackets(i) && t[i].digits > 0 && !t.isYear(i) && t[i].start > 0
                           && name[t[i].start - 1] == u'(' && close + 1 < name.size() && name[close] == u')'
                           && (name[close + 1] == u' ' || name[close + 1] == u'.');
    return titleFollows && !ownNumber ? after : i;
}

// "www.site.com", "www.Site5.tc", or "site.org" before " - ".
int TitlePrefix::websiteEnd(int i) const
{
    if (t.key(i) == u"WWW") {
        for (int j = i + 1; j < std::min(t.size(), i + 5); ++j)
            if (ReleaseTags::isWebDomain(t.key(j)) || t.softStop(j))
                return ReleaseTags::isWebDomain(t.key(j)) ? j + 1 : j;
        return i;
    }
    if (i + 1 < t.size() && ReleaseTags::isWebDomain(t.key(i + 1)) && t.between(i, i + 1) == u"."
        && (i + 2 == t.size() || t[i + 2].startsSegment))
        return i + 2;
    return i;
}

// "BBC.Planet.Earth": the broadcaster before a title.
int TitlePrefix::broadcasterEnd(int i) const
{
    const int end = i + t.tagLength(i);
    return t.isKind(i, Kind::Broadcaster) && end < t.size() && !t.isTag(end) && !t.isYear(end) ? end : i;
}

// A recording date before the title, "09.03.08" or "2019.05.03". Not a
// title made of numbers ("11.22.63.106", "12.21.84.S01E03").
int TitlePrefix::dateEnd(int i) const
{
    if (i + 3 >= t.size() || t[i + 3].digits > 0)
        return i;
    const Token &a = t[i], &b = t[i + 1], &c = t[i + 2];
    if (a.group >= 0 || b.digits != 2 || (a.digits != 2 && a.digits != 4) || (c.digits != 2 && c.digits != 4)
        || (a.digits == 4 && c.digits == 4))
        return i;
    const int first = a.digits == 4 ? b.number : a.number;
    const int second = a.digits == 4 ? c.number : b.number;
    const bool valid = first >= 1 && second >= 1 && first <= 31 && second <= 31
                       && (first <= 12 || second <= 12);
    return valid && !startsEpisodeMarker(t, i + 3) ? i + 3 : i;
}

// "01 - Title": a collection's count before the title, not a show's name
// before its episode ("24 - S05E07").
int TitlePrefix::trackNumberEnd(int i) const
{
    const bool counted = t[i].digits > 0 && t[i].digits <= 2 && i + 1 < t.size() && t[i + 1].startsSegment
                         && t[i + 1].digits == 0;
    return counted && !startsEpisodeMarker(t, i + 1) ? i + 1 : i;
}

// Picture and sound tags before the title, with the release group joined
// to them by a dash ("x264-GROUP"). A lone tag before a dash and the last
// word leaves that word as the title ("video_ts-ratatouille").
int TitlePrefix::tagsEnd(int i) const
{
    if (!t.isStrong(i))
        return i;
    const int end = i + t.tagLength(i);
    if (i == 0 && end + 1 == t.size() && t[end].joinedByDash)
        return end;
    i = end;
    while (i < t.size() && t[i].joinedByDash && !t.isTag(i))
        ++i;
    return i;
}

// A leading part of the name, up to a " - ", made only of tags.
int TitlePrefix::tagSegmentEnd(int i) const
{
    int end = i + 1;
    while (end < t.size() && !t[end].startsSegment)
        ++end;
    return end < t.size() && t.onlyTags(i, end) ? end : i;
}

// "James_Bond-f21-Casino_Royale": a saga's name, then the film's number in
// it between lone dashes; the film's title follows.
int TitlePrefix::sagaEnd(int i) const
{
    for (int j = i + 1; j + 1 < t.size() && j < i + 6 && !t.softStop(j) && !t.isTag(j) && !t.isYear(j); ++j) {
        const QStringView key = t.key(j);
        const bool number = key.size() >= 2 && key.size() <= 4 && key[0] == u'F'
                            && std::all_of(key.cbegin() + 1, key.cend(), ReleaseTags::isDigit);
        if (number && t[j].joinedByDash && t[j + 1].joinedByDash)
            return j + 1;
    }
    return i;
}

} // namespace

TitleStart findTitleStart(const ReleaseTokens &tokens)
{
    return TitlePrefix(tokens).find();
}
