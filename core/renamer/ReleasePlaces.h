// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/changes/FolderModel.h"
#include "core/renamer/RenamePlanner.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <optional>
#include <utility>
#include <vector>

// A folder that files of a TITLES or LIBRARY plan come from or go to, and
// the names that the plan leaves and gives in it.
struct ReleasePlace {
    ReleasePlace(QString path, QString shown, FolderModel model, ReleasePlace *parent = nullptr)
        : path(std::move(path))
        , shown(std::move(shown))
        , model(std::move(model))
        , parent(parent)
    {}

    QString path;  // in full
    QString shown; // below the plan's folder; empty for that folder itself
    FolderModel model;
    ReleasePlace *parent = nullptr;
    bool toMake = false;
    bool used = false; // a file of the plan goes there, or into a folder below
    // Renamed where files may go there; else why not, and which folder.
    EntryOutcome::What refused = EntryOutcome::Renamed;
    QString refusedShown;
    QHash<QString, QString> given;           // by key, the names that files of the plan get there
    QSet<int> leaving;                       // its entries that move elsewhere or to another name
    QSet<int> releases;                      // its entries that get clean names (some keep theirs)
    QHash<QString, ReleasePlace *> children; // by the key of their names
    // Its videos that get no clean name, by their names' keys without
    // extension, once first asked for.
    std::optional<QSet<QString>> videos;

    // The path below the plan's folder of a name here.
    QString below(const QString &name) const;
    // Whether an entry is a video file, looked at once.
    bool isVideo(int entry) const;
    mutable std::vector<qint8> videoEntries; // by entry, -1 until looked at
};

// The folders of one plan, each read once: the plan's own, the folders
// below it that it takes files from, and those it puts them in, there
// already or to be made.
class ReleasePlaces {
public:
    using Reader = std::function<FolderContents(const QString &folder)>;
    ReleasePlaces(const QString &folder, const FolderContents &contents, const Reader &read);

    ReleasePlace &here() { return *m_here; }
    // The folder named name inside parent: the one there already (in its own
    // letter case, on a case-blind volume), or one to make. Refused where a
    // file holds its name, it is another drive or cannot be read.
    ReleasePlace &child(ReleasePlace &parent, const QString &name);
    // The folder that folders name below the plan's, each inside the one
    // before; the first refused one where one on the way is.
    ReleasePlace &find(const QStringList &folders);

    // Whether name is taken in place for the file self (an entry of
    // selfPlace): given to another file of the plan, or held by an entry
    // that stays.
    bool taken(const ReleasePlace &place, const QString &name, const ReleasePlace *selfPlace, int self) const;
    // Whether the volume takes name there, and the system its whole path.
    bool fits(const ReleasePlace &place, const QString &name) const;
    // Gives name in place to entry of from, whose name is fromName now.
    void give(ReleasePlace &place, const QString &name, ReleasePlace &from, int entry,
              const QString &fromName);
    // Whether a video of place's that gets no clean name has the name base,
    // by its key, without its extension.
    bool holdsVideo(ReleasePlace &place, const QString &base) const;
    // Whether any of its videos gets no clean name: mostly none, where files move from.
    bool holdsVideos(ReleasePlace &place) const;
    // Whether path names an entry once the plan is done.
    bool heldAfter(const QString &path) const;

    // Every folder, the plan's own first and each before those inside it.
    const std::map<QString, ReleasePlace> &all() const { return m_places; }
    // The folders below the plan's own that were read, as read.
    const QList<std::pair<QString, FolderContents>> &read() const { return m_read; }

private:
    QString key(const QString &name) const { return nameKey(name, m_caseBlind); }

    Reader m_reader;
    bool m_caseBlind;
    QString m_volume;
    int m_longestName;
    std::map<QString, ReleasePlace> m_places;              // by the key of shown
    mutable QHash<QString, const ReleasePlace *> m_byPath; // made when first asked for
    ReleasePlace *m_here;
    QList<std::pair<QString, FolderContents>> m_read;
};
