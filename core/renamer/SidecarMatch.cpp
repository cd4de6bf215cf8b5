// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/renamer/SidecarMatch.h"

#include "core/renamer/ReleasePlaces.h"
#include "core/renamer/Sidecars.h"

#include <QMultiHash>

namespace {

// A hash of a name that letter case does not change, so that no name is
// folded to find its video.
size_t foldedHash(QStringView text)
{
    size_t hash = 0;
    for (const QChar c : text) {
        char16_t folded = c.unicode();
        if (folded >= 0x80)
            folded = c.toCaseFolded().unicode();
        else if (folded >= u'A' && folded <= u'Z')
            folded += u'a' - u'A';
        hash = hash * 31 + folded;
    }
    return hash;
}

QStringView withoutExtension(const QString &name)
{
    return QStringView(name).first(name.lastIndexOf(u'.'));
}

// The video of videos whose name without extension is name, letter case
// aside: a listed one where two are; -1 for none.
int videoNamed(const FolderModel &model, const QMultiHash<size_t, int> &videos, const QSet<int> &listed,
               QStringView name)
{
    int found = -1;
    const size_t hash = foldedHash(name);
    for (auto video = videos.constFind(hash); video != videos.cend() && video.key() == hash; ++video)
        if (withoutExtension(model.name(video.value())).compare(name, Qt::CaseInsensitive) == 0
            && (found < 0 || listed.contains(video.value())))
            found = video.value();
    return found;
}

} // namespace

QHash<int, QList<SidecarOf>> matchSidecars(const ReleasePlace &folder, const QSet<int> &listed)
{
    const FolderModel &model = folder.model;
    QList<std::pair<int, QList<qsizetype>>> candidates;
    QSet<qsizetype> lengths; // only a video's name of such a length can match
    for (int entry = 0; entry < model.count(); ++entry)
        if (model.kind(entry) == FolderEntry::File)
            if (QList<qsizetype> ends = Sidecars::videoNameLengths(model.name(entry)); !ends.isEmpty()) {
                for (const qsizetype length : ends)
                    lengths.insert(length);
                candidates.append({entry, std::move(ends)});
            }
    QHash<int, QList<SidecarOf>> sidecars;
    if (candidates.isEmpty())
        return sidecars;
    QMultiHash<size_t, int> videos; // by foldedHash of their names without extension
    for (int entry = 0; entry < model.count(); ++entry)
        if (folder.isVideo(entry) && lengths.contains(model.name(entry).lastIndexOf(u'.')))
            videos.insert(foldedHash(withoutExtension(model.name(entry))), entry);
    for (const auto &[entry, ends] : std::as_const(candidates))
        for (const qsizetype length : ends)
            if (const int video = videoNamed(model, videos, listed,
                                             QStringView(model.name(entry)).first(length));
                video >= 0) {
                sidecars[video].append({entry, length});
                break;
            }
    return sidecars;
}
