// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/renamer/Sidecars.h"

#include "core/renamer/ReleaseTags.h"

#include <QHash>
#include <QStringList>
#include <algorithm>

namespace Sidecars {

namespace {

enum class Sidecar { None, Subtitle, Picture, Information };

// What kind of sidecar a file with this extension is, letter case aside.
Sidecar sidecarKind(QStringView extension)
{
    static const QHash<QString, Sidecar> kinds = [] {
        QHash<QString, Sidecar> kinds;
        for (const char *subtitle : {"srt", "ass", "ssa", "sub", "idx", "vtt", "sup", "smi"})
            kinds.insert(QString::fromLatin1(subtitle), Sidecar::Subtitle);
        for (const char *picture : {"jpg", "jpeg", "png", "tbn"})
            kinds.insert(QString::fromLatin1(picture), Sidecar::Picture);
        kinds.insert(QStringLiteral("nfo"), Sidecar::Information);
        return kinds;
    }();
    if (extension.size() < 3 || extension.size() > 4)
        return Sidecar::None;
    char16_t lower[4];
    for (qsizetype i = 0; i < extension.size(); ++i) {
        const char16_t c = extension[i].unicode();
        lower[i] = c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
    }
    return kinds.value(QString::fromRawData(reinterpret_cast<const QChar *>(lower), extension.size()),
                       Sidecar::None);
}

const QStringList artworkWords = {"-poster", "-fanart", "-thumb", "-landscape", "-banner", "-clearlogo"};
// The flags a subtitle's name may carry besides its language, as players
// and servers read them.
const QStringList subtitleFlags = {"FORCED", "SDH", "CC", "HI", "DEFAULT"};

bool listed(const QStringList &list, QStringView word)
{
    return std::any_of(list.cbegin(), list.cend(),
                       [word](const QString &item) { return word.compare(item, Qt::CaseInsensitive) == 0; });
}

QStringView extensionOf(QStringView fileName)
{
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return dot < 0 ? QStringView() : fileName.sliced(dot + 1);
}

// A language's code in lower case ("en", "pt-br"), where word names one.
QString languageCode(QStringView word)
{
    const ReleaseTags::Tag *tag = ReleaseTags::find(ReleaseTags::key(word));
    if (!tag
        || (tag->kind != ReleaseTags::Kind::Language && tag->kind != ReleaseTags::Kind::SubtitleLanguage))
        return {};
    return tag->code.toLower();
}

bool isFlag(QStringView word)
{
    return listed(subtitleFlags, ReleaseTags::key(word));
}

} // namespace

bool isSubtitleExtension(QStringView extension)
{
    return sidecarKind(extension) == Sidecar::Subtitle;
}

bool isSidecarExtension(QStringView extension)
{
    return sidecarKind(extension) != Sidecar::None;
}

QList<qsizetype> videoNameLengths(QStringView fileName)
{
    const QStringView extension = extensionOf(fileName);
    const Sidecar kind = sidecarKind(extension);
    if (kind == Sidecar::None)
        return {};
    qsizetype end = fileName.size() - extension.size() - 1;
    QList<qsizetype> lengths = {end};
    if (kind == Sidecar::Picture) {
        const QStringView stem = fileName.first(end);
        for (const QString &word : artworkWords)
            if (stem.endsWith(word, Qt::CaseInsensitive))
                lengths.append(end - word.size());
    } else if (kind == Sidecar::Subtitle) {
        // A language and a few flags at most: ".en.sdh.forced".
        for (int words = 0; words < 4; ++words) {
            const qsizetype dot = fileName.first(end).lastIndexOf(u'.');
            const QStringView word = fileName.sliced(dot + 1, end - dot - 1);
            if (dot <= 0 || (languageCode(word).isEmpty() && !isFlag(word)))
                break;
            end = dot;
            lengths.append(end);
        }
    }
    return lengths;
}

QString keptTail(QStringView fileName, qsizetype videoNameLength)
{
    return fileName.sliced(videoNameLength).toString().toLower();
}

QString subtitleFolderTags(QStringView fileName)
{
    const QStringView extension = extensionOf(fileName);
    const QStringView stem = fileName.first(fileName.size() - extension.size()
                                            - (extension.isEmpty() ? 0 : 1));
    QString language;
    QStringList flags, others;
    qsizetype start = -1;
    const auto word = [&](qsizetype end) {
        const QStringView text = stem.sliced(start, end - start);
        start = -1;
        if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); }))
            return; // "2_English.srt": the number of a track
        if (const QString code = languageCode(text); !code.isEmpty() && language.isEmpty())
            language = code;
        else if (isFlag(text))
            flags << text.toString().toLower();
        else
            others << text.toString().toLower();
    };
    for (qsizetype i = 0; i < stem.size(); ++i) {
        if (stem[i].isLetterOrNumber() || stem[i] == u'\'') {
            if (start < 0)
                start = i;
        } else if (start >= 0) {
            word(i);
        }
    }
    if (start >= 0)
        word(stem.size());
    QStringList parts;
    if (!language.isEmpty())
        parts << language;
    else if (!others.isEmpty())
        parts << others.join(u' ');
    parts += flags;
    return parts.isEmpty() ? QString() : u'.' + parts.join(u'.');
}

QString subtitleFolderTail(QStringView fileName, int number)
{
    QString tail = subtitleFolderTags(fileName);
    if (number > 1)
        tail += u'.' + QString::number(number);
    const QStringView extension = extensionOf(fileName);
    if (!extension.isEmpty())
        tail += u'.' + extension.toString().toLower();
    return tail;
}

bool isSubtitleFolder(QStringView folderName)
{
    return folderName.compare(u"subs", Qt::CaseInsensitive) == 0
           || folderName.compare(u"subtitles", Qt::CaseInsensitive) == 0;
}

} // namespace Sidecars
