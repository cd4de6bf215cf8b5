// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/renamer/ReleaseTokens.h"

#include <QVarLengthArray>

#include <algorithm>
#include <bitset>

using ReleaseTags::isDigit;
using ReleaseTags::Kind;
using ReleaseTags::Tag;

namespace {

bool isDash(QChar c)
{
    return c == u'-' || c == u'\u2013' || c == u'\u2014';
}

bool isOpening(QChar c)
{
    return c == u'(' || c == u'[' || c == u'{' || c == u'\u3010' || c == u'\u300C' || c == u'\u300E'
           || c == u'\u300A' || c == u'\uFF08';
}

bool isClosing(QChar c)
{
    return c == u')' || c == u']' || c == u'}' || c == u'\u3011' || c == u'\u300D' || c == u'\u300F'
           || c == u'\u300B' || c == u'\uFF09';
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
    return c.isSpace() || isDash(c) || isOpening(c) || isClosing(c) || c.category() == QChar::Other_Control;
}

// What a token's key is made of: its digits and value, and the listed word
// that its leading letters make.
void describe(Token &token)
{
    if (std::all_of(token.key.cbegin(), token.key.cend(), isDigit)) {
        token.digits = int(token.key.size());
        qsizetype pos = 0;
        token.number = numberIn(token.key, pos, 6);
    }
    while (token.letters < token.key.size() && !isDigit(token.key[token.letters]))
        ++token.letters;
    if (token.letters > 0)
        token.word = ReleaseTags::find(token.key.first(token.letters));
}

} // namespace

int numberIn(QStringView key, qsizetype &pos, int maxDigits)
{
    int value = 0, digits = 0;
    while (pos < key.size() && isDigit(key[pos])) {
        if (++digits > maxDigits)
            return -1;
        value = value * 10 + (key[pos++].unicode() - u'0');
    }
    return digits > 0 ? value : -1;
}

int firstOfNumber(QStringView key)
{
    qsizetype pos = 0;
    const int number = numberIn(key, pos, 3);
    if (number < 0 || !key.sliced(pos).startsWith(u"OF"))
        return -1;
    pos += 2;
    return numberIn(key, pos, 3) >= 0 && pos == key.size() ? number : -1;
}

bool isWordOf(QStringView key, Kind kind)
{
    const Tag *tag = ReleaseTags::find(key);
    return tag && tag->kind == kind;
}

ReleaseTokens::ReleaseTokens(QStringView text, int latestYear, bool subtitle)
    : m_text(text)
    , m_latestYear(latestYear)
{
    tokenize();
    if (subtitle)
        takeSubtitleTags();
    for (int i = 0; i < size(); ++i) {
        findTag(i);
        for (int j = i + 1; j < i + m_tokens[i].tagLength; ++j)
            m_tokens[j].insideTag = true;
        m_releaseTags += isTag(i);
        m_strongTags += isStrong(i);
    }
}

void ReleaseTokens::tokenize()
{
    // No key is longer than its text: the keys never move once written.
    m_keys.reserve(m_text.size());
    m_tokens.reserve(24);
    int depth = 0, groups = 0, group = -1, dashes = 0, run = 0;
    bool blank = false;
    for (qsizetype i = 0; i < m_text.size();) {
        const QChar c = m_text[i];
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
        while (i < m_text.size() && !isSeparator(m_text[i]))
            ++i;
        token.end = i;
        const qsizetype keyStart = m_keys.size();
        ReleaseTags::appendKey(m_text.sliced(token.start, i - token.start), m_keys);
        if (m_keys.size() == keyStart)
            continue; // a lone symbol ("™", "'") is no word: part of the separators
        token.key = QStringView(m_keys).sliced(keyStart);
        token.group = depth > 0 ? group : -1;
        token.startsSegment = dashes >= 2 || (dashes == 1 && blank);
        token.joinedByDash = dashes == 1 && run == 1;
        describe(token);
        m_tokens.append(token);
        dashes = run = 0;
        blank = false;
    }
}

// A subtitle's languages and flags at the end of its name, the way players
// pair it with its video ("Film.2010.en.forced.srt"), taken off the name.
void ReleaseTokens::takeSubtitleTags()
{
    const auto subtitleTag = [this](int length) -> const Tag * {
        QVarLengthArray<QChar, 32> key;
        for (int i = size() - length; i < size(); ++i)
            key.append(m_tokens[i].key.data(), m_tokens[i].key.size());
        const Tag *tag = ReleaseTags::find(QStringView(key.constData(), key.size()));
        const bool named = tag
                           && (tag->kind == Kind::Language || tag->kind == Kind::SubtitleLanguage
                               || tag->kind == Kind::SubtitleFlag);
        return named ? tag : nullptr;
    };
    while (size() > 1 && m_subtitleTags.size() < 3) {
        const int length = size() > 2 && subtitleTag(2) ? 2 : 1; // "pt-BR" before "BR"
        const Tag *tag = subtitleTag(length);
        if (!tag)
            break;
        m_subtitleTags.prepend(tag->code);
        m_tokens.resize(size() - length);
    }
}

// The longest listed word that starts at token i, over up to three tokens
// of one bracket group ("DTS-HD.MA", "H.264", "5.1"); a lone number is none.
void ReleaseTokens::findTag(int i)
{
    Token &token = m_tokens[i];
    QVarLengthArray<QChar, 64> key(token.key.begin(), token.key.end());
    for (int length = 1;; ++length) {
        const QStringView words(key.constData(), key.size());
        const Tag *tag = token.digits == 0 ? ReleaseTags::find(words)
                         : length > 1      ? ReleaseTags::findListed(words)
                                           : nullptr;
        if (tag) {
            token.tag = tag;
            token.tagLength = length;
        }
        if (length == 3 || i + length >= size() || !ReleaseTags::continues(words)
            || !joinsTag(i + length - 1, i + length))
            break;
        key.append(m_tokens[i + length].key.data(), m_tokens[i + length].key.size());
    }
}

// One dot, dash, blank, underscore or plus joins the words of a tag, in one
// bracket group; not a letter of initials ("S.H.I.E.L.D."), nor two lone
// letters ("The L D Files", "S H I E L D").
bool ReleaseTokens::joinsTag(int before, int after) const
{
    const QStringView joint = between(before, after);
    const bool letters = m_tokens[before].key.size() == 1 && m_tokens[after].key.size() == 1
                         && !isDigit(m_tokens[before].key[0]) && !isDigit(m_tokens[after].key[0]);
    return m_tokens[after].group == m_tokens[before].group && !m_tokens[after].startsSegment
           && joint.size() == 1 && QStringView(u".- _+").contains(joint[0]) && !isInitial(after) && !letters;
}

bool ReleaseTokens::onlyTags(int from, int to) const
{
    for (int i = from; i < to; i += std::max(1, tagLength(i)))
        if (!isTag(i))
            return false;
    return true;
}

const Tag *ReleaseTokens::tagEndingAt(int end, int length) const
{
    if ((length == 1 && m_tokens[end - 1].digits > 0)
        || (length > 1 && !joinsTag(end - length, end - length + 1))
        || (length > 2 && !joinsTag(end - 2, end - 1)))
        return nullptr;
    QVarLengthArray<QChar, 64> key;
    for (int i = end - length; i < end; ++i)
        key.append(m_tokens[i].key.data(), m_tokens[i].key.size());
    const QStringView words(key.constData(), key.size());
    const Tag *tag = m_tokens[end - length].digits > 0 ? ReleaseTags::findListed(words)
                                                       : ReleaseTags::find(words);
    return tag && ReleaseTags::isReleaseTag(tag->kind) ? tag : nullptr;
}

bool ReleaseTokens::aloneInBrackets(int i) const
{
    const int group = m_tokens[i].group;
    return group >= 0 && (i == 0 || m_tokens[i - 1].group != group)
           && (i + 1 == size() || m_tokens[i + 1].group != group);
}

bool ReleaseTokens::isCountry(int i) const
{
    const QStringView written = text(i);
    return isWordOf(key(i), Kind::Country)
           && std::none_of(written.begin(), written.end(), [](QChar c) { return c.isLower(); });
}

bool ReleaseTokens::isInitial(int i) const
{
    const auto letter = [this](int j) {
        return j >= 0 && j < size() && key(j).size() == 1 && key(j)[0].isLetter();
    };
    const auto dotted = [&](int a) {
        return letter(a) && letter(a + 1) && m_tokens[a + 1].start - m_tokens[a].end == 1
               && m_text[m_tokens[a].end] == u'.';
    };
    return letter(i) && (dotted(i - 1) || dotted(i));
}

bool ReleaseTokens::isDateAt(int i) const
{
    const auto dayOrMonth = [this](int j, int most) {
        return j < size() && m_tokens[j].digits > 0 && m_tokens[j].digits <= 2 && m_tokens[j].number >= 1
               && m_tokens[j].number <= most && !m_tokens[j].tag && !softStop(j);
    };
    return i >= 0 && i < size() && isYear(i) && dayOrMonth(i + 1, 12) && dayOrMonth(i + 2, 31);
}
