// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/renamer/TitleReader.h"

#include "core/renamer/EpisodeMarkers.h"
#include "core/renamer/TitleStart.h"

#include <algorithm>
#include <utility>

using ReleaseTags::Kind;

namespace {

// A part of a film split over files: "CD1", "PART 2", "DISC 1".
struct Part {
    QString text;
    int length = 0;
};

// "II", "TWO": a number of one to ten spelled out; 0 for other keys.
int spelledNumber(QStringView key)
{
    static const QStringList romans{"I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX", "X"};
    static const QStringList words{"ONE", "TWO",   "THREE", "FOUR", "FIVE",
                                   "SIX", "SEVEN", "EIGHT", "NINE", "TEN"};
    return int(std::max(romans.indexOf(key), words.indexOf(key))) + 1;
}

// The title, year, episode and part that a release name holds, read from its
// words: where the title starts, where it ends, what follows.
class TitleReader {
public:
    explicit TitleReader(const ReleaseTokens &tokens)
        : t(tokens)
    {}

    bool read(ReleaseName &release) const;

private:
    enum class Trim { Show, FilmBeforeYear, Film };

    bool readShow(const EpisodeMarker &episode, int begin, ReleaseName &release) const;
    bool readFilm(const TitleStart &start, ReleaseName &release) const;
    int filmTitleEnd(int begin, int year, int hard, int bracket) const;
    int releaseYearAt(int begin, int hard) const;
    bool isExtraAt(int i) const;
    Part partAt(int i) const;
    Part firstPart(int from) const;
    bool yearFollows(int i) const;
    int trimmedEnd(int from, int to, Trim trim, int *showYear = nullptr) const;
    bool goesBeforeYear(const ReleaseTags::Tag &tag, int from, int year) const;
    void appendSeparator(int before, int after, bool dashesAreBlanks, QString &text) const;
    QString titleText(int from, int to) const;

    const ReleaseTokens &t;
};

bool TitleReader::read(ReleaseName &release) const
{
    const TitleStart start = findTitleStart(t);
    if (start.begin >= t.size())
        return false;
    if (const std::optional<EpisodeMarker> episode = findEpisodeMarker(t, start.begin))
        return readShow(*episode, start.begin, release);
    return readFilm(start, release);
}

// A show's episode: the show's name is what stands before the marker, with
// the show's year where it holds one; where the marker comes first, the
// show's name is the part of the name after it.
bool TitleReader::readShow(const EpisodeMarker &episode, int begin, ReleaseName &release) const
{
    int from = begin, to = episode.first;
    if (from == to) {
        from = episode.end;
        to = from;
        while (to < t.size() && (to == from || !t.softStop(to)) && !t.isTag(to))
            ++to;
        if (from == to)
            return false;
    } else {
        for (int i = from + 1; i < to; ++i)
            if (t.softStop(i) && !(t.isYear(i) && t.aloneInBrackets(i))) {
                to = i;
                break;
            }
    }
    release.season = episode.season;
    release.episodes = episode.episodes;
    release.title = titleText(from, trimmedEnd(from, to, Trim::Show, &release.year));
    return true;
}

// A film, or a show whose episode is a bare number after its name: the title
// runs to the release year, to the first picture or sound tag, part or
// extra, or to a bracket before them.
bool TitleReader::readFilm(const TitleStart &start, ReleaseName &release) const
{
    const int begin = start.begin;
    int soft = -1, bracket = -1, hard = t.size();
    for (int i = begin + 1; i < t.size(); ++i) {
        if (soft < 0 && t.softStop(i))
            soft = i;
        if (bracket < 0 && t[i].group != t[i - 1].group && (i > begin + 1 || t[begin].group < 0))
            bracket = i; // not the title's own "(500)"
        if (const std::optional<EpisodeMarker> episode = numberedEpisodeAt(t, i, soft))
            return readShow(*episode, begin, release);
        if (t.isStrong(i) || isExtraAt(i) || (partAt(i).length > 0 && !yearFollows(i))) {
            hard = i;
            break;
        }
    }
    const int year = releaseYearAt(begin, hard);
    if (year >= 0 && t.isDateAt(year))
        return false; // a daily show or a recording: its date is all that tells it apart
    const int to = filmTitleEnd(begin, year, hard, bracket);
    const Part part = firstPart(to);
    if (year < 0 && part.length == 0 && !start.numberedInSaga
        && (!t.hasReleaseTag() || t.onlyTags(begin, to)))
        return false; // nothing tells the title apart
    release.year = year >= 0 ? t[year].number : 0;
    release.part = part.text;
    release.title = titleText(begin, trimmedEnd(begin, to, to == year ? Trim::FilmBeforeYear : Trim::Film));
    return true;
}

// Where a film's title ends: up to its year, or its first tag, it holds its
// own " - " and part ("Star Wars - The Last Jedi 2017", "Artist - Concert
// 1080p", "Dune Part Two 2024"); a bracket before them holds another title
// ("Le Prestige (The Prestige)"). Without a year, a third part is another
// title's or a name's ("Title - Other Title - Actor 1080p"): the first part
// is the title. After a saga's episode, the " - " gives that episode's own
// title ("Star Wars Episode IV - A New Hope").
int TitleReader::filmTitleEnd(int begin, int year, int hard, int bracket) const
{
    const bool dated = year >= 0 && year < hard;
    int to = dated ? year : hard;
    if (bracket >= 0 && bracket < to)
        to = bracket;
    int parts = 1, second = -1;
    for (int i = begin + 1; i < to; ++i) {
        const bool numbered = i >= begin + 2 && (t[i - 1].digits > 0 || spelledNumber(t.key(i - 1)) > 0);
        if (t[i].startsSegment && numbered && t.isWord(i - 2, Kind::EpisodeWord))
            return i;
        if (t[i].startsSegment && ++parts == 2)
            second = i;
    }
    return !dated && parts > 2 ? second : to;
}

// The release year's token: the last year before the first picture or sound
// tag, one alone in brackets first; else the first year after it; -1 when
// none. The title's first word is a title, whatever number it is ("1917").
int TitleReader::releaseYearAt(int begin, int hard) const
{
    // A number that belongs to a tag ("BT.2020") is no year.
    const auto next = [this](int i) {
        return i + std::max(1, t.tagLength(i));
    };
    int plain = -1, bracketed = -1;
    for (int i = begin + 1; i < hard; i = next(i))
        if (t.isYear(i))
            (t.aloneInBrackets(i) ? bracketed : plain) = i;
    if (bracketed >= 0)
        return bracketed;
    if (plain >= 0)
        return plain;
    for (int i = std::max(hard, begin + 1); i < t.size(); i = next(i))
        if (t.isYear(i))
            return i;
    return -1;
}

// "Moon_(2009)-x02-Making_Of": the second extra of a film's disc.
bool TitleReader::isExtraAt(int i) const
{
    const QStringView key = t.key(i);
    return t[i].joinedByDash && key.size() >= 2 && key.size() <= 4 && key[0] == u'X'
           && std::all_of(key.cbegin() + 1, key.cend(), ReleaseTags::isDigit);
}

Part TitleReader::partAt(int i) const
{
    const QStringView key = t.key(i);
    const qsizetype letters = t[i].letters;
    const QStringView word = key.first(letters);
    int number = -1, length = 1;
    if (letters == 0) {
        number = firstOfNumber(key); // "1of2"
    } else if (!t.isWord(i, Kind::PartWord)) {
        return {};
    } else if (letters < key.size()) {
        qsizetype pos = letters; // "CD1", "PART2", "CD1of2"
        number = numberIn(key, pos, 2);
        if (pos != key.size() && firstOfNumber(key.sliced(letters)) < 0)
            return {};
    } else if (i + 1 < t.size()) {
        const QStringView next = t.key(i + 1);
        const int spelled = spelledNumber(next);
        number = t[i + 1].digits > 0 && t[i + 1].digits <= 2 ? t[i + 1].number
                 : spelled > 0                               ? spelled
                                                             : firstOfNumber(next);
        length = 2;
    }
    if (number <= 0)
        return {};
    if (word == u"CD")
        return {QStringLiteral("CD%1").arg(number), length};
    return {QStringLiteral("%1 %2").arg(word == u"DISK" || word == u"DISC" ? u"DISC" : u"PART").arg(number),
            length};
}

Part TitleReader::firstPart(int from) const
{
    for (int i = from; i < t.size(); ++i)
        if (const Part part = partAt(i); part.length > 0)
            return part;
    return {};
}

bool TitleReader::yearFollows(int i) const
{
    for (int j = i + 1; j < t.size(); ++j)
        if (t.isYear(j))
            return true;
    return false;
}

// The title's end once the tags are taken off it. A show's name also loses
// the date, year and country that stand after it (the year is the show's,
// which tells it from another show of its name). Right before a film's year
// only editions, release words, languages and a genre of its own after " - "
// go ("Alien DC 1979", "Film GERMAN 2011", "Film - Drama 2011"): a format or
// "Web" there is the title's own ("The Girl in the Spiders Web 2019"). Never
// leaves less than a word, nor an article alone.
int TitleReader::trimmedEnd(int from, int to, Trim trim, int *showYear) const
{
    while (to - from > 1) {
        if (trim == Trim::Show && to - from > 3 && t.isDateAt(to - 3)) {
            to -= 3; // "Show Name 2016 02 25 S20E142": the day it was shown
            continue;
        }
        if (trim == Trim::Show && (t.isYear(to - 1) || t.isCountry(to - 1))) {
            if (t.isYear(to - 1) && showYear && *showYear == 0)
                *showYear = t[to - 1].number;
            --to;
            continue;
        }
        if (trim == Trim::FilmBeforeYear && t.isKind(to - 1, Kind::Genre) && t[to - 1].startsSegment) {
            --to;
            continue;
        }
        int length = 0;
        for (int k = 1; k <= std::min(3, to - from - 1) && length == 0; ++k)
            if (const ReleaseTags::Tag *tag = t.tagEndingAt(to, k);
                tag && (trim != Trim::FilmBeforeYear || goesBeforeYear(*tag, to - k, to)))
                length = k;
        // "The Collector", "The Final Cut": an article alone is no title.
        if (length == 0 || (to - length - from == 1 && t.isWord(from, Kind::Article)))
            break;
        to -= length;
    }
    return to;
}

// Whether the tag of the token at from goes right before a film's year at
// token year: an edition, a release word or a language, unless the name
// gives that language's word again after the year ("Immersion.French.2011.
// FRENCH.DVDR": the first is the title's).
bool TitleReader::goesBeforeYear(const ReleaseTags::Tag &tag, int from, int year) const
{
    if (tag.kind == Kind::Language) {
        for (int i = year + 1; i < t.size(); ++i)
            if (t.key(i) == t.key(from))
                return false;
        return true;
    }
    return ReleaseTags::isStrong(tag.kind) || tag.kind == Kind::Edition || tag.kind == Kind::Release;
}

// The name's separators between two tokens as a title shows them, appended
// to text: dots, underscores and a lone "+" are blanks, but not the dots of
// initials; so are dashes in a name that has no other separators
// ("The-Matrix-1999"); other punctuation stays.
void TitleReader::appendSeparator(int before, int after, bool dashesAreBlanks, QString &text) const
{
    const QStringView between = t.between(before, after);
    const bool initials = t.isInitial(before);
    if (initials && t.isInitial(after) && between == u".") {
        text += u'.';
        return;
    }
    if (between == u"+" || (dashesAreBlanks && t[after].joinedByDash)) {
        text += u' ';
        return;
    }
    for (qsizetype i = 0; i < between.size(); ++i) {
        const QChar c = between[i];
        if (i == 0 && c == u'.' && initials)
            text += QStringLiteral(". ");
        else
            text += c == u'.' || c == u'_' || c.isSpace() || c.unicode() < 0x20 ? u' ' : c;
    }
}

// The title's words with single blanks between them; "Simpsons, The" is
// "The Simpsons", "Misérables, Les" is "Les Misérables".
QString TitleReader::titleText(int from, int to) const
{
    bool dashesAreBlanks = to < t.size() && t[to].joinedByDash;
    for (int i = from + 1; i < to; ++i)
        dashesAreBlanks = dashesAreBlanks && t[i].joinedByDash;
    QString text;
    text.reserve(t[to - 1].end - t[from].start + 4);
    if (t.aloneInBrackets(from) && t[from].digits > 0 && t[from].start > 0
        && t.name()[t[from].start - 1] == u'(')
        text += u'('; // "(500) Days of Summer"
    for (int i = from; i < to; ++i) {
        if (i > from)
            appendSeparator(i - 1, i, dashesAreBlanks, text);
        text += t.text(i);
    }
    const QStringView after = t.name().sliced(t[to - 1].end);
    if (t.isInitial(to - 1) && after.startsWith(u'.'))
        text += u'.';
    else if (after.startsWith(u"--")) // "Film B----"
        text += after.first(std::find_if(after.begin(), after.end(), [](QChar c) { return c != u'-'; })
                            - after.begin());
    text = std::move(text).simplified();
    const qsizetype comma = text.lastIndexOf(u',');
    if (comma > 0) {
        const QString article = text.sliced(comma + 1).trimmed();
        if (isWordOf(ReleaseTags::key(article), Kind::Article))
            text = article + u' ' + text.left(comma).trimmed();
    }
    return text;
}

} // namespace

bool readTitle(const ReleaseTokens &tokens, ReleaseName &release)
{
    return TitleReader(tokens).read(release);
}
