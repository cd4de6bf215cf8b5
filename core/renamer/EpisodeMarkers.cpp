// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/renamer/EpisodeMarkers.h"

#include "core/renamer/EpisodeForms.h"

#include <algorithm>

using ReleaseTags::isDigit;
using ReleaseTags::Kind;

namespace {

// Finds markers and tells them from a film's words.
class MarkerFinder {
public:
    explicit MarkerFinder(const ReleaseTokens &tokens)
        : t(tokens)
    {}

    std::optional<EpisodeMarker> at(int i) const;

private:
    bool mayStart(int i) const;
    std::optional<EpisodeMarker> seasonAlone(EpisodeMarker found) const;
    EpisodeMarker finished(EpisodeMarker found) const;
    bool yearFollows(int from) const;
    void addMore(EpisodeMarker &found) const;

    const ReleaseTokens &t;
};

std::optional<EpisodeMarker> MarkerFinder::at(int i) const
{
    if (!mayStart(i))
        return std::nullopt;
    const std::optional<EpisodeReading> read = readEpisodeForm(
        t, i, {EpisodeRole::Whole, EpisodeRole::Season, EpisodeRole::Episode});
    if (!read)
        return std::nullopt;
    EpisodeMarker found{i, read->end, read->season, read->named()};
    if (read->role == EpisodeRole::Episode) {
        if (yearFollows(read->end))
            return std::nullopt; // "Star.Wars.Episode.4.1977": a film's episode in its saga
        found.season = read->chapter >= 100 ? read->chapter / 100 : 1;
    } else if (read->role == EpisodeRole::Season) {
        const std::optional<EpisodeReading> next = readEpisodeForm(
            t, read->end, {EpisodeRole::Episode, EpisodeRole::Follow});
        if (!next)
            return seasonAlone(found);
        found.episodes = next->named();
        found.end = next->end;
    }
    return finished(found);
}

// The marker with the further episodes of a run after it, in ascending order.
EpisodeMarker MarkerFinder::finished(EpisodeMarker found) const
{
    addMore(found);
    std::sort(found.episodes.begin(), found.episodes.end());
    found.episodes.erase(std::unique(found.episodes.begin(), found.episodes.end()), found.episodes.end());
    return found;
}

// Whether a marker may start at token i: not inside the tags ("1280x720",
// "[5.1]", the "1" of "DD5.1"), nor a number after a digit and a dot
// ("AC3 5.1x2").
bool MarkerFinder::mayStart(int i) const
{
    const Token &token = t[i];
    const QChar c = token.key[0];
    if (t.isStrong(i) || t.insideTag(i))
        return false;
    if (isDigit(c))
        return !(i > 0 && t[i - 1].digits == 1 && t.between(i - 1, i) == u".");
    return c == u'S' || c == u'E'
           || (token.word
               && (token.word->kind == Kind::SeasonWord || token.word->kind == Kind::EpisodeWord
                   || token.word->kind == Kind::ChapterWord));
}

// A season without an episode next to it: its episode further on ("Stagione
// 6 (2016) 720p ep13", "Temporada 3 HDTV [Cap.304]"), or a later marker
// that the season word is the title of ("Show Series 13 - S01E01"), or a
// whole season; none for a film's words ("Open Season 2 (2008)") or the
// group after the tags ("1080p.DD5.1-S56").
std::optional<EpisodeMarker> MarkerFinder::seasonAlone(EpisodeMarker found) const
{
    for (int j = found.end; j < t.size(); ++j) {
        const std::optional<EpisodeReading> later = mayStart(j) ? readEpisodeForm(
                                                        t, j, {EpisodeRole::Whole, EpisodeRole::Episode})
                                                                : std::nullopt;
        if (later && later->role == EpisodeRole::Whole)
            return at(j);
        if (later) {
            found.episodes = later->named();
            found.end = later->end;
            return finished(found);
        }
    }
    bool seasonWord = false;
    for (int j = found.first; j < found.end; ++j)
        seasonWord = seasonWord || t.isWord(j, Kind::SeasonWord);
    if (seasonWord && yearFollows(found.end))
        return std::nullopt;
    bool afterTags = false;
    for (int j = 0; j < found.first && !afterTags; ++j)
        afterTags = t.isStrong(j);
    return t[found.first].joinedByDash && afterTags ? std::nullopt : std::optional(found);
}

bool MarkerFinder::yearFollows(int from) const
{
    for (int j = from; j < t.size(); ++j)
        if (t.isYear(j))
            return true;
    return false;
}

// More episodes of a double or longer one after the first: "S01E01-E02",
// "S01E01-02", "1x01-1x02", "S03E21.22", "Cap.408_409"; after a dash, every
// episode from one to the other.
void MarkerFinder::addMore(EpisodeMarker &found) const
{
    while (!found.episodes.isEmpty()) {
        const std::optional<EpisodeReading> more = readEpisodeForm(t, found.end, {EpisodeRole::More});
        if (!more || (more->season >= 0 && more->season != found.season)
            || (more->chapter >= 100 && more->chapter / 100 != found.season))
            return;
        const int last = *std::max_element(found.episodes.cbegin(), found.episodes.cend());
        const QList<int> episodes = more->named();
        const int episode = *std::max_element(episodes.cbegin(), episodes.cend());
        const bool nextOnly = more->joint == '.' || more->joint == '_';
        if (episode <= last || episode > last + 50 || (nextOnly && episode != last + 1))
            return;
        if (t[found.end].joinedByDash || t[found.end].startsSegment)
            for (int next = last + 1; next <= episode; ++next)
                found.episodes.append(next);
        else
            found.episodes += episodes;
        found.end = more->end;
    }
}

// The number a token is, also as a fansub's later version of an episode
// ("05v2"), with how many digits it has; -1 when it is none.
int versionedNumber(const Token &token, int &digits)
{
    digits = token.digits;
    if (digits > 0)
        return token.number;
    qsizetype pos = 0;
    const int number = numberIn(token.key, pos, 4);
    const bool version = token.key.size() == pos + 2 && token.key[pos] == u'V' && isDigit(token.key[pos + 1]);
    digits = number >= 0 && version ? int(pos) : 0;
    return digits > 0 ? number : -1;
}

} // namespace

std::optional<EpisodeMarker> findEpisodeMarker(const ReleaseTokens &tokens, int begin)
{
    const MarkerFinder finder(tokens);
    bool yearSeen = false;
    for (int i = begin; i < tokens.size(); ++i) {
        // "Film.2011.1080p.DD5.1-S56": a year before the picture and sound
        // tags settles that the name is a film's.
        if (yearSeen && tokens.isStrong(i))
            return std::nullopt;
        yearSeen = yearSeen || tokens.isYear(i);
        if (std::optional<EpisodeMarker> found = finder.at(i))
            return found;
    }
    return std::nullopt;
}

bool startsEpisodeMarker(const ReleaseTokens &tokens, int i)
{
    return i < tokens.size() && MarkerFinder(tokens).at(i).has_value();
}

std::optional<EpisodeMarker> numberedEpisodeAt(const ReleaseTokens &tokens, int i, int soft)
{
    const Token &token = tokens[i];
    int digits = 0;
    const int number = versionedNumber(token, digits);
    if (digits < 2 || digits > 4 || number >= 1888)
        return std::nullopt;
    // "[Group] Show 01-02": a fansub's run of episodes.
    const int end = i + 1 < tokens.size() && tokens[i + 1].joinedByDash && tokens[i + 1].digits == digits
                            && tokens[i + 1].number > number && tokens[i + 1].number <= number + 50
                        ? i + 2
                        : i + 1;
    if (end < tokens.size() && (tokens.isYear(end) || (tokens[end].digits > 0 && !tokens.softStop(end))))
        return std::nullopt;
    // Fansubs count episodes from the first on, whatever their digits.
    const bool alone = end == tokens.size() || tokens.softStop(end);
    const bool fansubGroup = tokens[0].group >= 0 && token.group < 0;
    const bool fansub = (token.startsSegment && (i == soft || alone)) || (fansubGroup && alone);
    if ((fansub && (digits == 2 || fansubGroup))
        || (digits == 3 && token.key.startsWith(u'0') && end == i + 1)) {
        EpisodeMarker found{i, end, 1, {}};
        const int last = end > i + 1 ? tokens[i + 1].number : number;
        for (int episode = number; episode <= last; ++episode)
            found.episodes.append(episode);
        return found;
    }
    if (end > i + 1 || digits == 2 || (token.group >= 0 && !tokens.aloneInBrackets(i)))
        return std::nullopt;
    // "IMG_1234" is a camera's count, not an episode of a release.
    if (tokens.isWord(i - 1, Kind::PartWord) || (digits == 4 && !tokens.hasReleaseTag()))
        return std::nullopt;
    return EpisodeMarker{i, i + 1, number / 100, {number % 100}};
}
