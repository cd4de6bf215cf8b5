// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/renamer/ReleaseName.h"

#include "core/renamer/ReleaseTags.h"
#include "core/renamer/ReleaseTokens.h"
#include "core/renamer/TitleReader.h"

#include <algorithm>

namespace {

// No file name is longer than 255 bytes; a far longer text is no name to read.
constexpr qsizetype LongestName = 1024;

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

// The tag of those tokens as a version label writes it: upper-cased, with
// blanks between its words ("WEB-DL", "DIRECTOR'S CUT").
QString labelText(const ReleaseTokens &tokens, int first, int last)
{
    QString text
        = tokens.name().sliced(tokens[first].start, tokens[last].end - tokens[first].start).toString();
    for (QChar &c : text)
        if (!c.isLetterOrNumber() && c != u'-' && c != u'\'')
            c = u' ';
    return std::move(text).simplified().toUpper();
}

} // namespace

std::optional<ReleaseName> parseReleaseName(const QString &fileName, int latestYear)
{
    if (fileName.size() > LongestName || fileName.contains(QChar::ReplacementCharacter))
        return std::nullopt;
    ReleaseName release;
    const QString trimmed = fileName.trimmed();
    const QStringView name = withoutExtension(trimmed, release.extension);
    const ReleaseTags::Extension kind = ReleaseTags::extensionKind(release.extension);
    if (kind == ReleaseTags::Extension::Unfinished)
        return std::nullopt; // still downloading: its name is the downloader's
    const ReleaseTokens tokens(name, latestYear, kind == ReleaseTags::Extension::Subtitle);
    release.subtitleTags = tokens.subtitleTags();
    if (!readTitle(tokens, release)
        || std::none_of(release.title.cbegin(), release.title.cend(),
                        [](QChar c) { return c.isLetterOrNumber(); }))
        return std::nullopt;
    return release;
}

// Of each kind the last, as a title's own word ("The Final Cut") stands
// before the tags.
VersionTags readVersionTags(const QString &fileName, int latestYear)
{
    VersionTags tags;
    QString extension;
    const QString trimmed = fileName.trimmed();
    const ReleaseTokens tokens(withoutExtension(trimmed, extension), latestYear,
                               ReleaseTags::extensionKind(extension) == ReleaseTags::Extension::Subtitle);
    for (int i = 0; i < tokens.size(); ++i) {
        const ReleaseTags::Tag *tag = tokens.tag(i);
        if (!tag || tokens.insideTag(i))
            continue;
        QString *into = tag->kind == ReleaseTags::Kind::Resolution ? &tags.resolution
                        : tag->kind == ReleaseTags::Kind::Source   ? &tags.source
                        : tag->kind == ReleaseTags::Kind::Edition  ? &tags.edition
                                                                   : nullptr;
        if (into)
            *into = labelText(tokens, i, i + std::max(1, tokens.tagLength(i)) - 1);
    }
    return tags;
}
