// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/renamer/EpisodeForms.h"

#include <algorithm>

using ReleaseTags::isDigit;
using ReleaseTags::Kind;

namespace {

struct Form {
    EpisodeRole role;
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
//   <nth>       an ordinal's ending: ST, ND, RD, TH, ª, º
// A word may start with how it is joined to the one before (else by any
// separator but " - "): * any, ~ after " - ", - a lone dash, . one dot,
// _ one underscore, [ the first word of its brackets; and end with ] for the
// last word of its brackets. A word that ends with an episode's digits may go on
// with more of them ("E02E03", "x03") and a fansub's version ("v2").
// The first form that matches is read: longer forms stand first.
const Form forms[] = {
    {EpisodeRole::Whole, "SsEe"},                   // S01E02, s1e2, S2013E25, S20E142, S01E06v2, S01E01E02E03
    {EpisodeRole::Whole, "SsXEe"},                  // S06xE01
    {EpisodeRole::Whole, "SsEPe"},                  // S6Ep5
    {EpisodeRole::Whole, "SsXe"},                   // s01x01
    {EpisodeRole::Whole, "Ss2e2"},                  // S0201 (but S2019 is the season of a year)
    {EpisodeRole::Whole, "sXe"},                    // 1x02, 01x02, 1940x01, 1x02x03
    {EpisodeRole::Whole, "[s e]"},                  // [01.01], [2.10]
    {EpisodeRole::Whole, "s <season> e <episode>"}, // 2.Sezon.7.Bolum
    {EpisodeRole::Whole, "S s E e"},                // S 02 E 05
    {EpisodeRole::Whole, "SE s <episode> e"},       // Se.3 afl.3
    {EpisodeRole::Whole, "y Ee"},                   // 2019.E05: a show that numbers its seasons by year
    {EpisodeRole::Whole, "y eOFn"},                 // 2013.14of21
    {EpisodeRole::Whole, "y e OF n"},               // 2013.14.of.21

    {EpisodeRole::Season, "Ss"},              // S01, S2
    {EpisodeRole::Season, "<season> sOFn"},   // Season.2of5
    {EpisodeRole::Season, "<season> s"},      // Season 2, Series 7, Temporada 2
    {EpisodeRole::Season, "<season>s"},       // Temporada1
    {EpisodeRole::Season, "s<nth> <season>"}, // 2nd Season, 1ª Temporada

    {EpisodeRole::Episode, "Ee"},          // E05, E10478
    {EpisodeRole::Episode, "<episode>e"},  // Ep5, ep13
    {EpisodeRole::Episode, "<episode> e"}, // Ep 6, Episode.5, afl.3, Folge 12
    {EpisodeRole::Episode, "<chapter>c"},  // Cap102
    {EpisodeRole::Episode, "<chapter> c"}, // Cap.204

    {EpisodeRole::Follow, "E e"},    // S2 E 02, S01.E.01
    {EpisodeRole::Follow, "Xe"},     // s03-x01
    {EpisodeRole::Follow, "eOFn"},   // Season 2 1of4
    {EpisodeRole::Follow, "e OF n"}, // Season 2 1 of 4
    {EpisodeRole::Follow, "~e"},     // S2 - 11, Saison 2 - 07, 2nd Season - 24
    {EpisodeRole::Follow, "e"},      // 2nd Season 05

    {EpisodeRole::More, "Ee"},    // S01E01-E02, S01E01.E02
    {EpisodeRole::More, "-e"},    // S01E01-02
    {EpisodeRole::More, "*SsEe"}, // S01E01-S01E02, S01E01 - S01E03
    {EpisodeRole::More, "*sXe"},  // 1x01-1x02
    {EpisodeRole::More, ".e"},    // S03E21.22: only the next one
    {EpisodeRole::More, "_c"},    // Cap.408_409: only the next one
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
    EpisodeRole role;
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
            piece.kind = name == u"season"    ? Kind::SeasonWord
                         : name == u"episode" ? Kind::EpisodeWord
                                              : Kind::ChapterWord;
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

// Matches the forms against one name's tokens.
class FormMatcher {
public:
    explicit FormMatcher(const ReleaseTokens &tokens)
        : t(tokens)
    {}

    std::optional<EpisodeReading> read(int i, std::initializer_list<EpisodeRole> roles) const;

private:
    bool mayStart(int i, const Piece &first) const;
    bool joined(int i, const WordPattern &word, bool first) const;
    bool matchWord(int i, const WordPattern &word, EpisodeReading &reading) const;
    bool readNumber(int i, const Piece &piece, qsizetype &pos, EpisodeReading &reading) const;
    static bool readRun(QStringView rest, EpisodeReading &reading);

    const ReleaseTokens &t;
};

std::optional<EpisodeReading> FormMatcher::read(int i, std::initializer_list<EpisodeRole> roles) const
{
    if (i >= t.size())
        return std::nullopt;
    for (const ReadyForm &form : readyForms()) {
        if (std::find(roles.begin(), roles.end(), form.role) == roles.end()
            || !mayStart(i, form.words[0].pieces[0]) || i + form.words.size() > t.size())
            continue;
        EpisodeReading reading;
        reading.role = form.role;
        reading.joint = form.words[0].joint;
        bool matched = true;
        for (int k = 0; matched && k < form.words.size(); ++k)
            matched = joined(i + k, form.words[k], k == 0 && form.role != EpisodeRole::More)
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
        && (token.group < 0 || t[i - 1].group != token.group
            || (i + 1 < t.size() && t[i + 1].group == token.group)))
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

bool FormMatcher::matchWord(int i, const WordPattern &word, EpisodeReading &reading) const
{
    if (t.isStrong(i) || t.insideTag(i))
        return false; // "S02 5.1": the sound's channels
    const QStringView key = t.key(i);
    qsizetype pos = 0;
    for (const Piece &piece : word.pieces) {
        const QStringView rest = key.sliced(pos);
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
            if (!(rest == u"ST" || rest == u"ND" || rest == u"RD" || rest == u"TH" || rest == u"\u00AA"
                  || rest == u"\u00BA"))
                return false;
            pos = key.size();
            break;
        case Piece::Number:
            if (!readNumber(i, piece, pos, reading))
                return false;
            break;
        }
    }
    const Piece &last = word.pieces.last();
    return pos == key.size()
           || (last.type == Piece::Number && last.number == 'e' && readRun(key.sliced(pos), reading));
}

bool FormMatcher::readNumber(int i, const Piece &piece, qsizetype &pos, EpisodeReading &reading) const
{
    const QStringView key = t.key(i);
    qsizetype end = pos;
    while (end < key.size() && isDigit(key[end]))
        ++end;
    const qsizetype run = end - pos;
    const int most = piece.number == 'e' ? 5 : piece.number == 'n' ? 3 : 4;
    if (piece.width > 0 ? run < piece.width : run == 0 || run > most)
        return false;
    qsizetype at = pos;
    const int runValue = numberIn(key.first(end), at, 6);
    if (piece.width > 0)
        end = pos + piece.width;
    at = pos;
    const int value = numberIn(key.first(end), at, 6);
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
bool FormMatcher::readRun(QStringView rest, EpisodeReading &reading)
{
    while (!rest.isEmpty()) {
        if (rest.size() <= 3 && rest[0] == u'V' && rest.size() > 1
            && std::all_of(rest.begin() + 1, rest.end(), isDigit))
            return true;
        qsizetype pos = rest.startsWith(u"XE") || rest.startsWith(u"EP") ? 2
                        : rest[0] == u'E' || rest[0] == u'X'             ? 1
                                                                         : 0;
        const int episode = pos > 0 ? numberIn(rest, pos, 5) : -1;
        if (episode < 0)
            return false;
        reading.episodes.append(episode);
        rest = rest.sliced(pos);
    }
    return true;
}

} // namespace

std::optional<EpisodeReading> readEpisodeForm(const ReleaseTokens &tokens, int i,
                                              std::initializer_list<EpisodeRole> roles)
{
    return FormMatcher(tokens).read(i, roles);
}
