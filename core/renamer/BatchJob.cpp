// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/renamer/BatchJob.h"

#include "core/base/Paths.h"
#include "core/base/RowOrder.h"
#include "core/renamer/CleanUpBatch.h"
#include "core/renamer/RenamePlanner.h"
#include "core/renamer/RenameRule.h"
#include "core/renamer/RenamerChange.h"
#include "core/renamer/UpperCaseWalk.h"

#include <algorithm>
#include <utility>
#include <vector>

BatchJob batchJobFor(const QString &answer)
{
    const QString word = trimBlanks(answer.toUpper());
    if (word == u"YES")
        return BatchJob::CleanUp;
    if (word == u"TITLES")
        return BatchJob::Titles;
    if (word == u"LIBRARY")
        return BatchJob::Library;
    if (word == u"FOLDERS")
        return BatchJob::Folders;
    if (word == u"FILES")
        return BatchJob::Files;
    return BatchJob::Cancel;
}

namespace {

// What the user did, as the change record keeps it.
ChangeAction actionFor(BatchJob job)
{
    switch (job) {
    case BatchJob::CleanUp:
        return ChangeAction::CleanUpBatch;
    case BatchJob::Titles:
        return ChangeAction::Titles;
    case BatchJob::Library:
        return ChangeAction::Library;
    case BatchJob::Folders:
    case BatchJob::Files:
    case BatchJob::Cancel:
        break;
    }
    return ChangeAction::UpperCaseWalk;
}

// The renames that model's names after the job make in folder, and the
// preview of them: a row for each entry whose name changes, in the file
// list's order, and a line that counts them among the total names the job
// looked at. alone holds, for each entry whose name the other entries may
// have swayed, the name the job gives it in a folder of its own: a row
// whose name is another was given a counter suffix (or a step left its name
// as it was) because that name was taken. kept holds the rows of entries
// that keep their names for a reason of their own, each with its warning,
// and untold how many of them had no title that could be told apart.
void finishPlan(BatchPlan &plan, const QString &folder, const FolderModel &model,
                const QHash<int, QString> &alone, qsizetype total)
{
    plan.renames = model.plan(folder);
    std::vector<std::pair<RowKey, int>> changed;
    for (int entry = 0; entry < model.count(); ++entry)
        if (model.name(entry) != model.firstName(entry))
            changed.emplace_back(RowKey(model.firstName(entry)), entry);
    std::sort(changed.begin(), changed.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    qsizetype counted = 0;
    plan.preview.rows.reserve(qsizetype(changed.size()));
    for (const auto &[key, entry] : changed) {
        EntryOutcome taken;
        taken.wanted = alone.value(entry, model.name(entry));
        taken.result = model.name(entry);
        if (taken.wanted != taken.result) {
            taken.what = EntryOutcome::Counted;
            ++counted;
        }
        plan.preview.rows.append({model.firstName(entry), model.name(entry), taken});
    }
    qsizetype crowded = 0;
    for (auto entry = alone.cbegin(); entry != alone.cend(); ++entry)
        crowded += model.name(entry.key()) == model.firstName(entry.key())
                   && entry.value() != model.firstName(entry.key());

    AnswerPreview &preview = plan.preview;
    preview.total = total;
    preview.changes = qsizetype(changed.size());
    preview.counted = counted;
    preview.kept = crowded;
}

// The name that the clean-up batch gives entry in a folder of its own on the
// same volume.
QString cleanedAlone(const FolderContents &contents, const FolderEntry &entry, const Wildcard &filter)
{
    FolderContents alone = contents;
    alone.entries = {entry};
    RenamePlanner planner(FolderModel(alone), filter);
    planCleanUpBatch(planner, {entry.name});
    return planner.model().name(0);
}

// Whether the plan is done before its preview: stopped, or made only to run,
// with the renames of model's names.
bool endsUnpreviewed(BatchPlan &plan, const QString &folder, const FolderModel &model,
                     const std::function<bool()> &stopped)
{
    if (stopped && stopped())
        return true;
    if (plan.previewed)
        return false;
    plan.renames = model.plan(folder);
    return true;
}

void planCleanUpJob(BatchPlan &plan, const QString &folder, const FolderContents &contents,
                    const BatchScope &scope, const std::function<bool()> &stopped)
{
    RenamePlanner planner(FolderModel(contents), scope.filter);
    plan.lastPreview = planCleanUpBatch(planner, scope.rows, stopped);
    if (endsUnpreviewed(plan, folder, planner.model(), stopped))
        return;
    // Only another file's name can make a file's name differ from the one it
    // gets alone.
    QHash<int, QString> alone;
    for (int entry : planner.crowdedOut()) {
        if (stopped && stopped())
            return;
        alone.insert(entry, cleanedAlone(contents, contents.entries[entry], scope.filter));
    }
    finishPlan(plan, folder, planner.model(), alone, scope.rows.size());
}

// TITLES and LIBRARY: the preview is part of the plan, as the box and the
// change read one and the same plan.
void planReleasesJob(BatchPlan &plan, BatchJob job, const QString &folder, const FolderContents &contents,
                     const BatchScope &scope, const std::function<bool()> &stopped)
{
    ReleasePlan releases = planReleases(
        job == BatchJob::Library ? ReleaseLayout::Library : ReleaseLayout::InPlace, folder, contents,
        scope.rows, scope.latestYear, scope.readBelow, stopped);
    plan.readBelow = std::move(releases.read);
    plan.renames = std::move(releases.renames);
    plan.madeFolders = std::move(releases.madeFolders);
    plan.removedFolders = std::move(releases.removedFolders);
    plan.folders = std::move(releases.folders);
    plan.preview = std::move(releases.preview);
}

void planWalkJob(BatchPlan &plan, BatchJob job, const QString &folder, const FolderContents &contents)
{
    const FolderEntry::Kind walked = job == BatchJob::Folders ? FolderEntry::Folder : FolderEntry::File;
    FolderModel model(contents);
    planUpperCaseWalk(model, job == BatchJob::Folders ? WalkMode::Folders : WalkMode::Files);
    if (endsUnpreviewed(plan, folder, model, {}))
        return;
    qsizetype total = 0;
    QHash<int, QString> alone;
    for (int entry = 0; entry < model.count(); ++entry) {
        if (model.kind(entry) != walked)
            continue;
        ++total;
        const QString upper = upperCased(model.firstName(entry));
        if (upper != model.firstName(entry))
            alone.insert(entry, upper);
    }
    finishPlan(plan, folder, model, alone, total);
}

} // namespace

BatchPlan planBatch(BatchJob job, const QString &folder, const FolderContents &contents,
                    const BatchScope &scope, bool withPreview, const std::function<bool()> &stopped)
{
    BatchPlan plan;
    plan.readFrom = contents;
    plan.previewed = withPreview;
    switch (job) {
    case BatchJob::Cancel:
        plan.preview.cancels = true;
        break;
    case BatchJob::CleanUp:
        planCleanUpJob(plan, folder, contents, scope, stopped);
        break;
    case BatchJob::Titles:
    case BatchJob::Library:
        planReleasesJob(plan, job, folder, contents, scope, stopped);
        break;
    case BatchJob::Folders:
    case BatchJob::Files:
        planWalkJob(plan, job, folder, contents);
        break;
    }
    return plan;
}

ChangePlan batchChange(BatchJob job, const QString &folder, const BatchPlan &plan)
{
    ChangePlan change = renamerChange(actionFor(job), folder, plan.renames);
    if (job != BatchJob::Titles && job != BatchJob::Library)
        return change;
    change.folders = plan.folders;
    change.madeFolders = plan.madeFolders;
    change.removedFolders = plan.removedFolders;
    change.schedule.folders = plan.madeFolders + plan.removedFolders;
    // Each folder is made just before the first file that goes into it, so
    // that a stop leaves no empty folders behind but those of that file.
    QHash<QString, int> toMake;
    for (int i = 0; i < plan.madeFolders.size(); ++i)
        toMake.insert(plan.madeFolders[i], i);
    QList<ChangeSchedule::Step> steps;
    for (const ChangeSchedule::Step &step : std::as_const(change.schedule.steps)) {
        QList<ChangeSchedule::Step> folders;
        for (QString at = Paths::folderPart(change.schedule.renames[step.index].to); toMake.contains(at);
             at = Paths::folderPart(at))
            folders.prepend({ChangeSchedule::MakeFolder, toMake.take(at)});
        steps += folders;
        steps.append(step);
    }
    for (qsizetype i = 0; i < plan.removedFolders.size(); ++i)
        steps.append({ChangeSchedule::RemoveFolder, int(plan.madeFolders.size() + i)});
    change.schedule.steps = steps;
    return change;
}
