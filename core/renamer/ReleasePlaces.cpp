// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/renamer/ReleasePlaces.h"

#include "core/base/Paths.h"
#include "core/renamer/ReleaseTags.h"

#include <QFile>

namespace {

// The longest path the system takes, in bytes.
constexpr qsizetype LongestPath = 4095;

// How a path's folder part reads: a root folder's paths hold a doubled
// separator, so it is taken from a path built the same way.
QString folderOfPaths(const QString &folder)
{
    return Paths::folderPart(Paths::join(folder, QString()));
}

} // namespace

QString ReleasePlace::below(const QString &name) const
{
    return shown.isEmpty() ? name : shown + Paths::separator() + name;
}

bool ReleasePlace::isVideo(int entry) const
{
    if (videoEntries.empty())
        videoEntries.resize(size_t(model.count()), -1);
    qint8 &video = videoEntries[size_t(entry)];
    if (video < 0) {
        const QString &name = model.name(entry);
        const qsizetype dot = name.lastIndexOf(u'.');
        video = model.kind(entry) == FolderEntry::File && dot > 0
                && ReleaseTags::extensionKind(QStringView(name).sliced(dot + 1))
                       == ReleaseTags::Extension::Video;
    }
    return video > 0;
}

ReleasePlaces::ReleasePlaces(const QString &folder, const FolderContents &contents, const Reader &read)
    : m_reader(read)
    , m_caseBlind(contents.caseBlind)
    , m_volume(contents.volume)
    , m_longestName(contents.longestName)
{
    m_here = &m_places.emplace(QString(), ReleasePlace(folder, {}, FolderModel(contents))).first->second;
}

ReleasePlace &ReleasePlaces::child(ReleasePlace &parent, const QString &name)
{
    const QString nameKey = key(name);
    if (ReleasePlace *known = parent.children.value(nameKey))
        return *known;
    const int entry = parent.toMake ? -1 : parent.model.find(name);
    const QString onDisk = entry >= 0 ? parent.model.name(entry) : name;
    const QString shown = parent.below(onDisk);
    FolderContents contents;
    contents.readable = true;
    contents.caseBlind = m_caseBlind;
    contents.longestName = m_longestName;
    contents.volume = m_volume;
    ReleasePlace place(Paths::join(parent.path, onDisk), shown, FolderModel(contents), &parent);
    place.toMake = entry < 0;
    place.refusedShown = shown;
    if (entry >= 0 && parent.model.kind(entry) != FolderEntry::Folder) {
        place.refused = EntryOutcome::FolderTaken;
    } else if (entry >= 0) {
        contents = m_reader(place.path);
        m_read.append({place.path, contents});
        place.model = FolderModel(contents);
        if (!contents.readable)
            place.refused = EntryOutcome::FolderUnread;
        else if (contents.volume != m_volume)
            place.refused = EntryOutcome::OtherDrive; // a drive mounted there: never a copy
    }
    ReleasePlace &made = m_places.emplace(key(shown), std::move(place)).first->second;
    parent.children.insert(nameKey, &made);
    return made;
}

ReleasePlace &ReleasePlaces::find(const QStringList &folders)
{
    ReleasePlace *at = m_here;
    for (const QString &folder : folders) {
        if (at->refused != EntryOutcome::Renamed)
            break;
        at = &child(*at, folder);
    }
    return *at;
}

bool ReleasePlaces::taken(const ReleasePlace &place, const QString &name, const ReleasePlace *selfPlace,
                          int self) const
{
    if (place.given.contains(key(name)))
        return true;
    const int holder = place.toMake ? -1 : place.model.find(name);
    if (holder < 0 || (selfPlace == &place && self == holder))
        return false;
    return !place.leaving.contains(holder);
}

bool ReleasePlaces::fits(const ReleasePlace &place, const QString &name) const
{
    if (!place.model.fits(name))
        return false;
    // A character takes at most three bytes: most paths need no counting.
    const qsizetype characters = place.path.size() + 1 + name.size();
    return characters * 3 <= LongestPath
           || QFile::encodeName(Paths::join(place.path, name)).size() <= LongestPath;
}

void ReleasePlaces::give(ReleasePlace &place, const QString &name, ReleasePlace &from, int entry,
                         const QString &fromName)
{
    place.given.insert(key(name), name);
    for (ReleasePlace *at = &place; at && !at->used; at = at->parent)
        at->used = true;
    if (&from != &place || fromName != name)
        from.leaving.insert(entry);
}

bool ReleasePlaces::holdsVideos(ReleasePlace &place) const
{
    return holdsVideo(place, {}) || !place.videos->isEmpty();
}

bool ReleasePlaces::holdsVideo(ReleasePlace &place, const QString &base) const
{
    if (!place.videos) {
        place.videos.emplace();
        for (int entry = 0; entry < place.model.count(); ++entry)
            if (!place.releases.contains(entry) && place.isVideo(entry))
                place.videos->insert(
                    key(place.model.name(entry).first(place.model.name(entry).lastIndexOf(u'.'))));
    }
    return place.videos->contains(base);
}

bool ReleasePlaces::heldAfter(const QString &path) const
{
    if (m_byPath.isEmpty())
        for (const auto &[key, place] : m_places)
            m_byPath.insert(folderOfPaths(place.path), &place);
    const ReleasePlace *place = m_byPath.value(Paths::folderPart(path));
    if (!place)
        return false;
    const QString name = Paths::lastComponent(path);
    if (place->given.contains(key(name)))
        return true;
    const int holder = place->toMake ? -1 : place->model.find(name);
    return holder >= 0 && !place->leaving.contains(holder);
}
