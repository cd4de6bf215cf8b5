#include "core/renamer/ReleaseName.h"

#include "core/renamer/ReleaseTags.h"
#include "core/renamer/RenameRule.h"

#include <bitset>

namespace {

using ReleaseTags::isDigit;
using ReleaseTags::Kind;
using ReleaseTags::Tag;

// No file name is longer than 255 bytes; a far longer text is no name to read.
constexpr qsizetype LongestName = 1024;

bool isDash(QChar c)
{
    return c == u'-' || c == u'\u2013' || c == u'\u2014';
}

bool isOpening(QChar c)
{
    return c == u'(' || c == u'[' || c == u'{' || c == u'\u3010' || c == u'\u300C'
        || c == u'\u300E' || c == u'\u300A' || c == u'\uFF08';
}

bool isClosing(QChar c)
{
    return c == u')' || c == u']' || c == u'}' || c == u'\u3011' || c == u'\u300D'
        || c == u'\u300F' || c == u'\u300B' || c == u'\uFF09';
}

// What stands between the words of a release name: blanks, dots, dashes,
// brackets and the punctuation that joins tags ("VO+VFF", "x264~GROUP").
bool isSeparator(QChar c)
{
    static const std::bitset<128> ascii = [] {
        std::bitset<128> set;
        for (int c = 0; c <= 32; ++c)
            set.set(c);
        for (const char c : ".,_;:\"*/\\|<>+~#=@&-()[]{}\x7f")
            set.set(static_cast<unsigned char>(c));
        return set;
    }();
    if (c.unicode() < 0x80)
        return ascii.test(c.unicode());
    return c.isSpace() || isDash(c) || isOpening(c) || isClosing(c)
        || c.category() == QChar::Other_Control;
}

// A word of the name, as far as the separators around it.
struct Token {
    qsizetype start = 0;
    qsizetype end = 0;
    QString key;                // ReleaseTags::key of its text
    int group = -1;             // the bracket group it stands in; -1 outside brackets
    bool startsSegment = false; // " - ", "--" or ".-." stands before it
    bool joinedByDash = false;  // a lone dash stands before it: "x264-GROUP"
    int digits = 0;             // how many digits it is, when it is only digits
    int number = -1;            // their value, for at most six
    int letters = 0;            // how many characters of its key come before a digit
    const Tag *word = nullptr;  // the listed word those make: "CD" of "CD1", "EP" of "EP5"
};

QList<Token> tokenize(QStringView text)
{
    QList<Token> tokens;
    tokens.reserve(24);
    int depth = 0, groups = 0, group = -1, dashes = 0, run = 0;
    bool blank = false;
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text[i];
        if (isSeparator(c)) {
            if (isOpening(c) && depth++ == 0)
                group = groups++;
            else if (isClosing(c) && depth > 0 && --depth == 0)
                group = -1;
            else if (isDash(c))
                ++dashes;
            else if (!isOpening(c) && !isClosing(c))
                blank = true;
            ++run;
            ++i;
            continue;
        }
        Token token;
        token.start = i;
        while (i < text.size() && !isSeparator(text[i]))
            ++i;
        token.end = i;
        token.key = ReleaseTags::key(text.sliced(token.start, i - token.start));
        if (token.key.isEmpty())
            continue; // a lone symbol ("™", "'") is no word: part of the separators
        token.group = depth > 0 ? group : -1;
        token.startsSegment = dashes >= 2 || (dashes == 1 && blank);
        token.joinedByDash = dashes == 1 && run == 1;
        if (std::all_of(token.key.cbegin(), token.key.cend(), isDigit)) {
            token.digits = int(token.key.size());
            if (token.digits <= 6)
                token.number = token.key.toInt();
        }
        while (token.letters < token.key.size() && !isDigit(token.key[token.letters]))
            ++token.letters;
        if (token.letters > 0)
            token.word = ReleaseTags::find(token.letters == token.key.size() ? token.key
                                                                              : token.key.left(token.letters));
        tokens.append(token);
        dashes = run = 0;
        blank = false;
    }
    return tokens;
}

// The number in the key from pos on, of at most maxDigits digits; -1 when
// none stands there or more digits follow.
int numberIn(QStringView key, qsizetype &pos, int maxDigits)
{
    int value = 0, digits = 0;
    while (pos < key.size() && key[pos] >= u'0' && key[pos] <= u'9') {
        if (++digits > maxDigits)
            return -1;
        value = value * 10 + (key[pos++].unicode() - u'0');
    }
    return digits > 0 ? value : -1;
}

// "2OF5": its first number; -1 for other keys.
int firstOfNumber(QStringView key)
{
    qsizetype pos = 0;
    const int number = numberIn(key, pos, 3);
    if (number < 0 || !key.sliced(pos).startsWith(u"OF"))
        return -1;
    pos += 2;
    return numberIn(key, pos, 3) >= 0 && pos == key.size() ? number : -1;
}

// "S01E02", "s1e2", "S01E02E03", "S06xE01", "S6Ep5", "S2013E25"; "S01"
// alone gives the season only.
bool readSeasonKey(QStringView key, int &season, QList<int> &episodes)
{
    if (!key.startsWith(u'S'))
        return false;
    qsizetype pos = 1;
    season = numberIn(key, pos, 4);
    if (season < 0)
        return false;
    if (key.sliced(pos).startsWith(u"XE"))
        ++pos;
    QList<int> read;
    while (pos < key.size() && key[pos] == u'E') {
        pos += key.sliced(pos).startsWith(u"EP") ? 2 : 1;
        const int episode = numberIn(key, pos, 4);
        if (episode < 0)
            return false;
        read.append(episode);
    }
    if (pos != key.size())
        return false;
    episodes = read;
    return true;
}

// "1x02", "01x02", "1940x01", "1x02x03": a season and its episodes, not a
// picture's size ("1280x720").
bool readCrossKey(QStringView key, int &season, QList<int> &episodes)
{
    qsizetype pos = 0;
    season = numberIn(key, pos, 4);
    const qsizetype seasonDigits = pos;
    QList<int> read;
    while (season >= 0 && pos < key.size() && key[pos] == u'X') {
        const qsizetype start = ++pos;
        const int episode = numberIn(key, pos, 3);
        if (episode < 0 || (seasonDigits >= 3 && pos - start >= 3))
            return false;
        read.append(episode);
    }
    if (read.isEmpty() || pos != key.size())
        return false;
    episodes = read;
    return true;
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

QString twoDigits(int number)
{
    return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}

// A season and its episodes, found where they stand in the name.
struct Episode {
    int first = -1; // the token where the marker starts
    int end = -1;   // the token after it
    int season = -1;
    QList<int> episodes;
};

// A part of a film split over files: "CD1", "PART 2", "DISC 1".
struct Part {
    QString text;
    int length = 0;
};

// What an episode word holds: "E05", "Ep 5", "Episode.5", "ep13",
// "Cap.102" (chapter 2 of season 1, as Spanish releases count).
struct EpisodeNumber {
    int season = -1;
    int episode = -1;
    int end = -1;
};

// The title, year, episode and part that a release name holds, read from its
// words: where the title starts, where it ends, what follows.
class ReleaseReader {
public:
    ReleaseReader(QStringView text, int latestYear)
        : m_text(text)
        , m_tokens(tokenize(text))
        , m_latestYear(latestYear)
    {
    }

    std::optional<ReleaseName> read(ReleaseName release);

private:
    struct TagAt {
        const Tag *tag = nullptr;
        int length = 0;
    };
    enum class Trim { Show, FilmBeforeYear, Film };

    int size() const { return int(m_tokens.size()); }
    const QString &keyAt(int i) const { return m_tokens[i].key; }
    bool isYearAt(int i) const
    {
        return m_tokens[i].digits == 4 && m_tokens[i].number >= 1900 && m_tokens[i].number <= m_latestYear;
    }
    bool isTagAt(int i) const { return m_tags[i].tag && ReleaseTags::isReleaseTag(m_tags[i].tag->kind); }
    bool isStrongAt(int i) const { return m_tags[i].tag && ReleaseTags::isStrong(m_tags[i].tag->kind); }
    bool isKindAt(int i, Kind kind) const { return m_tags[i].tag && m_tags[i].tag->kind == kind; }
    bool isWordAt(int i, Kind kind) const { return m_tokens[i].word && m_tokens[i].word->kind == kind; }
    bool isWordOf(const QString &key, Kind kind) const;
    bool softStopAt(int i) const;
    bool isCountryAt(int i) const;
    bool aloneInBrackets(int i) const;

    QStringList takeSubtitleTags();
    TagAt tagAt(int i) const;
    const Tag *tagEndingAt(int from, int end) const;
    int titleBegin() const;
    int groupPrefixEnd() const;
    int websiteEnd(int i) const;
    int dateEnd(int i) const;
    int trackNumberEnd(int i) const;
    int tagSegmentEnd(int i) const;

    std::optional<Episode> findEpisode(int begin) const;
    std::optional<Episode> seasonAt(int i) const;
    EpisodeNumber episodeWordAt(int i) const;
    void findEpisodeAfterSeason(Episode &found) const;
    void addFollowingEpisodes(Episode &found) const;
    bool readShow(const Episode &episode, int begin, ReleaseName &release) const;

    bool readFilm(int begin, ReleaseName &release) const;
    std::optional<Episode> numericEpisodeAt(int i, int soft) const;
    int releaseYearAt(int begin, int hard) const;
    bool isDateAt(int year) const;
    bool isExtraAt(int i) const;
    Part partAt(int i) const;
    // The first part from token from on.
    Part firstPart(int from) const;
    // Whether a year stands after token i.
    bool yearFollows(int i) const;

    int trimmedEnd(int from, int to, Trim trim) const;
    bool onlyTags(int from, int to) const;
    bool hasReleaseTag() const;
    bool isInitialAt(int i) const;
    QString separatorText(int before, int after, bool dashesAreBlanks) const;
    QString titleText(int from, int to) const;

    QStringView m_text;
    QList<Token> m_tokens;
    int m_latestYear;
    QList<TagAt> m_tags;
};

std::optional<ReleaseName> ReleaseReader::read(ReleaseName release)
{
    if (ReleaseTags::extensionKind(release.extension) == ReleaseTags::Extension::Subtitle)
        release.subtitleTags = takeSubtitleTags();
    m_tags.reserve(size());
    for (int i = 0; i < size(); ++i)
        m_tags.append(tagAt(i));
    const int begin = titleBegin();
    if (begin >= size())
        return std::nullopt;
    const std::optional<Episode> episode = findEpisode(begin);
    const bool found = episode ? readShow(*episode, begin, release) : readFilm(begin, release);
    for (int i = 0; i < size(); ++i) {
        if (!m_tags[i].tag)
            continue;
        const Kind kind = m_tags[i].tag->kind;
        QString *into = kind == Kind::Resolution ? &release.resolution
            : kind == Kind::Source               ? &release.source
            : kind == Kind::Edition              ? &release.edition
                                                 : nullptr;
        if (into && into->isEmpty()) {
            const qsizetype end = m_tokens[i + std::max(1, m_tags[i].length) - 1].end;
            *into = m_text.sliced(m_tokens[i].start, end - m_tokens[i].start).toString().toUpper();
            into->replace(u'.', u' ').replace(u'_', u' ');
        }
    }
    if (!found || std::none_of(release.title.cbegin(), release.title.cend(),
                               [](QChar c) { return c.isLetterOrNumber(); }))
        return std::nullopt;
    return release;
}

bool ReleaseReader::isWordOf(const QString &key, Kind kind) const
{
    const Tag *tag = ReleaseTags::find(key);
    return tag && tag->kind == kind;
}

// Where a title stops even when more of the name follows: a bracket, or a
// " - " before another part of the name.
bool ReleaseReader::softStopAt(int i) const
{
    return i > 0 && (m_tokens[i].group != m_tokens[i - 1].group || m_tokens[i].startsSegment);
}

// "The.Office.US": a country in capitals, not the word ("This.is.Us").
bool ReleaseReader::isCountryAt(int i) const
{
    const QStringView text = m_text.sliced(m_tokens[i].start, m_tokens[i].end - m_tokens[i].start);
    return isWordOf(keyAt(i), Kind::Country)
        && std::none_of(text.begin(), text.end(), [](QChar c) { return c.isLower(); });
}

// "[401]", "(2009)": the token is all that its brackets hold.
bool ReleaseReader::aloneInBrackets(int i) const
{
    const int group = m_tokens[i].group;
    return group >= 0 && (i == 0 || m_tokens[i - 1].group != group)
        && (i + 1 == size() || m_tokens[i + 1].group != group);
}

// A subtitle's languages and flags at the end of its name, the way players
// pair it with its video ("Film.2010.en.forced.srt"), taken off the name.
QStringList ReleaseReader::takeSubtitleTags()
{
    const auto subtitleTag = [this](int length) -> const Tag * {
        QString key;
        for (int i = size() - length; i < size(); ++i)
            key += keyAt(i);
        const Tag *tag = ReleaseTags::find(key);
        const bool named = tag && (tag->kind == Kind::Language || tag->kind == Kind::SubtitleLanguage
                                   || tag->kind == Kind::SubtitleFlag);
        return named ? tag : nullptr;
    };
    QStringList tags;
    while (size() > 1 && tags.size() < 3) {
        int length = size() > 2 && subtitleTag(2) ? 2 : 1; // "pt-BR" before "BR"
        const Tag *tag = subtitleTag(length);
        if (!tag)
            break;
        tags.prepend(tag->code);
        m_tokens.resize(size() - length);
    }
    return tags;
}

// The longest listed word that starts at token i, over up to three tokens
// of one bracket group ("DTS-HD.MA", "H.264", "5.1"); a lone number is none.
ReleaseReader::TagAt ReleaseReader::tagAt(int i) const
{
    TagAt found;
    QString key = keyAt(i);
    for (int length = 1;; ++length) {
        if (length > 1 || m_tokens[i].digits == 0)
            if (const Tag *tag = ReleaseTags::find(key))
                found = {tag, length};
        if (length == 3 || i + length >= size() || !ReleaseTags::continues(key))
            break;
        const Token &next = m_tokens[i + length];
        if (next.group != m_tokens[i].group || next.startsSegment || isInitialAt(i + length))
            break;
        key += next.key;
    }
    return found;
}

// The release tag made of the last tokens before end, none before from.
const Tag *ReleaseReader::tagEndingAt(int from, int end) const
{
    for (int length = std::min(3, end - from); length >= 1; --length) {
        if ((length == 1 && m_tokens[end - 1].digits > 0) || (length > 1 && isInitialAt(end - 1)))
            continue;
        QString key;
        for (int i = end - length; i < end; ++i)
            key += keyAt(i);
        const Tag *tag = ReleaseTags::find(key);
        if (tag && ReleaseTags::isReleaseTag(tag->kind))
            return tag;
    }
    return nullptr;
}

// The first token of the title: past a leading group or site ("[XCT]",
// "www.site.com - "), a date, picture and sound tags, and a leading part of
// the name that holds only tags ("FR - ").
int ReleaseReader::titleBegin() const
{
    int i = groupPrefixEnd();
    while (i < size()) {
        if (m_tokens[i].group >= 0) {
            int after = i;
            while (after < size() && m_tokens[after].group == m_tokens[i].group)
                ++after;
            const bool titleFollows = std::any_of(m_tokens.cbegin() + after, m_tokens.cend(),
                                                  [](const Token &t) { return t.group < 0; });
            if (!titleFollows)
                break;
            i = after;
        } else if (const int site = websiteEnd(i); site > i) {
            i = site;
        } else if (const int date = dateEnd(i); date > i) {
            i = date;
        } else if (const int track = trackNumberEnd(i); track > i) {
            i = track;
        } else if (isStrongAt(i)) {
            i += m_tags[i].length;
            while (i < size() && m_tokens[i].joinedByDash && !isTagAt(i))
                ++i; // the release group: "x264-GROUP"
        } else if (const int segment = tagSegmentEnd(i); segment > i) {
            i = segment;
        } else {
            break;
        }
    }
    return i;
}

// The group that scene file names in lower case begin with, joined by a
// dash ("ulshd-the.right.stuff.1983.1080p.bluray.x264"), with a release
// word that may follow it ("arw-repack-greenberg"): the token after it. Such
// names end with no group, and a title of two words at least follows; a
// title's own dash ("spider-man.2002") is told from it by nothing else.
int ReleaseReader::groupPrefixEnd() const
{
    if (size() < 3 || !m_tokens[1].joinedByDash || keyAt(0).size() < 2 || keyAt(0).size() > 6)
        return 0;
    const QChar afterTitleWord = m_text[m_tokens[1].end]; // a dotted title follows
    if (afterTitleWord != u'.' && afterTitleWord != u'-')
        return 0;
    if (std::any_of(m_text.begin(), m_text.end(), [](QChar c) { return c.isUpper(); })
        || std::any_of(m_tokens.cbegin() + 3, m_tokens.cend(), [](const Token &t) { return t.joinedByDash; })
        || std::none_of(m_tags.cbegin(), m_tags.cend(), [](const TagAt &at) {
               return at.tag && ReleaseTags::isStrong(at.tag->kind);
           }))
        return 0;
    const int end = isKindAt(1, Kind::Release) && m_tokens[2].joinedByDash ? 2 : 1;
    // "spider-man.2002": a title of one word after the dash is the title's
    // own, unless a release word stands between them.
    int words = 0;
    for (int i = end; i < size() && !isYearAt(i) && !isStrongAt(i); ++i)
        ++words;
    return words >= (end == 2 ? 1 : 2) ? end : 0;
}

// "www.site.com", or "site.org" before " - ": the token after it.
int ReleaseReader::websiteEnd(int i) const
{
    if (keyAt(i) == u"WWW") {
        for (int j = i + 1; j < std::min(size(), i + 5); ++j)
            if (ReleaseTags::isWebDomain(keyAt(j)) || softStopAt(j))
                return ReleaseTags::isWebDomain(keyAt(j)) ? j + 1 : j;
        return i;
    }
    if (i + 1 < size() && ReleaseTags::isWebDomain(keyAt(i + 1))
        && m_text.sliced(m_tokens[i].end, m_tokens[i + 1].start - m_tokens[i].end) == u"."
        && (i + 2 == size() || m_tokens[i + 2].startsSegment))
        return i + 2;
    return i;
}

// A recording date before the title, "09.03.08" or "2019.05.03": the token
// after it. Not a title made of numbers ("11.22.63.106").
int ReleaseReader::dateEnd(int i) const
{
    if (i + 3 >= size() || m_tokens[i + 3].digits > 0)
        return i;
    const Token &a = m_tokens[i], &b = m_tokens[i + 1], &c = m_tokens[i + 2];
    if (a.group >= 0 || b.digits != 2 || (a.digits != 2 && a.digits != 4)
        || (c.digits != 2 && c.digits != 4) || (a.digits == 4 && c.digits == 4))
        return i;
    const int first = a.digits == 4 ? b.number : a.number;
    const int second = a.digits == 4 ? c.number : b.number;
    const bool valid = first >= 1 && second >= 1 && first <= 31 && second <= 31
        && (first <= 12 || second <= 12);
    return valid ? i + 3 : i;
}

// "01 - Title": a collection's count before the title, not a show's name
// before its episode ("24 - S05E07").
int ReleaseReader::trackNumberEnd(int i) const
{
    const bool counted = m_tokens[i].digits > 0 && m_tokens[i].digits <= 2 && i + 1 < size()
        && m_tokens[i + 1].startsSegment && m_tokens[i + 1].digits == 0;
    return counted && !seasonAt(i + 1) && episodeWordAt(i + 1).episode < 0 ? i + 1 : i;
}

// A leading part of the name, up to a " - ", made only of tags: the token
// after it.
int ReleaseReader::tagSegmentEnd(int i) const
{
    int end = i + 1;
    while (end < size() && !m_tokens[end].startsSegment)
        ++end;
    if (end == size())
        return i;
    for (int j = i; j < end; j += m_tags[j].length)
        if (!isTagAt(j))
            return i;
    return end;
}

// The first season or episode marker from the title's first token on.
std::optional<Episode> ReleaseReader::findEpisode(int begin) const
{
    for (int i = begin; i < size(); ++i) {
        if (std::optional<Episode> found = seasonAt(i))
            return found;
        // An episode without its season ("Show Ep 05", "Show.E05"), but not
        // a film's episode in a saga ("Star.Wars.Episode.4.1977").
        const EpisodeNumber lone = episodeWordAt(i);
        if (lone.episode >= 0) {
            bool yearFollows = false;
            for (int j = lone.end; j < size() && !yearFollows; ++j)
                yearFollows = isYearAt(j);
            if (!yearFollows)
                return Episode{i, lone.end, std::max(lone.season, 1), {lone.episode}};
        }
    }
    return std::nullopt;
}

// A marker that starts with the season at token i: "S01E02", "1x02",
// "S2 (Ep 6)", "Season 2 Episode 3", "Temporada 1", "2nd Season", "S01".
std::optional<Episode> ReleaseReader::seasonAt(int i) const
{
    const QString &key = keyAt(i);
    const qsizetype letters = m_tokens[i].letters;
    const bool seasonWord = isWordAt(i, Kind::SeasonWord) && letters == key.size();
    const bool gluedSeasonWord = isWordAt(i, Kind::SeasonWord) && letters < key.size(); // "Temporada1"
    if (!(key[0] == u'S' || isDigit(key[0]) || seasonWord || gluedSeasonWord))
        return std::nullopt;
    Episode found{i, i + 1, -1, {}};
    if (readSeasonKey(key, found.season, found.episodes) || readCrossKey(key, found.season, found.episodes)) {
        // the season, and its episodes but for "S01"
    } else if (seasonWord && i + 1 < size() && m_tokens[i + 1].digits > 0 && !isYearAt(i + 1)) {
        found.season = m_tokens[i + 1].number;
        found.end = i + 2;
    } else if (seasonWord && i + 1 < size() && firstOfNumber(keyAt(i + 1)) >= 0) {
        found.season = firstOfNumber(keyAt(i + 1)); // "Season.2of5"
        found.end = i + 2;
    } else if (gluedSeasonWord) {
        qsizetype pos = letters;
        found.season = numberIn(key, pos, 4);
        if (pos != key.size())
            return std::nullopt;
    } else if (i + 1 < size() && isWordAt(i + 1, Kind::SeasonWord) && letters == 0) {
        qsizetype pos = 0; // "2nd Season"
        found.season = numberIn(key, pos, 2);
        const QStringView suffix = QStringView(key).sliced(pos);
        if (found.season < 0 || !(suffix == u"ST" || suffix == u"ND" || suffix == u"RD" || suffix == u"TH"))
            return std::nullopt;
        found.end = i + 2;
    } else {
        return std::nullopt;
    }
    if (found.episodes.isEmpty())
        findEpisodeAfterSeason(found);
    // "Open Season 2 (2008)", "Series 7 - The Contenders (2001)": a film's
    // words, where no episode follows.
    if (found.episodes.isEmpty() && (seasonWord || gluedSeasonWord))
        for (int j = found.end; j < size(); ++j)
            if (isYearAt(j))
                return std::nullopt;
    addFollowingEpisodes(found);
    return found;
}

EpisodeNumber ReleaseReader::episodeWordAt(int i) const
{
    const QString &key = keyAt(i);
    const qsizetype letters = m_tokens[i].letters;
    const bool lettersE = letters == 1 && key[0] == u'E';
    if (!lettersE && !isWordAt(i, Kind::EpisodeWord))
        return {};
    EpisodeNumber found;
    if (letters < key.size()) {
        qsizetype pos = letters;
        found.episode = numberIn(key, pos, 4);
        found.end = i + 1;
        if (pos != key.size())
            return {};
    } else if (!lettersE && i + 1 < size() && m_tokens[i + 1].digits > 0 && m_tokens[i + 1].digits <= 4
               && !isYearAt(i + 1)) {
        found.episode = m_tokens[i + 1].number;
        found.end = i + 2;
    } else {
        return {};
    }
    if (key.startsWith(u"CAP") && found.episode >= 100) {
        found.season = found.episode / 100;
        found.episode %= 100;
    }
    return found;
}

// The episode after a season marker: next to it ("S01.E03", "S2 (Ep 6)",
// "Season 2 1of4", "s03-x01", "Season 2 - 05"), or later behind an episode
// word ("Stagione 6 (2016) 720p ep13", "Temporada 1 [Cap.102]"). None for a
// whole season.
void ReleaseReader::findEpisodeAfterSeason(Episode &found) const
{
    const int p = found.end;
    if (p >= size())
        return;
    const QString &key = keyAt(p);
    int episode = -1, end = p + 1;
    qsizetype pos = 1;
    if (const EpisodeNumber word = episodeWordAt(p); word.episode >= 0) {
        episode = word.episode;
        end = word.end;
    } else if (key.startsWith(u'X') && (episode = numberIn(key, pos, 3)) >= 0 && pos == key.size()) {
    } else if ((episode = firstOfNumber(key)) >= 0) {
    } else if (int digits = 0; m_tokens[p].startsSegment && versionedNumber(m_tokens[p], digits) >= 0 && digits <= 3) {
        episode = versionedNumber(m_tokens[p], digits);
    }
    for (int i = p + 1; episode < 0 && i < size(); ++i) {
        const EpisodeNumber word = episodeWordAt(i);
        episode = word.episode;
        end = word.end;
    }
    if (episode >= 0) {
        found.episodes = {episode};
        found.end = std::max(found.end, end);
    }
}

// More episodes of a double or longer one: "S01E01E02" is read with its
// token; here "S01E01-E02", "S01E01-02", "1x01-1x02" and ranges.
void ReleaseReader::addFollowingEpisodes(Episode &found) const
{
    while (!found.episodes.isEmpty() && found.end < size()) {
        const Token &token = m_tokens[found.end];
        const int last = found.episodes.last();
        int season = -1, episode = -1;
        QList<int> more;
        if ((readSeasonKey(token.key, season, more) || readCrossKey(token.key, season, more))
            && season == found.season && !more.isEmpty()) {
            episode = more.last();
        } else if (token.key.startsWith(u'E') && !token.startsSegment) {
            qsizetype pos = 1;
            episode = numberIn(token.key, pos, 4);
            if (pos != token.key.size())
                episode = -1;
        } else if (token.joinedByDash && token.digits >= 2 && token.digits <= 3) {
            episode = token.number;
        }
        if (episode <= last || episode > last + 50)
            return;
        for (int next = token.joinedByDash ? last + 1 : episode; next <= episode; ++next)
            found.episodes.append(next);
        ++found.end;
    }
}

// A show's episode: the show's name is what stands before the marker, or,
// where the marker comes first, the part of the name after it.
bool ReleaseReader::readShow(const Episode &episode, int begin, ReleaseName &release) const
{
    int from = begin, to = episode.first;
    if (from == to) {
        from = episode.end;
        to = from;
        while (to < size() && (to == from || !softStopAt(to)) && !isTagAt(to))
            ++to;
        if (from == to)
            return false;
    } else {
        for (int i = from + 1; i < to; ++i)
            if (softStopAt(i)) {
                to = i;
                break;
            }
    }
    release.season = episode.season;
    release.episodes = episode.episodes;
    release.title = titleText(from, trimmedEnd(from, to, Trim::Show));
    return true;
}

// A film, or a show whose episode is a bare number after its name: the title
// runs to the release year, to the first picture or sound tag, part or
// extra, or to a bracket or " - " before them.
bool ReleaseReader::readFilm(int begin, ReleaseName &release) const
{
    int soft = -1, bracket = -1, hard = size();
    for (int i = begin + 1; i < size(); ++i) {
        if (soft < 0 && softStopAt(i))
            soft = i;
        if (bracket < 0 && m_tokens[i].group != m_tokens[i - 1].group)
            bracket = i;
        if (std::optional<Episode> episode = numericEpisodeAt(i, soft))
            return readShow(*episode, begin, release);
        if (isStrongAt(i) || isExtraAt(i) || (partAt(i).length > 0 && !yearFollows(i))) {
            hard = i;
            break;
        }
    }
    const int year = releaseYearAt(begin, hard);
    if (year >= 0 && isDateAt(year))
        return false; // a daily show or a recording: its date is all that tells it apart
    // Up to its year a title holds its own " - " and part ("Star Wars - The
    // Last Jedi 2017", "Dune Part Two 2024"); a bracket before it holds
    // another title ("Le Prestige (The Prestige)").
    int to = soft >= 0 ? soft : hard;
    if (year >= 0 && year < hard)
        to = bracket >= 0 && bracket < year ? bracket : year;
    const Part part = firstPart(to);
    if (year < 0 && part.length == 0 && (!hasReleaseTag() || onlyTags(begin, to)))
        return false; // nothing tells the title apart
    release.year = year >= 0 ? m_tokens[year].number : 0;
    release.part = part.text;
    release.title = titleText(begin, trimmedEnd(begin, to, to == year ? Trim::FilmBeforeYear : Trim::Film));
    return true;
}

// An episode written as a bare number after the show's name: "102" and
// "1013" (season, then two digits of episode), "001", or "Show - 05" and
// "[Group] Show 05 [720p]" as fansubs number them. Not a number of the
// title ("Zone 414 2021", "the.100.109").
std::optional<Episode> ReleaseReader::numericEpisodeAt(int i, int soft) const
{
    const Token &token = m_tokens[i];
    int digits = 0;
    const int number = versionedNumber(token, digits);
    if (digits < 2 || digits > 4 || number >= 1900)
        return std::nullopt;
    if (i + 1 < size() && (isYearAt(i + 1) || (m_tokens[i + 1].digits > 0 && !softStopAt(i + 1))))
        return std::nullopt;
    // Fansubs count episodes from the first on, whatever their digits.
    const bool alone = i + 1 == size() || softStopAt(i + 1);
    const bool fansubGroup = m_tokens[0].group >= 0 && token.group < 0;
    const bool fansub = (token.startsSegment && (i == soft || alone)) || (fansubGroup && alone);
    if ((fansub && (digits == 2 || fansubGroup)) || (digits == 3 && token.key.startsWith(u'0')))
        return Episode{i, i + 1, 1, {number}};
    if (digits == 2)
        return std::nullopt;
    if (token.group >= 0 && !aloneInBrackets(i))
        return std::nullopt;
    // "IMG_1234" is a camera's count, not an episode of a release.
    if (isWordAt(i - 1, Kind::PartWord) || (digits == 4 && !hasReleaseTag()))
        return std::nullopt;
    return Episode{i, i + 1, number / 100, {number % 100}};
}

// The release year's token: the last year before the first picture or sound
// tag, one alone in brackets first; else the first year after it; -1 when
// none. The title's first word is a title, whatever number it is ("1917").
int ReleaseReader::releaseYearAt(int begin, int hard) const
{
    // A number that belongs to a tag ("BT.2020") is no year.
    const auto next = [this](int i) { return i + std::max(1, m_tags[i].length); };
    int plain = -1, bracketed = -1;
    for (int i = begin + 1; i < hard; i = next(i))
        if (isYearAt(i))
            (aloneInBrackets(i) ? bracketed : plain) = i;
    if (bracketed >= 0)
        return bracketed;
    if (plain >= 0)
        return plain;
    for (int i = std::max(hard, begin + 1); i < size(); i = next(i))
        if (isYearAt(i))
            return i;
    return -1;
}

// "2024.01.15", the way daily shows are named: the year is a day's, not a
// film's.
bool ReleaseReader::isDateAt(int year) const
{
    const auto dayOrMonth = [this](int i, int most) {
        return i >= 0 && i < size() && m_tokens[i].digits > 0 && m_tokens[i].digits <= 2
            && m_tokens[i].number >= 1 && m_tokens[i].number <= most && !m_tags[i].tag;
    };
    return dayOrMonth(year + 1, 12) && dayOrMonth(year + 2, 31) && !softStopAt(year + 1)
        && !softStopAt(year + 2);
}

// "Moon_(2009)-x02-Making_Of": the second extra of a film's disc.
bool ReleaseReader::isExtraAt(int i) const
{
    const QString &key = keyAt(i);
    return m_tokens[i].joinedByDash && key.size() >= 2 && key.size() <= 4 && key[0] == u'X'
        && std::all_of(key.cbegin() + 1, key.cend(), isDigit);
}

Part ReleaseReader::partAt(int i) const
{
    const QString &key = keyAt(i);
    const qsizetype letters = m_tokens[i].letters;
    const QStringView word = QStringView(key).first(letters);
    int number = -1, length = 1;
    if (letters == 0) {
        number = firstOfNumber(key); // "1of2"
    } else if (!isWordAt(i, Kind::PartWord)) {
        return {};
    } else if (letters < key.size()) {
        qsizetype pos = letters; // "CD1", "PART2", "CD1of2"
        number = numberIn(key, pos, 2);
        if (pos != key.size() && firstOfNumber(QStringView(key).sliced(letters)) < 0)
            return {};
    } else if (i + 1 < size()) {
        static const QStringList romans{"I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX", "X"};
        static const QStringList words{"ONE", "TWO", "THREE", "FOUR", "FIVE", "SIX", "SEVEN", "EIGHT", "NINE", "TEN"};
        const QString &next = keyAt(i + 1);
        const int spelled = std::max(romans.indexOf(next), words.indexOf(next));
        number = m_tokens[i + 1].digits > 0 && m_tokens[i + 1].digits <= 2 ? m_tokens[i + 1].number
                 : spelled >= 0                                          ? spelled + 1
                                                                         : firstOfNumber(next);
        length = 2;
    }
    if (number <= 0)
        return {};
    if (word == u"CD")
        return {QStringLiteral("CD%1").arg(number), length};
    return {QStringLiteral("%1 %2").arg(word == u"DISK" || word == u"DISC" ? u"DISC" : u"PART").arg(number), length};
}

bool ReleaseReader::yearFollows(int i) const
{
    for (int j = i + 1; j < size(); ++j)
        if (isYearAt(j))
            return true;
    return false;
}

Part ReleaseReader::firstPart(int from) const
{
    for (int i = from; i < size(); ++i)
        if (const Part part = partAt(i); part.length > 0)
            return part;
    return {};
}

// The title's end once the tags, and for a show the year and country that
// tell it from another show of its name, are taken off its end. Right
// before a film's year only editions and release words go ("Alien DC 1979"):
// a language or "Web" there is the title's own ("The Girl in the Spiders
// Web 2019"). Never leaves less than a word, nor an article alone.
int ReleaseReader::trimmedEnd(int from, int to, Trim trim) const
{
    while (to - from > 1) {
        if (trim == Trim::Show && (isYearAt(to - 1) || isCountryAt(to - 1))) {
            --to;
            continue;
        }
        int length = 0;
        for (int k = 1; k <= std::min(3, to - from - 1) && length == 0; ++k) {
            const Tag *tag = tagEndingAt(to - k, to);
            if (tag && (trim != Trim::FilmBeforeYear || ReleaseTags::isStrong(tag->kind)
                        || tag->kind == Kind::Edition || tag->kind == Kind::Release))
                length = k;
        }
        // "The Collector", "The Final Cut": an article alone is no title.
        if (length == 0 || (to - length - from == 1 && isWordAt(from, Kind::Article)))
            break;
        to -= length;
    }
    return to;
}

bool ReleaseReader::hasReleaseTag() const
{
    return std::any_of(m_tags.cbegin(), m_tags.cend(), [](const TagAt &at) {
        return at.tag && ReleaseTags::isReleaseTag(at.tag->kind);
    });
}

bool ReleaseReader::onlyTags(int from, int to) const
{
    for (int i = from; i < to; i += m_tags[i].length)
        if (!isTagAt(i))
            return false;
    return true;
}

// A letter of initials, "S.H.I.E.L.D.": one letter with a dot to another.
bool ReleaseReader::isInitialAt(int i) const
{
    const auto letter = [this](int j) {
        return j >= 0 && j < size() && keyAt(j).size() == 1 && keyAt(j)[0].isLetter();
    };
    const auto dotted = [&](int a) {
        return letter(a) && letter(a + 1) && m_tokens[a + 1].start - m_tokens[a].end == 1
            && m_text[m_tokens[a].end] == u'.';
    };
    return letter(i) && (dotted(i - 1) || dotted(i));
}

// The name's separators as a title shows them: dots, underscores and a lone
// "+" are blanks, but not the dots of initials; so are dashes in a name
// that has no other separators ("The-Matrix-1999"); other punctuation stays.
QString ReleaseReader::separatorText(int before, int after, bool dashesAreBlanks) const
{
    const QStringView between = m_text.sliced(m_tokens[before].end,
                                              m_tokens[after].start - m_tokens[before].end);
    const bool initials = isInitialAt(before);
    if (initials && isInitialAt(after) && between == u".")
        return QStringLiteral(".");
    if (between == u"+" || (dashesAreBlanks && m_tokens[after].joinedByDash))
        return QStringLiteral(" ");
    QString text;
    for (qsizetype i = 0; i < between.size(); ++i) {
        const QChar c = between[i];
        if (i == 0 && c == u'.' && initials)
            text += QStringLiteral(". ");
        else
            text += c == u'.' || c == u'_' || c.isSpace() || c.unicode() < 0x20 ? u' ' : c;
    }
    return text;
}

// The title's words with single blanks between them; "Simpsons, The" is
// "The Simpsons", "Misérables, Les" is "Les Misérables".
QString ReleaseReader::titleText(int from, int to) const
{
    bool dashesAreBlanks = to < size() && m_tokens[to].joinedByDash;
    for (int i = from + 1; i < to; ++i)
        dashesAreBlanks = dashesAreBlanks && m_tokens[i].joinedByDash;
    QString text;
    for (int i = from; i < to; ++i) {
        if (i > from)
            text += separatorText(i - 1, i, dashesAreBlanks);
        text += m_text.sliced(m_tokens[i].start, m_tokens[i].end - m_tokens[i].start);
    }
    const qsizetype end = m_tokens[to - 1].end;
    if (isInitialAt(to - 1) && end < m_text.size() && m_text[end] == u'.')
        text += u'.';
    text = text.simplified();
    const qsizetype comma = text.lastIndexOf(u',');
    if (comma > 0) {
        const QString article = text.sliced(comma + 1).trimmed();
        if (isWordOf(ReleaseTags::key(article), Kind::Article))
            text = article + u' ' + text.left(comma).trimmed();
    }
    return text;
}

// The name without its extension; the extension, as written, when the text
// after the last dot is one ("DD5.1", "H.264" and "-GROUP" are none).
QStringView withoutExtension(const QString &fileName, QString &extension)
{
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot < 0)
        return fileName;
    const QStringView after = QStringView(fileName).sliced(dot + 1);
    if (ReleaseTags::extensionKind(after) == ReleaseTags::Extension::None)
        return fileName;
    extension = after.toString();
    return QStringView(fileName).first(dot);
}

// The text with none of the characters that FAT, exFAT or NTFS refuse, nor
// control characters: blanks stand for them, squeezed with the others.
QString forFileSystems(const QString &text)
{
    static const QString refused = QStringLiteral(":*?\"<>|\\/");
    QString clean = text;
    for (QChar &c : clean)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || refused.contains(c))
            c = u' ';
    clean = clean.simplified();
    while (clean.startsWith(u'.'))
        clean = clean.sliced(1).trimmed();
    return clean;
}

// What follows the title in a clean name: " (YEAR)" or " S01E02", the
// part, the subtitle's tags and the extension.
QString cleanTail(const ReleaseName &release)
{
    QString tail;
    if (release.isEpisode()) {
        tail = QStringLiteral(" S") + twoDigits(release.season);
        if (release.episodes.size() > 2)
            tail += u'E' + twoDigits(release.episodes.first()) + QStringLiteral("-E")
                + twoDigits(release.episodes.last());
        else
            for (const int episode : release.episodes)
                tail += u'E' + twoDigits(episode);
    } else if (release.year > 0) {
        tail = QStringLiteral(" (%1)").arg(release.year);
    }
    if (!release.part.isEmpty())
        tail += u' ' + release.part;
    for (const QString &tag : release.subtitleTags)
        tail += u'.' + tag;
    if (!release.extension.isEmpty())
        tail += u'.' + release.extension;
    return tail;
}

} // namespace

std::optional<ReleaseName> parseReleaseName(const QString &fileName, int latestYear)
{
    if (fileName.size() > LongestName || fileName.contains(QChar::ReplacementCharacter))
        return std::nullopt;
    ReleaseName release;
    const QString trimmed = fileName.trimmed();
    const QStringView name = withoutExtension(trimmed, release.extension);
    if (ReleaseTags::extensionKind(release.extension) == ReleaseTags::Extension::Unfinished)
        return std::nullopt; // still downloading: its name is the downloader's
    return ReleaseReader(name, latestYear).read(release);
}

QString cleanReleaseName(const ReleaseName &release)
{
    const QString tail = cleanTail(release);
    // A dot that ends the title ("R.I.P.D.") gives way to the extension's.
    const bool dotFollows = tail.isEmpty() || tail.startsWith(u'.');
    const auto settled = [dotFollows](QString title) {
        title = title.trimmed();
        while (dotFollows && title.endsWith(u'.'))
            title = title.chopped(1).trimmed();
        return title;
    };
    const QString title = settled(forFileSystems(release.title));
    return title.isEmpty() ? QString() : upperCased(title + tail);
}

QString cleanReleaseBase(const ReleaseName &release)
{
    ReleaseName base = release;
    base.subtitleTags.clear();
    base.extension.clear();
    return cleanReleaseName(base);
}
