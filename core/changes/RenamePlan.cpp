#include "core/changes/RenamePlan.h"

#include "core/base/CountedName.h"
#include "core/base/NameKey.h"
#include "core/base/TemporaryName.h"
#include "core/host/Host.h"
#include "core/base/Paths.h"

#include <QHash>

namespace {

// A temporary path in the folder of path that nothing holds or wants.
QString drawTemporary(Host &host, const RenamePlan &plan, const QString &path,
                      QSet<QString> &avoid)
{
    const QString folder = Paths::folderPart(path);
    const QString name = freeTemporaryName(
        [&](const QString &name) {
            const QString temporary = Paths::join(folder, name);
            return avoid.contains(nameKey(temporary, plan.caseBlind))
                || (plan.stays && plan.stays(temporary));
        },
        [&host] { return host.NextRandom(); });
    if (name.isEmpty())
        return {};
    const QString temporary = Paths::join(folder, name);
    avoid.insert(nameKey(temporary, plan.caseBlind));
    return temporary;
}

} // namespace

RenameSchedule scheduleRenames(const RenamePlan &plan, Host &host)
{
    const qsizetype count = plan.renames.size();
    RenameSchedule schedule;
    schedule.temporaries.resize(count);

    // Each rename waits for at most one other (the one holding its new name)
    // and is waited for by at most one: the renames form chains and cycles.
    QHash<QString, int> holder;
    holder.reserve(count);
    for (int i = 0; i < count; ++i)
        holder.insert(nameKey(plan.renames[i].from, plan.caseBlind), i);
    QList<int> waitsFor(count, -1), wantedBy(count, -1);
    QList<bool> scheduled(count, false);
    QSet<QString> wanted;
    wanted.reserve(count);
    for (int i = 0; i < count; ++i) {
        const QString key = nameKey(plan.renames[i].to, plan.caseBlind);
        if (plan.renames[i].from == plan.renames[i].to || wanted.contains(key)) {
            scheduled[i] = true; // nothing to do, or a name wanted twice: left alone
            continue;
        }
        wanted.insert(key);
        const int j = holder.value(key, -1);
        waitsFor[i] = j;
        if (j >= 0)
            wantedBy[j] = i;
    }
    // Renames that a freed name lets go next, one after the other.
    auto follow = [&](int i) {
        for (int next = wantedBy[i]; next >= 0 && !scheduled[next]; next = wantedBy[next]) {
            schedule.steps.append({next, RenameSchedule::Direct});
            scheduled[next] = true;
        }
    };
    for (int i = 0; i < count; ++i) {
        if (scheduled[i] || waitsFor[i] >= 0)
            continue;
        schedule.steps.append({i, RenameSchedule::Direct});
        scheduled[i] = true;
        follow(i);
    }
    // What is left are cycles: one file of each steps aside, under a name
    // that no file of the plan holds or wants.
    QSet<QString> avoid;
    for (int i = 0; i < count; ++i) {
        if (scheduled[i])
            continue;
        if (avoid.isEmpty()) {
            host.SeedRandom(1);
            avoid = wanted;
            for (auto it = holder.cbegin(); it != holder.cend(); ++it)
                avoid.insert(it.key());
        }
        schedule.temporaries[i] = drawTemporary(host, plan, plan.renames[i].from, avoid);
        schedule.steps.append({i, RenameSchedule::Park});
        scheduled[i] = true;
        follow(i);
        schedule.steps.append({i, RenameSchedule::Place});
    }
    return schedule;
}

namespace {

// A file that waited under a temporary path and cannot reach its new one:
// back to its old path, or the first free counted name beside it.
QString putBack(Host &host, const QString &temporary, const QString &old)
{
    if (host.RenameFile(temporary, old))
        return old;
    for (int k = 1; k <= LastCounter; ++k) {
        const QString counted = countedName(old, k);
        if (host.RenameFile(temporary, counted))
            return counted;
    }
    return temporary;
}

} // namespace

QStringList runSchedule(Host &host, const RenamePlan &plan, const RenameSchedule &schedule)
{
    QStringList at;
    at.reserve(plan.renames.size());
    for (const Rename &rename : plan.renames)
        at << rename.from;
    for (const RenameSchedule::Step &step : schedule.steps) {
        const Rename &rename = plan.renames[step.rename];
        const QString &temporary = schedule.temporaries[step.rename];
        switch (step.kind) {
        case RenameSchedule::Direct:
            if (host.RenameFile(rename.from, rename.to))
                at[step.rename] = rename.to;
            break;
        case RenameSchedule::Park:
            if (!temporary.isEmpty() && host.RenameFile(rename.from, temporary))
                at[step.rename] = temporary;
            break;
        case RenameSchedule::Place:
            if (at[step.rename] != temporary)
                break;
            at[step.rename] = host.RenameFile(temporary, rename.to)
                ? rename.to
                : putBack(host, temporary, rename.from);
            break;
        }
    }
    return at;
}

QStringList applyPlan(Host &host, const RenamePlan &plan)
{
    return runSchedule(host, plan, scheduleRenames(plan, host));
}
