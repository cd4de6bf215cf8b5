// The clean names that TITLES writes for what parseReleaseName read.

#include "core/renamer/ReleaseName.h"

#include "core/renamer/RenameRule.h"

namespace {

QString twoDigits(int number)
{
    return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
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

// What follows the title in a base name: " (YEAR)", " S01E02", the part.
QString baseTail(const ReleaseName &release)
{
    QString tail;
    if (release.year > 0)
        tail = QStringLiteral(" (%1)").arg(release.year);
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
    for (const QString &tag : release.subtitleTags)
        name += u'.' + tag;
    if (!release.extension.isEmpty())
        name += u'.' + upperCased(release.extension);
    return name;
}
