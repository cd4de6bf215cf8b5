#include "core/renamer/ReleasePlanner.h"

#include "core/base/NameKey.h"
#include "core/base/Paths.h"
#include "core/base/RowOrder.h"
#include "core/changes/FolderModel.h"
#include "core/renamer/ReleaseName.h"
#include "core/renamer/ReleaseTags.h"
#include "core/renamer/Sidecars.h"
#include "core/renamer/VersionLabels.h"

#include <QFile>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <map>
#include <memory>

namespace {

// The longest path the system takes, in bytes.
constexpr qsizetype LongestPath = 4095;

const QString MoviesFolder = QStringLiteral("MOVIES");
const QString ShowsFolder = QStringLiteral("SHOWS");

// A folder that files of the plan come from or go to.
struct Place {
    QString path;  // in full
    QString shown; // below the plan's folder; empty for that folder itself
    FolderModel model;
    bool toMake = false;
    bool used = false;
    // Renamed where files may go there; else why not, and which folder.
    EntryOutcome::What refused = EntryOutcome::Renamed;
    QString refusedShown;
    QSet<QString> given;  // keys of the names that files of the plan get there
    QSet<int> leaving;    // its entries that move elsewhere or to another name
    Place *parent = nullptr;
};

// A file of the plan where it is now.
struct Source {
    Place *place = nullptr;
    int entry = -1;
    QString name;
    QString shown() const { return below(place->shown, name); }
    QString path() const { return Paths::join(place->path, name); }
    static QString below(const QString &shown, const QString &name)
    {
        return shown.isEmpty() ? name : shown + Paths::separator() + name;
    }
};

struct Sidecar {
    Source source;
    QString tail;    // after the video's name; for a subtitle folder's file, set once numbered
    bool fromFolder; // from a subtitle folder
    bool listed;
    QString name; // its new name, once given
    bool kept = false;
};

// A release: a video, or another file read as a release of its own, with the
// sidecars that follow it.
struct Item {
    Source source;
    ReleaseName release;
    QString plain; // "TITLE (YEAR)", "SHOW (YEAR) S01E02": without part, tags or extension
    QString tail;  // what follows the base: ".MKV", ".en.srt"
    Place *place = nullptr;
    QString label;
    QString name; // its new name, once given
    EntryOutcome outcome;
    QList<Sidecar> sidecars;
    bool kept = false;
};

QString folded(QStringView text)
{
    return text.toString().toCaseFolded();
}

bool isVideo(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot > 0
        && ReleaseTags::extensionKind(QStringView(name).sliced(dot + 1)) == ReleaseTags::Extension::Video;
}

class ReleasePlanner {
public:
    ReleasePlanner(ReleaseLayout layout, const QString &folder, const FolderContents &contents,
                   const QStringList &rows, int latestYear, const FolderReader &read,
                   const std::function<bool()> &stopped)
        : m_layout(layout), m_rows(rows), m_latestYear(latestYear), m_read(read), m_stopped(stopped),
          m_here(contents), m_caseBlind(contents.caseBlind), m_device(contents.device)
    {
        Place &here = m_places.emplace(QString(), Place{folder, {}, FolderModel(contents)}).first->second;
        m_herePlace = &here;
    }

    ReleasePlan plan()
    {
        findSidecars();
        readRows();
        if (stopped())
            return std::move(m_plan);
        bringSubtitleFolder();
        for (Item &item : m_items)
            placeItem(item);
        labelVersions();
        for (Item &item : m_items) {
            if (stopped())
                return std::move(m_plan);
            nameItem(item);
        }
        finish();
        return std::move(m_plan);
    }

private:
    bool stopped() const { return m_stopped && m_stopped(); }
    QString key(const QString &name) const { return nameKey(name, m_caseBlind); }

    void findSidecars();
    void readRows();
    void keepRow(const Source &source, EntryOutcome::What what, const QString &wanted = {});
    void bringSubtitleFolder();
    void placeItem(Item &item);
    Place *placeFor(const QStringList &folders);
    Place *childPlace(Place &parent, const QString &name);
    void labelVersions();
    bool nameHeld(const Place &place, const QString &base, const QList<Item *> &group) const;
    bool taken(const Place &place, const QString &name, const Source &self) const;
    bool fits(const Place &place, const QString &name) const;
    void nameItem(Item &item);
    void nameSidecars(Item &item, const QString &base);
    void give(Place &place, const QString &name, Source &source);
    void finish();
    void tell(const Source &source, const Place &to, const QString &name, const EntryOutcome &outcome,
              qsizetype &counter);
    void keepItem(Item &item, EntryOutcome::What what, const QString &wanted);

    const ReleaseLayout m_layout;
    const QStringList m_rows;
    const int m_latestYear;
    const FolderReader m_read;
    const std::function<bool()> m_stopped;
    const FolderContents m_here;
    const bool m_caseBlind;
    const quint64 m_device;
    std::map<QString, Place> m_places; // by key of shown
    Place *m_herePlace = nullptr;
    QHash<int, QList<std::pair<int, qsizetype>>> m_sidecarsOf; // video -> (entry, name length)
    QSet<int> m_sidecars;
    QList<Item> m_items;
    QList<Place *> m_subtitleFolders;
    QSet<int> m_listed;
    ReleasePlan m_plan;
};

// Every video of the folder by its name without extension, the listed ones
// first; then each file that is one's sidecar.
void ReleasePlanner::findSidecars()
{
    const FolderModel &model = m_herePlace->model;
    QHash<QString, int> videos;
    const auto addVideo = [&](int entry) {
        const QString &name = model.name(entry);
        if (model.kind(entry) == FolderEntry::File && isVideo(name))
            videos.insert(folded(QStringView(name).first(name.lastIndexOf(u'.'))), entry);
    };
    for (int entry = model.count() - 1; entry >= 0; --entry)
        addVideo(entry);
    for (auto row = m_rows.crbegin(); row != m_rows.crend(); ++row)
        if (const int entry = model.holder(*row); entry >= 0) {
            m_listed.insert(entry);
            addVideo(entry);
        }
    for (int entry = 0; entry < model.count(); ++entry) {
        if (model.kind(entry) != FolderEntry::File)
            continue;
        for (const qsizetype length : Sidecars::videoNameLengths(model.name(entry))) {
            const int video = videos.value(folded(QStringView(model.name(entry)).first(length)), -1);
            if (video >= 0 && video != entry) {
                m_sidecarsOf[video].append({entry, length});
                m_sidecars.insert(entry);
                break;
            }
        }
    }
}

void ReleasePlanner::readRows()
{
    FolderModel &model = m_herePlace->model;
    for (const QString &row : m_rows) {
        if (stopped())
            return;
        int entry = model.holder(row);
        entry = entry >= 0 ? entry : model.find(row);
        const Source source{m_herePlace, entry, row};
        if (entry < 0 || model.kind(entry) != FolderEntry::File) {
            keepRow(source, entry < 0 ? EntryOutcome::Gone : EntryOutcome::NotAFile);
            continue;
        }
        if (m_sidecars.contains(entry))
            continue; // it follows its video
        const std::optional<ReleaseName> release = parseReleaseName(row, m_latestYear);
        const QString plain = release ? cleanReleaseBase([&] {
            ReleaseName whole = *release;
            whole.part.clear();
            return whole;
        }()) : QString();
        Item item{source, release.value_or(ReleaseName()), plain};
        for (const auto &[sidecar, length] : std::as_const(m_sidecarsOf[entry]))
            item.sidecars.append({{m_herePlace, sidecar, model.name(sidecar)},
                                  Sidecars::keptTail(model.name(sidecar), length), false,
                                  m_listed.contains(sidecar)});
        if (plain.isEmpty()) {
            keepItem(item, EntryOutcome::NoTitle, {});
            continue;
        }
        item.tail = cleanReleaseName(*release).mid(cleanReleaseBase(*release).size());
        if (Sidecars::isSidecarExtension(release->extension))
            item.tail = item.tail.toLower();
        m_items.append(item);
    }
}

void ReleasePlanner::keepRow(const Source &source, EntryOutcome::What what, const QString &wanted)
{
    EntryOutcome outcome;
    outcome.what = what;
    outcome.wanted = wanted;
    m_plan.preview.rows.append({source.shown(), source.shown(), outcome});
    ++m_plan.preview.kept;
    m_plan.preview.untold += what == EntryOutcome::NoTitle;
}

void ReleasePlanner::keepItem(Item &item, EntryOutcome::What what, const QString &wanted)
{
    item.kept = true;
    keepRow(item.source, what, wanted);
    for (Sidecar &sidecar : item.sidecars) {
        sidecar.kept = true;
        if (sidecar.listed)
            keepRow(sidecar.source, EntryOutcome::WithItsVideo);
    }
}

// The subtitles of a "Subs" or "Subtitles" folder beside the folder's only
// video come beside it: servers do not look into such folders.
void ReleasePlanner::bringSubtitleFolder()
{
    const FolderModel &model = m_herePlace->model;
    int videos = 0;
    for (int entry = 0; entry < model.count(); ++entry)
        videos += model.kind(entry) == FolderEntry::File && isVideo(model.name(entry));
    if (videos != 1 || m_items.size() != 1 || !isVideo(m_items.first().source.name))
        return;
    Item &video = m_items.first();
    for (int entry = 0; entry < model.count(); ++entry) {
        if (model.kind(entry) != FolderEntry::Folder || !Sidecars::isSubtitleFolder(model.name(entry)))
            continue;
        Place *folder = childPlace(*m_herePlace, model.name(entry));
        if (!folder || folder->refused != EntryOutcome::Renamed)
            continue;
        QList<Sidecar> subtitles;
        for (int file = 0; file < folder->model.count(); ++file) {
            const QString &name = folder->model.name(file);
            if (folder->model.kind(file) == FolderEntry::File
                && Sidecars::isSubtitleExtension(QStringView(name).sliced(name.lastIndexOf(u'.') + 1)))
                subtitles.append({{folder, file, name}, {}, true, false});
        }
        std::sort(subtitles.begin(), subtitles.end(),
                  [](const Sidecar &a, const Sidecar &b) { return rowLess(a.source.name, b.source.name); });
        video.sidecars += subtitles;
        m_subtitleFolders.append(folder);
    }
}

void ReleasePlanner::placeItem(Item &item)
{
    QStringList folders;
    if (m_layout == ReleaseLayout::Library && item.release.isEpisode()) {
        ReleaseName show;
        show.title = item.release.title;
        show.year = item.release.year;
        folders = {ShowsFolder, cleanReleaseBase(show),
                   QStringLiteral("SEASON %1").arg(item.release.season, 2, 10, QLatin1Char('0'))};
    } else if (m_layout == ReleaseLayout::Library) {
        folders = {MoviesFolder, item.plain};
    }
    item.place = placeFor(folders);
    if (item.place->refused != EntryOutcome::Renamed)
        keepItem(item, item.place->refused, item.place->refusedShown);
}

Place *ReleasePlanner::placeFor(const QStringList &folders)
{
    Place *at = m_herePlace;
    for (const QString &folder : folders) {
        if (at->refused != EntryOutcome::Renamed)
            break;
        at = childPlace(*at, folder);
    }
    return at;
}

// The folder name inside parent: the one there already (in the letter case
// it has, on a case-blind volume), or one to make.
Place *ReleasePlanner::childPlace(Place &parent, const QString &name)
{
    const int entry = parent.toMake ? -1 : parent.model.find(name);
    const QString onDisk = entry >= 0 ? parent.model.name(entry) : name;
    const QString shown = Source::below(parent.shown, onDisk);
    if (const auto known = m_places.find(key(shown)); known != m_places.end())
        return &known->second;
    FolderContents contents;
    contents.readable = true;
    contents.caseBlind = m_caseBlind;
    contents.longestName = m_here.longestName;
    contents.device = m_device;
    Place place{Paths::join(parent.path, onDisk), shown, FolderModel(contents)};
    place.parent = &parent;
    place.toMake = entry < 0;
    if (entry >= 0 && parent.model.kind(entry) != FolderEntry::Folder) {
        place.refused = EntryOutcome::FolderTaken;
    } else if (entry >= 0) {
        contents = m_read(place.path);
        m_plan.read.append({place.path, contents});
        place.model = FolderModel(contents);
        if (!contents.readable)
            place.refused = EntryOutcome::FolderUnread;
        else if (contents.device != m_device)
            place.refused = EntryOutcome::OtherDrive;
    }
    place.refusedShown = shown;
    return &m_places.emplace(key(shown), std::move(place)).first->second;
}

// Releases that would get one name in one folder get version labels.
void ReleasePlanner::labelVersions()
{
    QHash<std::pair<Place *, QString>, QList<Item *>> groups;
    QList<std::pair<Place *, QString>> order;
    for (Item &item : m_items) {
        if (item.kept)
            continue;
        const std::pair group(item.place, key(VersionLabels::labelled(item.plain, item.release.part, {})));
        if (!groups.contains(group))
            order.append(group);
        groups[group].append(&item);
    }
    for (const auto &group : std::as_const(order)) {
        const QList<Item *> &items = groups[group];
        const bool held = nameHeld(*group.first, group.second, items);
        if (items.size() < 2 && !held)
            continue;
        QList<const ReleaseName *> releases;
        for (const Item *item : items)
            releases.append(&item->release);
        const QStringList labels = VersionLabels::labels(releases, held);
        for (qsizetype i = 0; i < items.size(); ++i)
            items[i]->label = labels[i];
    }
}

// Whether a video that is not one of group's holds their name there already.
bool ReleasePlanner::nameHeld(const Place &place, const QString &base, const QList<Item *> &group) const
{
    for (int entry = 0; entry < place.model.count(); ++entry) {
        const QString &name = place.model.name(entry);
        if (!isVideo(name) || key(name.first(name.lastIndexOf(u'.'))) != base)
            continue;
        if (std::none_of(group.cbegin(), group.cend(), [&](const Item *item) {
                return item->source.place == &place && item->source.entry == entry;
            }))
            return true;
    }
    return false;
}

// Whether name is taken in place for the file self: given to another file
// of the plan, or held by an entry that stays.
bool ReleasePlanner::taken(const Place &place, const QString &name, const Source &self) const
{
    if (place.given.contains(key(name)))
        return true;
    const int holder = place.toMake ? -1 : place.model.find(name);
    if (holder < 0 || (self.place == &place && self.entry == holder))
        return false;
    return !place.leaving.contains(holder);
}

bool ReleasePlanner::fits(const Place &place, const QString &name) const
{
    return place.model.fits(name) && QFile::encodeName(Paths::join(place.path, name)).size() <= LongestPath;
}

void ReleasePlanner::give(Place &place, const QString &name, Source &source)
{
    place.given.insert(key(name));
    for (Place *at = &place; at && !at->used; at = at->parent)
        at->used = true;
    if (source.place != &place || source.name != name)
        source.place->leaving.insert(source.entry);
}

// The item's name with its label, or with a number where that is taken too.
void ReleasePlanner::nameItem(Item &item)
{
    if (item.kept)
        return;
    QString label = item.label;
    const auto withLabel = [&item](const QString &label) {
        return VersionLabels::labelled(item.plain, item.release.part, label);
    };
    bool numbered = false;
    const int first = label.toInt(&numbered);
    for (int number = numbered ? first + 1 : 2; taken(*item.place, withLabel(label) + item.tail, item.source);
         ++number)
        label = QString::number(number);
    const QString name = withLabel(label) + item.tail;
    if (!fits(*item.place, name)) {
        keepItem(item, EntryOutcome::TooLong, Source::below(item.place->shown, name));
        return;
    }
    item.label = label;
    item.name = name;
    give(*item.place, name, item.source);
    if (!label.isEmpty()) {
        item.outcome.what = EntryOutcome::Labelled;
        item.outcome.wanted = withLabel({}) + item.tail;
        item.outcome.result = name;
    }
    nameSidecars(item, withLabel(label));
}

// Each sidecar after its video's new name; the subtitles of a subtitle
// folder numbered where two carry the same tags.
void ReleasePlanner::nameSidecars(Item &item, const QString &base)
{
    QHash<QString, QSet<int>> numbers; // by tags, the numbers given
    QHash<QString, int> numberOf;      // by subtitle file name without extension
    for (const Sidecar &sidecar : std::as_const(item.sidecars))
        if (!sidecar.fromFolder)
            numbers[folded(sidecar.tail.first(sidecar.tail.lastIndexOf(u'.')))].insert(1);
    for (Sidecar &sidecar : item.sidecars) {
        if (sidecar.fromFolder) {
            const QString &name = sidecar.source.name;
            const QString stem = folded(QStringView(name).first(std::max(qsizetype(0), name.lastIndexOf(u'.'))));
            if (!numberOf.contains(stem)) {
                QSet<int> &given = numbers[folded(Sidecars::subtitleFolderTags(name))];
                int number = 1;
                while (given.contains(number))
                    ++number;
                given.insert(number);
                numberOf.insert(stem, number);
            }
            sidecar.tail = Sidecars::subtitleFolderTail(name, numberOf.value(stem));
        }
        const QString name = base + sidecar.tail;
        if (taken(*item.place, name, sidecar.source) || !fits(*item.place, name)) {
            sidecar.kept = true;
            if (sidecar.listed || sidecar.fromFolder)
                keepRow(sidecar.source, taken(*item.place, name, sidecar.source) ? EntryOutcome::Taken
                                                                                  : EntryOutcome::TooLong,
                        Source::below(item.place->shown, name));
            continue;
        }
        sidecar.name = name;
        give(*item.place, name, sidecar.source);
    }
}

void ReleasePlanner::tell(const Source &source, const Place &to, const QString &name,
                          const EntryOutcome &outcome, qsizetype &counter)
{
    const QString path = Paths::join(to.path, name);
    if (path == source.path())
        return;
    m_plan.renames.renames.append({source.path(), path, source.place->model.identity(source.entry)});
    m_plan.preview.rows.append({source.shown(), Source::below(to.shown, name), outcome});
    ++counter;
    ++m_plan.preview.changes;
}

void ReleasePlanner::finish()
{
    AnswerPreview &preview = m_plan.preview;
    AnswerPreview::Releases &releases = preview.releases.emplace();
    qsizetype drawnIn = 0;
    for (const Item &item : std::as_const(m_items)) {
        if (item.kept)
            continue;
        qsizetype &counter = Sidecars::isSidecarExtension(item.release.extension) ? releases.sidecars
            : item.release.isEpisode()                                             ? releases.episodes
                                                                                   : releases.films;
        tell(item.source, *item.place, item.name, item.outcome, counter);
        releases.labelled += !item.label.isEmpty();
        for (const Sidecar &sidecar : item.sidecars) {
            if (sidecar.kept)
                continue;
            drawnIn += !sidecar.listed;
            tell(sidecar.source, *item.place, sidecar.name, {}, releases.sidecars);
        }
    }
    preview.total = m_rows.size() + drawnIn;
    std::stable_sort(preview.rows.begin(), preview.rows.end(),
                     [](const AnswerPreview::Row &a, const AnswerPreview::Row &b) { return rowLess(a.before, b.before); });
    m_plan.renames.caseBlind = m_caseBlind;
    auto stays = std::make_shared<QSet<QString>>();
    for (auto &[placeKey, place] : m_places) {
        const bool emptied = m_subtitleFolders.contains(&place) && !place.leaving.isEmpty()
            && place.leaving.size() == place.model.count();
        if (emptied)
            m_plan.removedFolders << place.path;
        if (place.toMake && place.used)
            m_plan.madeFolders << place.path;
        if (place.used || !place.leaving.isEmpty() || &place == m_herePlace)
            m_plan.folders << place.path;
        for (int entry = 0; entry < place.model.count(); ++entry)
            if (!place.leaving.contains(entry))
                stays->insert(nameKey(Paths::join(place.path, place.model.name(entry)), m_caseBlind));
        for (const QString &given : std::as_const(place.given))
            stays->insert(nameKey(Paths::join(place.path, given), m_caseBlind));
    }
    releases.folders = m_plan.madeFolders.size();
    m_plan.renames.stays = [stays, caseBlind = m_caseBlind](const QString &path) {
        return stays->contains(nameKey(path, caseBlind));
    };
}

} // namespace

ReleasePlan planReleases(ReleaseLayout layout, const QString &folder, const FolderContents &contents,
                         const QStringList &rows, int latestYear, const FolderReader &read,
                         const std::function<bool()> &stopped)
{
    return ReleasePlanner(layout, folder, contents, rows, latestYear, read, stopped).plan();
}
