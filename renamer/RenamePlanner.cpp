#include "renamer/RenamePlanner.h"

#include "app/FolderListing.h"
#include "app/RowOrder.h"
#include "renamer/RenameRule.h"

#include <algorithm>

namespace {

// Counter suffixes .1 to .19 for a new name that is taken.
constexpr int CounterLimit = 20;

} // namespace

QString warningFor(const EntryOutcome &outcome)
{
    switch (outcome.what) {
    case EntryOutcome::Renamed:
        return {};
    case EntryOutcome::Trimmed:
        return QStringLiteral("becomes \"%1\": the blanks at either end are dropped")
            .arg(outcome.result);
    case EntryOutcome::Counted:
        return QStringLiteral("becomes %1: %2 is taken").arg(outcome.result, outcome.wanted);
    case EntryOutcome::NoName:
        return QStringLiteral("keeps its name: the new name would be empty");
    case EntryOutcome::Hidden:
        return QStringLiteral("keeps its name: a name that begins with a dot would hide it");
    case EntryOutcome::Gone:
        return QStringLiteral("keeps its name: it is no longer in this folder");
    case EntryOutcome::NoRoom:
        return QStringLiteral("keeps its name: %1 and %1.1 to %1.19 are taken").arg(outcome.wanted);
    case EntryOutcome::TooLong:
        return QStringLiteral("keeps its name: %1 is too long for this drive").arg(outcome.wanted);
    case EntryOutcome::Refused:
        return QStringLiteral("nothing is renamed: RENAME TO may not hold \" < > : / \\ | ? *");
    }
    return {};
}

RenamePlanner::RenamePlanner(const FolderModel &model, const Wildcard &filter)
    : m_model(model), m_filter(filter)
{
    m_rowKeys.reserve(m_model.count());
    QList<int> all;
    for (int i = 0; i < m_model.count(); ++i) {
        m_rowKeys << rowKey(m_model.name(i));
        all << i;
    }
    relist(all);
}

bool RenamePlanner::listed(int entry) const
{
    return m_model.kind(entry) == FolderEntry::File && m_filter.matches(m_model.name(entry));
}

void RenamePlanner::relist(const QList<int> &changed)
{
    const auto inRowOrder = [&](int a, int b) {
        const int folded = QString::compare(m_rowKeys[a], m_rowKeys[b], Qt::CaseSensitive);
        return folded != 0 ? folded < 0 : m_model.name(a) < m_model.name(b);
    };
    QList<bool> moved(m_model.count(), false);
    QList<int> incoming;
    for (int entry : changed) {
        moved[entry] = true;
        m_rowKeys[entry] = rowKey(m_model.name(entry));
        if (listed(entry))
            incoming << entry;
    }
    std::sort(incoming.begin(), incoming.end(), inRowOrder);
    QList<int> staying;
    staying.reserve(m_listed.size());
    for (int entry : m_listed)
        if (!moved[entry])
            staying << entry;
    m_listed.clear();
    m_listed.reserve(staying.size() + incoming.size());
    std::merge(staying.cbegin(), staying.cend(), incoming.cbegin(), incoming.cend(),
               std::back_inserter(m_listed), inRowOrder);
    m_fileListStale = true;
}

QStringList RenamePlanner::fileList() const
{
    if (m_fileListStale) {
        const qsizetype rows = std::min<qsizetype>(m_listed.size(), MaxListRows);
        m_fileList.clear();
        m_fileList.reserve(rows);
        for (qsizetype i = 0; i < rows; ++i)
            m_fileList << m_model.name(m_listed[i]);
        m_fileListStale = false;
    }
    return m_fileList;
}

void RenamePlanner::place(EntryOutcome &outcome, int file) const
{
    if (m_model.fits(outcome.wanted) && !m_model.takenByOther(outcome.wanted, file)) {
        outcome.result = outcome.wanted;
        outcome.what = outcome.wanted == outcome.shown ? EntryOutcome::Renamed
                                                        : EntryOutcome::Trimmed;
        return;
    }
    for (int k = 1; k < CounterLimit; ++k) {
        const QString counted = outcome.wanted + u'.' + QString::number(k);
        if (m_model.fits(counted) && !m_model.takenByOther(counted, file)) {
            outcome.result = counted;
            outcome.what = EntryOutcome::Counted;
            return;
        }
    }
    outcome.what = m_model.fits(outcome.wanted) ? EntryOutcome::NoRoom : EntryOutcome::TooLong;
}

QList<EntryOutcome> RenamePlanner::makeChanges(const QStringList &entries, const QString &from,
                                               const QString &to)
{
    QList<EntryOutcome> outcomes;
    const bool refused = !RenameToIsAllowed(to);
    QList<int> changed;
    for (const QString &entry : entries) {
        if (!NameMatches(entry, from))
            continue;
        EntryOutcome &outcome = outcomes.emplace_back();
        outcome.shown = RenamedName(entry, from, to);
        outcome.wanted = trimBlanks(outcome.shown);
        if (refused) {
            outcome.what = EntryOutcome::Refused;
            continue;
        }
        if (outcome.wanted.isEmpty() || isHiddenName(outcome.wanted)) {
            outcome.what = outcome.wanted.isEmpty() ? EntryOutcome::NoName : EntryOutcome::Hidden;
            continue;
        }
        // The file is named by its listed name, trimmed: with blanks in
        // front, that names another file or none.
        const QString old = trimBlanks(entry);
        const int file = m_model.find(old);
        if (file < 0) {
            outcome.what = EntryOutcome::Gone;
            continue;
        }
        place(outcome, file);
        // A file that finds no free name goes back to the name it was reached by.
        const QString ends = outcome.result.isEmpty() ? old : outcome.result;
        if (ends != m_model.name(file)) {
            m_model.rename(file, ends);
            changed << file;
        }
    }
    if (!changed.isEmpty())
        relist(changed);
    return outcomes;
}
