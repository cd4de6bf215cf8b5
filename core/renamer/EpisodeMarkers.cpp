#include "core/renamer/EpisodeMarkers.h"

#include <algorithm>
#include <initializer_list>

using ReleaseTags::isDigit;
using ReleaseTags::Kind;

namespace {

// What a form reads.
enum class Role : quint8 {
    Whole,   // a season with its episode
    Season,  // a season: a whole one, or its episode follows
    Episode, // an episode after its season, or alone: then of the first season, or of its chapter's
    Follow,  // an episode, only right after its season
    More,    // a further episode of a double or longer one
};

struct Form {
    Role role;
    const char *pattern;
};

// The forms of season and episode markers, one a line. A form's words are
// separated by blanks, each matched against one word's key (its letters and
// digits, upper-cased):
//   capitals    those letters
//   s e         the season's, the episode's digits (s2, e2: exactly two)
//   c           a chapter, as Spanish releases count: 204 is season 2, episode 4
//   y           a year that numbers its season
//   n           a number that is read past ("of 21")
//   <season> <episode> <chapter>   a listed season, episode or chapter word
//   <nth>       an ordinal's ending: ST, ND, RD, TH
// A word may start with how it is joined to the one before (else by any
// separator but " - "): * any, ~ after " - ", - a lone dash, . one dot,
// _ one underscore, [ the first word of its brackets; and end with ] for the
// last word of its brackets. A word that ends with an episode's digits may go on
// with more of them ("E02E03", "x03") and a fansub's version ("v2").
// The first form that matches is read: longer forms stand first.
const Form forms[] = {
    {Role::Whole, "SsEe"},                   // S01E02, s1e2, S2013E25, S20E142, S01E06v2, S01E01E02E03
    {Role::Whole, "SsXEe"},                  // S06xE01
    {Role::Whole, "SsEPe"},                  // S6Ep5
    {Role::Whole, "SsXe"},                   // s01x01
    {Role::Whole, "Ss2e2"},                  // S0201 (but S2019 is the season of a year)
    {Role::Whole, "sXe"},                    // 1x02, 01x02, 1940x01, 1x02x03
    {Role::Whole, "[s e]"},                  // [01.01], [2.10]
    {Role::Whole, "s <season> e <episode>"}, // 2.Sezon.7.Bolum
    {Role::Whole, "SE s <episode> e"},       // Se.3 afl.3
    {Role::Whole, "y Ee"},                   // 2019.E05: a show that numbers its seasons by year
    {Role::Whole, "y eOFn"},                 // 2013.14of21
    {Role::Whole, "y e OF n"},               // 2013.14.of.21

    {Role::Season, "Ss"},                    // S01, S2
    {Role::Season, "<season> sOFn"},         // Season.2of5
    {Role::Season, "<season> s"},            // Season 2, Series 7, Temporada 2
    {Role::Season, "<season>s"},             // Temporada1
    {Role::Season, "s<nth> <season>"},       // 2nd Season

    {Role::Episode, "Ee"},                   // E05, E10478
    {Role::Episode, "<episode>e"},           // Ep5, ep13
    {Role::Episode, "<episode> e"},          // Ep 6, Episode.5, afl.3, Folge 12
    {Role::Episode, "<chapter>c"},           // Cap102
    {Role::Episode, "<chapter> c"},          // Cap.204

    {Role::Follow, "E e"},                   // S2 E 02, S01.E.01
    {Role::Follow, "Xe"},                    // s03-x01
    {Role::Follow, "eOFn"},                  // Season 2 1of4
    {Role::Follow, "e OF n"},                // Season 2 1 of 4
    {Role::Follow, "~e"},                    // S2 - 11, Saison 2 - 07, 2nd Season - 24

    {Role::More, "Ee"},                      // S01E01-E02, S01E01.E02
    {Role::More, "-e"},                      // S01E01-02
    {Role::More, "*SsEe"},                   // S01E01-S01E02, S01E01 - S01E03
    {Role::More, "*sXe"},                    // 1x01-1x02
    {Role::More, ".e"},                      // S03E21.22: only the next one
    {Role::More, "_c"},                      // Cap.408_409: only the next one
};

struct Piece {
    enum Type : quint8 { Letters, Word, Ordinal, Number } type = Letters;
    QString letters;
    Kind kind = Kind::SeasonWord;
    char number = 0; // s, e, c, y or n
    int width = 0;   // how many digits exactly; 0: one up to the most that number has
};

struct WordPattern {
    char joint = 0;
    bool closesBrackets = false;
    QList<Piece> pieces;
};

struct ReadyForm {
    Role role;
    QList<WordPattern> words;
};

QList<Piece> readPieces(QStringView text)
{
    QList<Piece> pieces;
    for (qsizetype i = 0; i < text.size();) {
        Piece piece;
        if (text[i] == u'<') {
            const qsizetype close = text.indexOf(u'>', i);
            const QStringView name = text.sliced(i + 1, close - i - 1);
            i = close + 1;
            piece.type = name == u"nth" ? Piece::Ordinal : Piece::Word;
            piece.kind = name == u"season" ? Kind::SeasonWord : name == u"episode" ? Kind::EpisodeWord : Kind::ChapterWord;
        } else if (text[i].isLower()) {
            piece.type = Piece::Number;
            piece.number = char(text[i++].unicode());
            if (i < text.size() && isDigit(text[i]))
                piece.width = text[i++].digitValue();
        } else {
            while (i < text.size() && text[i].isUpper())
                piece.letters += text[i++];
        }
        pieces.append(piece);
    }
    return pieces;
}

const QList<ReadyForm> &readyForms()
{
    static const QList<ReadyForm> ready = [] {
        QList<ReadyForm> all;
        for (const Form &form : forms) {
            ReadyForm made{form.role, {}};
            for (QString word : QString::fromLatin1(form.pattern).split(u' ')) {
                WordPattern pattern;
                if (QStringLiteral("*~-._[").contains(word[0])) {
                    pattern.joint = char(word[0].unicode());
                    word.remove(0, 1);
                }
                if (word.endsWith(u']')) {
                    pattern.closesBrackets = true;
                    word.chop(1);
                }
                pattern.pieces = readPieces(word);
                made.words.append(pattern);
            }
            all.append(made);
        }
        return all;
    }();
    return ready;
}

// What a form read, from its first token to end.
struct Reading {
    Role role = Role::Whole;
    char joint = 0;
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

// Reads the forms of one word against the tokens.
class FormMatcher {
public:
    explicit FormMatcher(const ReleaseTokens &tokens)
        : t(tokens)
    {
    }

    // The first form of those roles that matches from token i on.
    std::optional<Reading> read(int i, std::initializer_list<Role> roles) const;

private:
    bool mayStart(int i, const Piece &first) const;
    bool joined(int i, const WordPattern &word, bool first) const;
    bool matchWord(int i, const WordPattern &word, Reading &reading) const;
    bool readNumber(int i, const Piece &piece, qsizetype &pos, Reading &reading) const;
    static bool readRun(QStringView rest, Reading &reading);

    const ReleaseTokens &t;
};

std::optional<Reading> FormMatcher::read(int i, std::initializer_list<Role> roles) const
{
    if (i >= t.size())
        return std::nullopt;
    for (const ReadyForm &form : readyForms()) {
        if (std::find(roles.begin(), roles.end(), form.role) == roles.end()
            || !mayStart(i, form.words[0].pieces[0]) || i + form.words.size() > t.size())
            continue;
        Reading reading;
        reading.role = form.role;
        reading.joint = form.words[0].joint;
        bool matched = true;
        for (int k = 0; matched && k < form.words.size(); ++k)
            matched = joined(i + k, form.words[k], k == 0 && form.role != Role::More)
                && matchWord(i + k, form.words[k], reading);
        if (matched) {
            reading.end = i + int(form.words.size());
            return reading;
        }
    }
    return std::nullopt;
}

// A quick look at the word's first character before the whole form is tried.
bool FormMatcher::mayStart(int i, const Piece &first) const
{
    switch (first.type) {
    case Piece::Letters:
        return t.key(i).startsWith(first.letters[0]);
    case Piece::Word:
        return t.isWord(i, first.kind);
    case Piece::Number:
        return isDigit(t.key(i)[0]);
    case Piece::Ordinal:
        break;
    }
    return false;
}

bool FormMatcher::joined(int i, const WordPattern &word, bool first) const
{
    const Token &token = t[i];
    if (word.closesBrackets
        && (token.group < 0 || t[i - 1].group != token.group || (i + 1 < t.size() && t[i + 1].group == token.group)))
        return false;
    switch (word.joint) {
    case '*':
        return true;
    case '~':
        return token.startsSegment;
    case '-':
        return token.joinedByDash;
    case '.':
        return i > 0 && t.between(i - 1, i) == u".";
    case '_':
        return i > 0 && t.between(i - 1, i) == u"_";
    case '[':
        return token.group >= 0 && (i == 0 || t[i - 1].group != token.group);
    default:
        return first || !token.startsSegment;
    }
}

bool FormMatcher::matchWord(int i, const WordPattern &word, Reading &reading) const
{
    const QString &key = t.key(i);
    qsizetype pos = 0;
    for (const Piece &piece : word.pieces) {
        const QStringView rest = QStringView(key).sliced(pos);
        switch (piece.type) {
        case Piece::Letters:
            if (!rest.startsWith(piece.letters))
                return false;
            pos += piece.letters.size();
            break;
        case Piece::Word:
            if (pos != 0 || !t.isWord(i, piece.kind))
                return false;
            pos = t[i].letters;
            break;
        case Piece::Ordinal:
            if (!(rest == u"ST" || rest == u"ND" || rest == u"RD" || rest == u"TH"))
                return false;
            pos += 2;
            break;
        case Piece::Number:
            if (!readNumber(i, piece, pos, reading))
                return false;
            break;
        }
    }
    const Piece &last = word.pieces.last();
    return pos == key.size()
        || (last.type == Piece::Number && last.number == 'e' && readRun(QStringView(key).sliced(pos), reading));
}

bool FormMatcher::readNumber(int i, const Piece &piece, qsizetype &pos, Reading &reading) const
{
    const QString &key = t.key(i);
    qsizetype end = pos;
    while (end < key.size() && isDigit(key[end]))
        ++end;
    const qsizetype run = end - pos;
    const int most = piece.number == 'e' ? 5 : piece.number == 'n' ? 3 : 4;
    if (piece.width > 0 ? run < piece.width : run == 0 || run > most)
        return false;
    const int runValue = QStringView(key).sliced(pos, run).toInt();
    if (piece.width > 0)
        end = pos + piece.width;
    const int value = QStringView(key).sliced(pos, end - pos).toInt();
    // A year is no episode nor chapter, nor the season a season word numbers
    // ("Series 2013"), nor one of a run of digits ("S2019").
    const bool year = run == 4 && t.isYearNumber(runValue);
    const bool wholeToken = pos == 0 && end == key.size();
    pos = end;
    switch (piece.number) {
    case 's':
        reading.season = value;
        return !year || (!wholeToken && piece.width == 0);
    case 'e':
        reading.episodes.append(value);
        return !(year && wholeToken);
    case 'c':
        reading.chapter = value;
        return !(year && wholeToken);
    case 'y':
        reading.season = value;
        return year && wholeToken && !t.aloneInBrackets(i);
    default:
        return true;
    }
}

// More episodes glued to an episode ("E02E03", "x03"), and a fansub's
// version at the end ("v2").
bool FormMatcher::readRun(QStringView rest, Reading &reading)
{
    while (!rest.isEmpty()) {
        if (rest.size() <= 3 && rest[0] == u'V' && rest.size() > 1
            && std::all_of(rest.begin() + 1, rest.end(), isDigit))
            return true;
        qsizetype pos = rest.startsWith(u"XE") || rest.startsWith(u"EP") ? 2 : rest[0] == u'E' || rest[0] == u'X' ? 1 : 0;
        const int episode = pos > 0 ? numberIn(rest, pos, 5) : -1;
        if (episode < 0)
            return false;
        reading.episodes.append(episode);
        rest = rest.sliced(pos);
    }
    return true;
}

// Finds markers and tells them from a film's words.
class MarkerFinder {
public:
    explicit MarkerFinder(const ReleaseTokens &tokens)
        : t(tokens)
        , m_forms(tokens)
    {
    }

    std::optional<EpisodeMarker> at(int i) const;

private:
    bool mayStart(int i) const;
    std::optional<EpisodeMarker> seasonAlone(EpisodeMarker found) const;
    bool yearFollows(int from) const;
    void addMore(EpisodeMarker &found) const;

    const ReleaseTokens &t;
    FormMatcher m_forms;
};

std::optional<EpisodeMarker> MarkerFinder::at(int i) const
{
    if (!mayStart(i))
        return std::nullopt;
    const std::optional<Reading> read = m_forms.read(i, {Role::Whole, Role::Season, Role::Episode});
    if (!read)
        return std::nullopt;
    EpisodeMarker found{i, read->end, read->season, read->named()};
    if (read->role == Role::Episode) {
        if (yearFollows(read->end))
            return std::nullopt; // "Star.Wars.Episode.4.1977": a film's episode in its saga
        found.season = read->chapter >= 100 ? read->chapter / 100 : 1;
    } else if (read->role == Role::Season) {
        const std::optional<Reading> next = m_forms.read(read->end, {Role::Episode, Role::Follow});
        if (!next)
            return seasonAlone(found);
        found.episodes = next->named();
        found.end = next->end;
    }
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
        || (token.word && (token.word->kind == Kind::SeasonWord || token.word->kind == Kind::EpisodeWord
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
        const std::optional<Reading> later = mayStart(j) ? m_forms.read(j, {Role::Whole, Role::Episode}) : std::nullopt;
        if (later && later->role == Role::Whole)
            return at(j);
        if (later) {
            found.episodes = later->named();
            found.end = later->end;
            addMore(found);
            return found;
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
        const std::optional<Reading> more = m_forms.read(found.end, {Role::More});
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
    if (i + 1 < tokens.size()
        && (tokens.isYear(i + 1) || (tokens[i + 1].digits > 0 && !tokens.softStop(i + 1))))
        return std::nullopt;
    // Fansubs count episodes from the first on, whatever their digits.
    const bool alone = i + 1 == tokens.size() || tokens.softStop(i + 1);
    const bool fansubGroup = tokens[0].group >= 0 && token.group < 0;
    const bool fansub = (token.startsSegment && (i == soft || alone)) || (fansubGroup && alone);
    if ((fansub && (digits == 2 || fansubGroup)) || (digits == 3 && token.key.startsWith(u'0')))
        return EpisodeMarker{i, i + 1, 1, {number}};
    if (digits == 2 || (token.group >= 0 && !tokens.aloneInBrackets(i)))
        return std::nullopt;
    // "IMG_1234" is a camera's count, not an episode of a release.
    if (tokens.isWord(i - 1, Kind::PartWord) || (digits == 4 && !tokens.hasReleaseTag()))
        return std::nullopt;
    return EpisodeMarker{i, i + 1, number / 100, {number % 100}};
}
