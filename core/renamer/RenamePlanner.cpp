// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/renamer/RenamePlanner.h"

#include "core/base/CountedName.h"
#include "core/base/FolderEntry.h"
#include "core/base/RowOrder.h"
#include "core/renamer/RenameRule.h"

#include <algorithm>

RenamePlanner::RenamePlanner(const FolderModel &model, const Wildcard &filter)
    : m_model(model)
    , m_filter(filter)
{}

void RenamePlanner::index() const
{
    if (!m_upper.isEmpty() || m_model.count() == 0)
        return;
    m_listed.resize(m_model.count(), false);
    m_rowKeys.resize(m_model.count());
    m_upper.resize(m_model.count());
    for (int i = 0; i < m_model.count(); ++i)
        indexEntry(i);
}

void RenamePlanner::indexEntry(int entry) const
{
    const QString &name = m_model.name(entry);
    m_rowKeys[entry] = RowKey(name);
    m_upper[entry] = UpperName(name);
    const bool listed = m_model.kind(entry) == FolderEntry::File && m_filter.matches(name);
    m_listedCount += int(listed) - int(m_listed[entry]);
    m_listed[entry] = listed;
}

void RenamePlanner::rename(int entry, const QString &name)
{
    m_model.rename(entry, name);
    if (!m_upper.isEmpty())
        indexEntry(entry);
}

std::vector<int> RenamePlanner::listedHolding(const UpperName &from) const
{
    index();
    std::vector<int> holding;
    const auto byRow = [this](int a, int b) {
        return m_rowKeys[a] < m_rowKeys[b];
    };
    if (m_listedCount <= MaxListRows) {
        for (int i = 0; i < m_model.count(); ++i)
            if (m_listed[i] && m_upper[i].matches(from))
                holding.push_back(i);
        std::sort(holding.begin(), holding.end(), byRow);
        return holding;
    }
    // The list shows only its first rows: which they are takes the whole order.
    std::vector<int> rows;
    for (int i = 0; i < m_model.count(); ++i)
        if (m_listed[i])
            rows.push_back(i);
    std::partial_sort(rows.begin(), rows.begin() + MaxListRows, rows.end(), byRow);
    rows.resize(MaxListRows);
    std::copy_if(rows.cbegin(), rows.cend(), std::back_inserter(holding),
                 [&](int i) { return m_upper[i].matches(from); });
    return holding;
}

void RenamePlanner::place(EntryOutcome &outcome, int file) const
{
    if (m_model.fits(outcome.wanted) && !m_model.takenByOther(outcome.wanted, file)) {
        outcome.result = outcome.wanted;
        outcome.what = outcome.wanted == outcome.shown ? EntryOutcome::Renamed : EntryOutcome::Trimmed;
        return;
    }
    for (int k = 1; k <= LastCounter; ++k) {
        const QString counted = countedName(outcome.wanted, k);
        if (m_model.fits(counted) && !m_model.takenByOther(counted, file)) {
            outcome.result = counted;
            outcome.what = EntryOutcome::Counted;
            return;
        }
    }
    outcome.what = m_model.fits(outcome.wanted) ? EntryOutcome::NoRoom : EntryOutcome::TooLong;
}

EntryOutcome RenamePlanner::press(const QString &entry, const QString &shown, bool refused, int listedAs)
{
    EntryOutcome outcome;
    outcome.shown = shown;
    outcome.wanted = trimBlanks(shown);
    if (refused) {
        outcome.what = EntryOutcome::Refused;
        return outcome;
    }
    if (outcome.wanted.isEmpty() || isHiddenName(outcome.wanted)) {
        outcome.what = outcome.wanted.isEmpty() ? EntryOutcome::NoName : EntryOutcome::Hidden;
        return outcome;
    }
    // The file is named by its listed name, trimmed: with blanks in front,
    // that names another file or none.
    const QString old = trimBlanks(entry);
    const int file = listedAs >= 0 && old.size() == entry.size() ? listedAs : m_model.find(old);
    if (file < 0) {
        outcome.what = EntryOutcome::Gone;
        return outcome;
    }
    // The list was read a while ago: what it showed as a file may be a
    // folder by now, which MAKE CHANGES leaves alone.
    if (m_model.kind(file) != FolderEntry::File) {
        outcome.what = EntryOutcome::NotAFile;
        return outcome;
    }
    place(outcome, file);
    if (outcome.what == EntryOutcome::Counted || outcome.what == EntryOutcome::NoRoom)
        m_crowdedOut.insert(file);
    // A file that finds no free name goes back to the name it was reached by.
    const QString ends = outcome.result.isEmpty() ? old : outcome.result;
    if (ends != m_model.name(file))
        rename(file, ends);
    return outcome;
}

QList<EntryOutcome> RenamePlanner::makeChanges(const QStringList &entries, const QString &from,
                                               const QString &to)
{
    const UpperName upperFrom(from), upperTo(to);
    const bool refused = !renameToIsAllowed(to);
    QList<EntryOutcome> outcomes;
    outcomes.reserve(entries.size());
    for (const QString &entry : entries) {
        const UpperName name(entry);
        if (name.matches(upperFrom))
            outcomes << press(entry, name.renamed(upperFrom, upperTo), refused);
    }
    return outcomes;
}

void RenamePlanner::makeChangesOnFileList(const QString &from, const QString &to)
{
    const UpperName upperFrom(from), upperTo(to);
    const bool refused = !renameToIsAllowed(to);
    // The names as the list shows them when the press starts: a press may
    // rename a file that it reaches later under its listed name.
    const std::vector<int> holding = listedHolding(upperFrom);
    QStringList entries, shown;
    for (int entry : holding) {
        entries << m_model.name(entry);
        shown << m_upper[entry].renamed(upperFrom, upperTo);
    }
    for (qsizetype i = 0; i < entries.size(); ++i)
        press(entries[i], shown[i], refused, holding[i]);
}

bool RenamePlanner::fileListHolds(const QString &from) const
{
    const UpperName upperFrom(from);
    index();
    if (m_listedCount > MaxListRows)
        return !listedHolding(upperFrom).empty();
    for (int i = 0; i < m_model.count(); ++i)
        if (m_listed[i] && m_upper[i].matches(upperFrom))
            return true;
    return false;
}

QStringList RenamePlanner::previewFileList(const QString &from, const QString &to) const
{
    const UpperName upperFrom(from), upperTo(to);
    QStringList rows;
    for (int entry : listedHolding(upperFrom))
        rows << m_upper[entry].renamed(upperFrom, upperTo);
    return rows;
}
