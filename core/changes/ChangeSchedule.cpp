// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/changes/ChangeSchedule.h"

#include "core/base/NameKey.h"
#include "core/base/TemporaryName.h"
#include "core/base/Paths.h"

#include <QHash>
#include <QSet>
#include <random>

namespace {

// A temporary path in the folder of path that nothing holds or wants.
QString drawTemporary(std::mt19937 &random, const RenamePlan &plan, const QString &path, QSet<QString> &avoid)
{
    const QString folder = Paths::folderPart(path);
    const QString name = freeTemporaryName(
        [&](const QString &name) {
            const QString temporary = Paths::join(folder, name);
            return avoid.contains(nameKey(temporary, plan.caseBlind))
                   || (plan.stays && plan.stays(temporary));
        },
        [&random] { return std::uniform_real_distribution<double>(0.0, 1.0)(random); });
    if (name.isEmpty())
        return {};
    const QString temporary = Paths::join(folder, name);
    avoid.insert(nameKey(temporary, plan.caseBlind));
    return temporary;
}

} // namespace

ChangeSchedule scheduleRenames(const RenamePlan &plan)
{
    const qsizetype count = plan.renames.size();
    ChangeSchedule schedule;
    schedule.renames = plan.renames;
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
            schedule.steps.append({ChangeSchedule::Direct, next});
            scheduled[next] = true;
        }
    };
    for (int i = 0; i < count; ++i) {
        if (scheduled[i] || waitsFor[i] >= 0)
            continue;
        schedule.steps.append({ChangeSchedule::Direct, i});
        scheduled[i] = true;
        follow(i);
    }
    // What is left are cycles: one file of each steps aside, under a name
    // that no file of the plan holds or wants.
    QSet<QString> avoid;
    std::mt19937 random(1);
    for (int i = 0; i < count; ++i) {
        if (scheduled[i])
            continue;
        if (avoid.isEmpty()) {
            avoid = wanted;
            for (auto it = holder.cbegin(); it != holder.cend(); ++it)
                avoid.insert(it.key());
        }
        schedule.temporaries[i] = drawTemporary(random, plan, plan.renames[i].from, avoid);
        schedule.steps.append({ChangeSchedule::Park, i});
        scheduled[i] = true;
        follow(i);
        schedule.steps.append({ChangeSchedule::Place, i});
    }
    return schedule;
}
