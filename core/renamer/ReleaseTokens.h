// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/renamer/ReleaseTags.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// A word of a release name, as far as the separators around it.
struct Token {
    qsizetype start = 0;
    qsizetype end = 0;
    QStringView key;                        // ReleaseTags::key of its text
    int group = -1;                         // the bracket group it stands in; -1 outside brackets
    bool startsSegment = false;             // " - ", "--" or ".-." stands before it
    bool joinedByDash = false;              // a lone dash stands before it: "x264-GROUP"
    int digits = 0;                         // how many digits it is, when it is only digits
    int number = -1;                        // their value, for at most six
    int letters = 0;                        // how many characters of its key come before a digit
    const ReleaseTags::Tag *word = nullptr; // the listed word those make: "CD" of "CD1", "EP" of "EP5"
    const ReleaseTags::Tag *tag = nullptr;  // the longest listed word that starts here: "DTS-HD.MA"
    int tagLength = 0;                      // how many tokens that word spans
    bool insideTag = false;                 // a word that starts before spans this one: "1" of "DD5.1"
};

// The number in the key from pos on, of at most maxDigits digits, with pos
// after it; -1 when none stands there or more digits follow.
int numberIn(QStringView key, qsizetype &pos, int maxDigits);

// "2OF5": its first number; -1 for other keys.
int firstOfNumber(QStringView key);

// Whether the key is a listed word of that kind.
bool isWordOf(QStringView key, ReleaseTags::Kind kind);

// The words of a release name (without its extension), with the tag each
// starts and what the readers of titles and episodes ask of them. A
// subtitle's languages and flags at the end of its name are taken off first.
class ReleaseTokens {
public:
    ReleaseTokens(QStringView text, int latestYear, bool subtitle);
    ReleaseTokens(const ReleaseTokens &) = delete; // its tokens' keys point into it
    ReleaseTokens &operator=(const ReleaseTokens &) = delete;

    int size() const { return int(m_tokens.size()); }
    const Token &operator[](int i) const { return m_tokens[i]; }
    QStringView key(int i) const { return m_tokens[i].key; }
    // The token as written, and what stands between two tokens.
    QStringView text(int i) const
    {
        return m_text.sliced(m_tokens[i].start, m_tokens[i].end - m_tokens[i].start);
    }
    QStringView between(int before, int after) const
    {
        return m_text.sliced(m_tokens[before].end, m_tokens[after].start - m_tokens[before].end);
    }
    QStringView name() const { return m_text; }
    // The subtitle's languages and flags, as players pair it: {"EN", "FORCED"}.
    const QStringList &subtitleTags() const { return m_subtitleTags; }

    // A year: from the first films (1888) to the latest year, in four digits.
    bool isYearNumber(int number) const { return number >= 1888 && number <= m_latestYear; }
    bool isYear(int i) const { return m_tokens[i].digits == 4 && isYearNumber(m_tokens[i].number); }
    // The listed tag that starts at token i, and how many tokens it spans.
    const ReleaseTags::Tag *tag(int i) const { return m_tokens[i].tag; }
    int tagLength(int i) const { return m_tokens[i].tagLength; }
    bool insideTag(int i) const { return m_tokens[i].insideTag; }
    bool isTag(int i) const { return tag(i) && ReleaseTags::isReleaseTag(tag(i)->kind); }
    bool isStrong(int i) const { return tag(i) && ReleaseTags::isStrong(tag(i)->kind); }
    bool isKind(int i, ReleaseTags::Kind kind) const { return tag(i) && tag(i)->kind == kind; }
    bool isWord(int i, ReleaseTags::Kind kind) const
    {
        return m_tokens[i].word && m_tokens[i].word->kind == kind;
    }
    bool hasReleaseTag() const { return m_releaseTags > 0; }
    bool hasStrongTag() const { return m_strongTags > 0; }
    // Whether tokens from to to hold only release tags.
    bool onlyTags(int from, int to) const;
    // The release tag made of the length tokens before end.
    const ReleaseTags::Tag *tagEndingAt(int end, int length) const;

    // Where a title stops even when more of the name follows: a bracket, or
    // a " - " before another part of the name.
    bool softStop(int i) const
    {
        return i > 0 && (m_tokens[i].group != m_tokens[i - 1].group || m_tokens[i].startsSegment);
    }
    // "[401]", "(2009)": the token is all that its brackets hold.
    bool aloneInBrackets(int i) const;
    // "The.Office.US": a country in capitals, not the word ("This.is.Us").
    bool isCountry(int i) const;
    // A letter of initials, "S.H.I.E.L.D.": one letter with a dot to another.
    bool isInitial(int i) const;
    // "2024.01.15": a year, a month and a day from token i on.
    bool isDateAt(int i) const;

private:
    void tokenize();
    void takeSubtitleTags();
    bool joinsTag(int before, int after) const;
    void findTag(int i);

    QStringView m_text;
    QString m_keys; // the tokens' keys, one after another
    QList<Token> m_tokens;
    QStringList m_subtitleTags;
    int m_latestYear;
    int m_releaseTags = 0;
    int m_strongTags = 0;
};
