#include "core/renamer/BatchJob.h"

#include "core/base/RowOrder.h"
#include "core/renamer/CleanUpBatch.h"
#include "core/renamer/ReleaseName.h"
#include "core/renamer/RenamePlanner.h"
#include "core/renamer/RenameRule.h"
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
    if (word == u"FOLDERS")
        return BatchJob::Folders;
    if (word == u"FILES")
        return BatchJob::Files;
    return BatchJob::Cancel;
}

namespace {

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
                const QHash<int, QString> &alone, qsizetype total,
                const QList<AnswerPreview::Row> &kept = {}, qsizetype untold = 0)
{
    plan.renames = model.plan(folder);
    std::vector<std::pair<RowKey, int>> changed;
    for (int entry = 0; entry < model.count(); ++entry)
        if (model.name(entry) != model.firstName(entry))
            changed.emplace_back(RowKey(model.firstName(entry)), entry);
    std::sort(changed.begin(), changed.end(),
              [](const auto &a, const auto &b) { return a.first < b.first; });
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
    // The rows of files that keep their names take their places in the
    // file list's order among the others.
    if (!kept.isEmpty()) {
        plan.preview.rows += kept;
        std::stable_sort(plan.preview.rows.begin(), plan.preview.rows.end(),
                         [](const AnswerPreview::Row &a, const AnswerPreview::Row &b) {
                             return rowLess(a.before, b.before);
                         });
    }
    qsizetype crowded = 0;
    for (auto entry = alone.cbegin(); entry != alone.cend(); ++entry)
        crowded += model.name(entry.key()) == model.firstName(entry.key())
            && entry.value() != model.firstName(entry.key());

    AnswerPreview &preview = plan.preview;
    preview.total = total;
    preview.changes = qsizetype(changed.size());
    preview.counted = counted;
    preview.kept = crowded + kept.size() - untold;
    preview.untold = untold;
}

// TITLES worked out on a planner: every listed file (scope's rows, in order)
// to the clean name of its release. The rows of files that keep their names,
// with why, go to kept; untold counts those whose title could not be told
// apart.
void planTitles(RenamePlanner &planner, const BatchScope &scope, const std::function<bool()> &stopped,
                QList<AnswerPreview::Row> &kept, qsizetype &untold)
{
    for (const QString &row : scope.rows) {
        if (stopped && stopped())
            return;
        const std::optional<ReleaseName> release = parseReleaseName(row, scope.latestYear);
        if (!release) {
            EntryOutcome untitled;
            untitled.what = EntryOutcome::NoTitle;
            kept.append({row, row, untitled});
            ++untold;
            continue;
        }
        const QString clean = cleanReleaseName(*release);
        if (clean == row)
            continue;
        const EntryOutcome outcome = planner.renameEntry(row, clean);
        if (outcome.result.isEmpty())
            kept.append({row, row, outcome});
    }
}

// The name that the clean-up batch gives entry in a folder of its own on the
// same volume.
QString cleanedAlone(const FolderContents &contents, const FolderEntry &entry,
                     const Wildcard &filter)
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

void planTitlesJob(BatchPlan &plan, const QString &folder, const FolderContents &contents,
                   const BatchScope &scope, const std::function<bool()> &stopped)
{
    RenamePlanner planner(FolderModel(contents), scope.filter);
    QList<AnswerPreview::Row> kept;
    qsizetype untold = 0;
    planTitles(planner, scope, stopped, kept, untold);
    if (endsUnpreviewed(plan, folder, planner.model(), stopped))
        return;
    // A file given a counter suffix gets, alone, its clean name; one that
    // keeps its name has a row of its own in kept.
    QHash<int, QString> alone;
    const FolderModel &model = planner.model();
    for (int entry : planner.crowdedOut())
        if (const std::optional<ReleaseName> release = parseReleaseName(model.firstName(entry), scope.latestYear);
            release && model.name(entry) != model.firstName(entry))
            alone.insert(entry, cleanReleaseName(*release));
    finishPlan(plan, folder, model, alone, scope.rows.size(), kept, untold);
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
        planTitlesJob(plan, folder, contents, scope, stopped);
        break;
    case BatchJob::Folders:
    case BatchJob::Files:
        planWalkJob(plan, job, folder, contents);
        break;
    }
    return plan;
}
