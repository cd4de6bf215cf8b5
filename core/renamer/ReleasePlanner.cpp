// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/renamer/ReleasePlanner.h"

#include "core/base/Paths.h"
#include "core/base/RowOrder.h"
#include "core/renamer/ReleaseName.h"
#include "core/renamer/ReleasePlaces.h"
#include "core/renamer/ReleaseTags.h"
#include "core/renamer/SidecarMatch.h"
#include "core/renamer/RenameRule.h"
#include "core/renamer/Sidecars.h"
#include "core/renamer/VersionLabels.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <memory>
#include <span>
#include <vector>

namespace {

const QString MoviesFolder = QStringLiteral("MOVIES");
const QString ShowsFolder = QStringLiteral("SHOWS");

// A file of the plan where it is now.
struct Source {
    ReleasePlace *place = nullptr;
    int entry = -1;
    QString name;
    QString shown() const { return place->below(name); }
    QString path() const { return Paths::join(place->path, name); }
};

struct Sidecar {
    Sidecar(Source source, QString tail, bool fromFolder, bool listed)
        : source(std::move(source))
        , tail(std::move(tail))
        , fromFolder(fromFolder)
        , listed(listed)
    {}

    Source source;
    QString tail;    // after the video's name; a subtitle folder's file gets it once numbered
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
    QString part;  // "CD1", upper-cased
    QString tail;  // what follows the name: ".MKV", ".en.srt"
    ReleasePlace *place = nullptr;
    QString label;
    QString name; // its new name, once given
    EntryOutcome outcome;
    QList<Sidecar> sidecars;
    bool video = false; // a video file: one of a title's versions
    bool kept = false;

    QString withLabel(const QString &text) const { return VersionLabels::labelled(plain, part, text); }
};

QStringView extensionOf(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QStringView() : QStringView(name).sliced(dot + 1);
}

// What follows a release's clean name: its subtitle tags and extension, in
// upper case as every name the renamer gives, or in lower case for a
// sidecar's, as servers look those up.
QString releaseTail(const ReleaseName &release)
{
    QString tail;
    for (const QString &tag : release.subtitleTags)
        tail += u'.' + tag;
    if (!release.extension.isEmpty())
        tail += u'.' + release.extension;
    return Sidecars::isSidecarExtension(release.extension) ? tail.toLower() : upperCased(tail);
}

class ReleasePlanner {
public:
    ReleasePlanner(ReleaseLayout layout, const QString &folder, const FolderContents &contents,
                   const QStringList &rows, int latestYear, const FolderReader &read,
                   const std::function<bool()> &stopped)
        : m_layout(layout)
        , m_rows(rows)
        , m_latestYear(latestYear)
        , m_stopped(stopped)
        , m_places(std::make_shared<ReleasePlaces>(folder, contents, read))
    {}

    ReleasePlan plan()
    {
        findSidecars();
        readRows();
        if (stopped())
            return std::move(m_plan);
        bringSubtitleFolders();
        for (Item &item : m_items)
            placeItem(item);
        labelVersions();
        for (Item &item : m_items) {
            if (stopped())
                return std::move(m_plan);
            nameItem(item);
        }
        tellMoves();
        tellFolders();
        return std::move(m_plan);
    }

private:
    bool stopped() const { return m_stopped && m_stopped(); }
    ReleasePlace &here() const { return m_places->here(); }

    void findSidecars();
    void readRows();
    void keepRow(const Source &source, EntryOutcome::What what, const QString &wanted = {});
    void keepItem(Item &item, EntryOutcome::What what, const QString &wanted);
    void bringSubtitleFolders();
    void placeItem(Item &item);
    void labelVersions();
    void labelGroup(std::span<Item *const> group);
    void nameItem(Item &item);
    void numberFolderSubtitles(Item &item);
    void nameSidecars(Item &item);
    void give(ReleasePlace &place, const QString &name, const Source &source);
    void tell(const Source &source, const ReleasePlace &to, const QString &name, const EntryOutcome &outcome,
              qsizetype &counter);
    void tellMoves();
    void tellFolders();

    const ReleaseLayout m_layout;
    const QStringList m_rows;
    const int m_latestYear;
    const std::function<bool()> m_stopped;
    // Shared with the plan, which asks which names stay once it is done.
    std::shared_ptr<ReleasePlaces> m_places;
    QHash<int, QList<SidecarOf>> m_sidecarsOf; // by video
    QSet<int> m_sidecars;
    QSet<int> m_listed;
    QList<int> m_rowEntries; // the entry each row names, or -1
    QList<Item> m_items;
    QList<ReleasePlace *> m_subtitleFolders;
    ReleasePlan m_plan;
};

// Each row's entry, and each file that is a video's sidecar.
void ReleasePlanner::findSidecars()
{
    const FolderModel &model = here().model;
    m_rowEntries.reserve(m_rows.size());
    for (const QString &row : m_rows) {
        const int exact = model.holder(row);
        m_rowEntries.append(exact >= 0 ? exact : model.find(row));
        m_listed.insert(m_rowEntries.last());
    }
    m_sidecarsOf = matchSidecars(here(), m_listed);
    for (const QList<SidecarOf> &sidecars : std::as_const(m_sidecarsOf))
        for (const SidecarOf &sidecar : sidecars)
            m_sidecars.insert(sidecar.sidecar);
}

// Each listed file that is no sidecar read as a release, with its sidecars.
void ReleasePlanner::readRows()
{
    const FolderModel &model = here().model;
    for (qsizetype i = 0; i < m_rows.size(); ++i) {
        if (stopped())
            return;
        const QString &row = m_rows[i];
        const int entry = m_rowEntries[i];
        const Source source{&here(), entry, row};
        if (entry < 0 || model.kind(entry) != FolderEntry::File) {
            keepRow(source, entry < 0 ? EntryOutcome::Gone : EntryOutcome::NotAFile);
            continue;
        }
        if (m_sidecars.contains(entry))
            continue; // it follows its video
        // A name whose end is no extension the tables know ("README.md",
        // "photo.heic") would lose it: such a file keeps its name.
        const bool known = !row.contains(u'.')
                           || ReleaseTags::extensionKind(extensionOf(row)) != ReleaseTags::Extension::None;
        Item item;
        item.source = source;
        if (known)
            item.release = parseReleaseName(row, m_latestYear).value_or(ReleaseName());
        for (const SidecarOf &sidecar : m_sidecarsOf.value(entry))
            item.sidecars.append({{&here(), sidecar.sidecar, model.name(sidecar.sidecar)},
                                  Sidecars::keptTail(model.name(sidecar.sidecar), sidecar.videoNameLength),
                                  false,
                                  m_listed.contains(sidecar.sidecar)});
        if (!known) {
            keepItem(item, EntryOutcome::UnknownKind, {});
            continue;
        }
        ReleaseName whole = item.release;
        whole.part.clear();
        item.plain = item.release.title.isEmpty() ? QString() : cleanBaseName(whole);
        if (item.plain.isEmpty()) {
            keepItem(item, EntryOutcome::NoTitle, {});
            continue;
        }
        item.part = upperCased(item.release.part);
        item.video = here().isVideo(entry);
        item.tail = releaseTail(item.release);
        m_items.append(std::move(item));
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

// A file that keeps its name and place keeps its sidecars where they are.
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
// video come beside the video: servers do not look into such folders.
void ReleasePlanner::bringSubtitleFolders()
{
    const FolderModel &model = here().model;
    if (m_items.size() != 1 || !m_items.first().video)
        return;
    int videos = 0;
    for (int entry = 0; entry < model.count(); ++entry)
        videos += here().isVideo(entry);
    if (videos != 1)
        return;
    Item &video = m_items.first();
    for (int entry = 0; entry < model.count(); ++entry) {
        if (model.kind(entry) != FolderEntry::Folder || !Sidecars::isSubtitleFolder(model.name(entry)))
            continue;
        ReleasePlace &folder = m_places->child(here(), model.name(entry));
        if (folder.refused != EntryOutcome::Renamed)
            continue;
        QList<Sidecar> subtitles;
        for (int file = 0; file < folder.model.count(); ++file)
            if (folder.model.kind(file) == FolderEntry::File
                && Sidecars::isSubtitleExtension(extensionOf(folder.model.name(file))))
                subtitles.append({{&folder, file, folder.model.name(file)}, {}, true, false});
        std::sort(subtitles.begin(), subtitles.end(),
                  [](const Sidecar &a, const Sidecar &b) { return rowLess(a.source.name, b.source.name); });
        video.sidecars += subtitles;
        m_subtitleFolders.append(&folder);
    }
}

void ReleasePlanner::placeItem(Item &item)
{
    QStringList folders;
    if (m_layout == ReleaseLayout::Library && item.release.isEpisode()) {
        ReleaseName show;
        show.title = item.release.title;
        show.year = item.release.year;
        folders = {ShowsFolder, cleanBaseName(show),
                   QStringLiteral("SEASON %1").arg(item.release.season, 2, 10, QLatin1Char('0'))};
    } else if (m_layout == ReleaseLayout::Library) {
        folders = {MoviesFolder, item.plain};
    }
    item.place = &m_places->find(folders);
    if (item.place->refused != EntryOutcome::Renamed)
        keepItem(item, item.place->refused, item.place->refusedShown);
}

// Whether a would get one name with b in one folder: videos of one name
// are versions whatever their extensions; other files only with the same.
int compareNames(const Item &a, const Item &b)
{
    if (a.place != b.place)
        return a.place < b.place ? -1 : 1;
    const Qt::CaseSensitivity sensitivity = a.place->model.caseBlind() ? Qt::CaseInsensitive
                                                                       : Qt::CaseSensitive;
    if (const int plain = QString::compare(a.plain, b.plain, sensitivity); plain != 0)
        return plain;
    if (const int part = QString::compare(a.part, b.part, sensitivity); part != 0)
        return part;
    if (a.video != b.video)
        return a.video ? -1 : 1;
    return a.video ? 0 : QString::compare(a.tail, b.tail, sensitivity);
}

// Releases that would get one name in one folder, or a name that a video
// that stays there holds already, get version labels.
void ReleasePlanner::labelVersions()
{
    std::vector<Item *> items;
    items.reserve(size_t(m_items.size()));
    for (Item &item : m_items)
        if (!item.kept) {
            items.push_back(&item);
            item.source.place->releases.insert(item.source.entry);
        }
    std::stable_sort(items.begin(), items.end(),
                     [](const Item *a, const Item *b) { return compareNames(*a, *b) < 0; });
    for (auto run = items.begin(); run != items.end();) {
        const auto end = std::find_if(run, items.end(),
                                      [&](const Item *other) { return compareNames(**run, *other) != 0; });
        labelGroup(std::span(run, end));
        run = end;
    }
}

void ReleasePlanner::labelGroup(std::span<Item *const> group)
{
    const Item &first = *group.front();
    const bool held = first.video && m_places->holdsVideos(*first.place)
                      && m_places->holdsVideo(*first.place,
                                              nameKey(first.withLabel({}), first.place->model.caseBlind()));
    if (group.size() < 2 && !held)
        return;
    QList<VersionTags> releases;
    for (const Item *item : group)
        releases.append(readVersionTags(item->source.name, m_latestYear));
    const QStringList labels = VersionLabels::labels(releases, held);
    for (size_t i = 0; i < group.size(); ++i)
        group[i]->label = labels[qsizetype(i)];
}

// The item's name with its label, or with a number where that is taken.
void ReleasePlanner::nameItem(Item &item)
{
    if (item.kept)
        return;
    QString label = item.label;
    bool numbered = false;
    const int first = label.toInt(&numbered);
    QString name = item.withLabel(label) + item.tail;
    for (int number = numbered ? first + 1 : 2;
         m_places->taken(*item.place, name, item.source.place, item.source.entry); ++number) {
        label = QString::number(number);
        name = item.withLabel(label) + item.tail;
    }
    if (!m_places->fits(*item.place, name)) {
        keepItem(item, EntryOutcome::TooLong, item.place->below(name));
        return;
    }
    item.label = label;
    item.name = name;
    give(*item.place, name, item.source);
    if (!label.isEmpty()) {
        item.outcome.what = EntryOutcome::Labelled;
        item.outcome.wanted = item.withLabel({}) + item.tail;
        item.outcome.result = name;
    }
    numberFolderSubtitles(item);
    nameSidecars(item);
}

// A subtitle folder's files get the tags read from their names, numbered
// where the video has a subtitle of those tags already; the files of one
// name (a .sub and its .idx) share a number.
void ReleasePlanner::numberFolderSubtitles(Item &item)
{
    if (std::none_of(item.sidecars.cbegin(), item.sidecars.cend(),
                     [](const Sidecar &s) { return s.fromFolder; }))
        return;
    QHash<QString, QSet<int>> numbers; // by tags, the numbers taken
    QHash<QString, int> numberOf;      // by a subtitle's name without extension
    for (const Sidecar &sidecar : std::as_const(item.sidecars))
        if (!sidecar.fromFolder)
            numbers[sidecar.tail.first(sidecar.tail.lastIndexOf(u'.')).toCaseFolded()].insert(1);
    for (Sidecar &sidecar : item.sidecars) {
        if (!sidecar.fromFolder)
            continue;
        const QString &name = sidecar.source.name;
        const QString stem = name.first(std::max(qsizetype(0), name.lastIndexOf(u'.'))).toCaseFolded();
        if (!numberOf.contains(stem)) {
            QSet<int> &taken = numbers[Sidecars::subtitleFolderTags(name).toCaseFolded()];
            int number = 1;
            while (taken.contains(number))
                ++number;
            taken.insert(number);
            numberOf.insert(stem, number);
        }
        sidecar.tail = Sidecars::subtitleFolderTail(name, numberOf.value(stem));
    }
}

void ReleasePlanner::nameSidecars(Item &item)
{
    const QString base = item.withLabel(item.label);
    for (Sidecar &sidecar : item.sidecars) {
        const QString name = base + sidecar.tail;
        const bool taken = m_places->taken(*item.place, name, sidecar.source.place, sidecar.source.entry);
        if (taken || !m_places->fits(*item.place, name)) {
            sidecar.kept = true;
            if (sidecar.listed || sidecar.fromFolder)
                keepRow(sidecar.source, taken ? EntryOutcome::Taken : EntryOutcome::TooLong,
                        item.place->below(name));
            continue;
        }
        sidecar.name = name;
        give(*item.place, name, sidecar.source);
    }
}

void ReleasePlanner::give(ReleasePlace &place, const QString &name, const Source &source)
{
    m_places->give(place, name, *source.place, source.entry, source.name);
}

void ReleasePlanner::tell(const Source &source, const ReleasePlace &to, const QString &name,
                          const EntryOutcome &outcome, qsizetype &counter)
{
    if (source.place == &to && source.name == name)
        return;
    m_plan.renames.renames.append(
        {source.path(), Paths::join(to.path, name), source.place->model.identity(source.entry)});
    m_plan.preview.rows.append({source.shown(), to.below(name), outcome});
    ++counter;
    ++m_plan.preview.changes;
}

// Each file that moves, and the box's rows in row order.
void ReleasePlanner::tellMoves()
{
    AnswerPreview &preview = m_plan.preview;
    AnswerPreview::Releases &releases = preview.releases.emplace();
    qsizetype drawnIn = 0;
    preview.rows.reserve(preview.rows.size() + m_items.size());
    m_plan.renames.renames.reserve(m_items.size());
    for (const Item &item : std::as_const(m_items)) {
        if (item.kept)
            continue;
        qsizetype &counter = Sidecars::isSidecarExtension(item.release.extension) ? releases.sidecars
                             : item.release.isEpisode()                           ? releases.episodes
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
    std::vector<std::pair<RowKey, qsizetype>> order;
    order.reserve(size_t(preview.rows.size()));
    for (qsizetype i = 0; i < preview.rows.size(); ++i)
        order.emplace_back(RowKey(preview.rows[i].before), i);
    std::stable_sort(order.begin(), order.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    QList<AnswerPreview::Row> rows;
    rows.reserve(preview.rows.size());
    for (const auto &[key, i] : order)
        rows.append(std::move(preview.rows[i]));
    preview.rows = std::move(rows);
}

// The folders the change makes, empties and touches, and which names stay.
void ReleasePlanner::tellFolders()
{
    for (const auto &[key, place] : m_places->all()) {
        if (m_subtitleFolders.contains(&place) && !place.leaving.isEmpty()
            && place.leaving.size() == place.model.count())
            m_plan.removedFolders << place.path;
        if (place.toMake && place.used)
            m_plan.madeFolders << place.path;
        if (place.used || !place.leaving.isEmpty() || &place == &here())
            m_plan.folders << place.path;
    }
    m_plan.preview.releases->folders = m_plan.madeFolders.size();
    m_plan.read = m_places->read();
    m_plan.renames.caseBlind = here().model.caseBlind();
    m_plan.renames.stays = [places = m_places](const QString &path) {
        return places->heldAfter(path);
    };
}

} // namespace

ReleasePlan planReleases(ReleaseLayout layout, const QString &folder, const FolderContents &contents,
                         const QStringList &rows, int latestYear, const FolderReader &read,
                         const std::function<bool()> &stopped)
{
    return ReleasePlanner(layout, folder, contents, rows, latestYear, read, stopped).plan();
}
