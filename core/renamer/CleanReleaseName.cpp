// SPDX-License-Identifier: GPL-3.0-or-later
// The clean names that TITLES writes for what parseReleaseName read.

#include "core/renamer/ReleaseName.h"

#include "core/renamer/RenameRule.h"

#include <utility>

namespace {

QString twoDigits(int number)
{
    return number < 10 ? u'0' + QString::number(number) : QString::number(number);
}

// A character that FAT, exFAT or NTFS refuse in a name, or a control one.
bool isRefused(QChar c)
{
    const char16_t u = c.unicode();
    return u < 0x20 || u == 0x7F || u == u':' || u == u'*' || u == u'?' || u == u'"' || u == u'<' || u == u'>'
           || u == u'|' || u == u'\\' || u == u'/';
}

// The text with none of the characters that FAT, exFAT or NTFS refuse, nor
// control characters: blanks stand for them, squeezed with the others.
QString forFileSystems(const QString &text)
{
    QString clean = text;
    for (QChar &c : clean)
        if (isRefused(c))
            c = u' ';
    clean = std::move(clean).simplified();
    while (clean.startsWith(u'.'))
        clean = clean.sliced(1).trimmed();
    return clean;
}

// What follows the title in a base name: " (YEAR)", " S01E02", the part.
QString baseTail(const ReleaseName &release)
{
    QString tail;
    if (release.year > 0)
        tail = QStringLiteral(" (") + QString::number(release.year) + u')';
    if (release.isEpisode()) {
        tail += QStringLiteral(" S") + twoDigits(release.season);
        if (release.episodes.size() > 2)
            tail += u'E' + twoDigits(release.episodes.first()) + QStringLiteral("-E")
                    + twoDigits(release.episodes.last());
        else
            for (const int episode : release.episodes)
                tail += u'E' + twoDigits(episode);
    }
    if (!release.part.isEmpty())
        tail += u' ' + release.part;
    return tail;
}

} // namespace

QString cleanBaseName(const ReleaseName &release)
{
    QString base = forFileSystems(release.title);
    if (base.isEmpty())
        return {};
    base += baseTail(release);
    // A dot that ends the title ("U.N.C.L.E.") gives way to the extension's,
    // and a folder's name cannot end with one.
    while (base.endsWith(u'.') || base.endsWith(u' '))
        base.chop(1);
    return base.isEmpty() ? QString() : upperCased(base);
}

QString cleanReleaseName(const ReleaseName &release)
{
    QString name = cleanBaseName(release);
    if (name.isEmpty())
        return {};
    for (const QString &tag : release.subtitleTags) {
        name += u'.';
        name += tag;
    }
    if (!release.extension.isEmpty()) {
        name += u'.';
        name += upperCased(release.extension);
    }
    return name;
}
