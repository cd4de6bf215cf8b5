// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

// The words that release names carry besides their titles, as TITLES knows
// them: every tag word, the words that lead to a season, an episode or a
// part, and the extensions, listed in one place. Words are looked up by
// their key, so "WEB-DL", "WEB.DL", "web dl" and "WEBDL" are one word.
namespace ReleaseTags {

enum class Kind : quint8 {
    // The picture and sound: never a word of a title.
    Resolution,
    Source,
    VideoCodec,
    Audio,
    // Tags that can also be words of a title ("CAM", "Extended", "French").
    Format,
    Service,
    DynamicRange,
    Edition,
    Release,
    Language,
    // Only where a subtitle's name ends ("IT", "NO" are words elsewhere).
    SubtitleLanguage,
    SubtitleFlag,
    // Not tags: a show's country, a title's article, a genre or a
    // broadcaster that some names carry around their titles, and the words
    // before a season, an episode, a chapter or a part number.
    Country,
    Article,
    Genre,
    Broadcaster,
    SeasonWord,
    EpisodeWord,
    ChapterWord,
    PartWord,
};

struct Tag {
    Kind kind;
    // A language's code as players name subtitle files ("EN"), or a
    // subtitle flag as written there ("FORCED"); empty for other words.
    QString code;
};

// The key under which a word is listed: its letters and digits, upper-cased.
QString key(QStringView text);
// The same, appended to key.
void appendKey(QStringView text, QString &key);

// A digit as release names count: other scripts' digits are a title's letters.
inline bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The word that a key names, from the tables or from the families that
// numbers make ("1080p", "10bit", "DD5", "700MB"); nullptr when none.
const Tag *find(QStringView key);

// The word that a key names in the tables alone. A tag over several words
// of a name that starts with a number is a listed one ("5.1", "7.1.4"):
// "3.720p" is a number and a resolution, not "3720p".
const Tag *findListed(QStringView key);

// Whether a listed key of more than one word goes on from this one: "DTSHD"
// from "DTS", so that "DTS-HD MA" is read as one tag.
bool continues(QStringView key);

// Whether the kind is a tag of the picture or sound, which no title holds.
bool isStrong(Kind kind);

// Whether the kind is a release tag at all (not a season or part word, nor
// a subtitle's own flag).
bool isReleaseTag(Kind kind);

enum class Extension : quint8 { None, Video, Subtitle, Other, Unfinished };

// What the text after a name's last dot is: a known extension of video,
// subtitle or other files that travel with releases, one of a download
// not yet finished ("part", "crdownload"), or none.
Extension extensionKind(QStringView extension);

// Whether the key is the last part of a web site's name ("COM", "ORG").
bool isWebDomain(QStringView key);

} // namespace ReleaseTags
