#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>

class Host;

// A rename of one file or folder, by full paths.
struct Rename {
    QString from;
    QString to;
};

// Renames worked out in memory, to be performed together: every file moves
// once, from where it is to where it ends, and no two end at the same name.
struct RenamePlan {
    QList<Rename> renames;
    // Whether the volume takes names that differ only in letter case for one.
    bool caseBlind = false;
    // Whether a path names an entry that stays where it is: no temporary
    // name may be one, nor any path the plan renames from or to.
    std::function<bool(const QString &path)> stays;
};

// The order in which a plan's renames run. A rename waits until another
// rename of the plan has freed the name it needs; a cycle of names, or a
// case-only rename on a case-blind volume, passes one file through a
// temporary name.
struct RenameSchedule {
    enum Kind {
        Direct, // straight from its old path to its new one
        Park,   // from its old path to its temporary path
        Place,  // from its temporary path to its new one
    };
    struct Step {
        int rename; // index into the plan's renames
        Kind kind;
    };
    QList<Step> steps;
    // For each rename, the temporary path it waits under; empty for most.
    QStringList temporaries;
};

// Orders the renames of a plan. Temporary paths are the plan's folder, the
// temporary prefix and a number drawn from the host's random source, seeded
// with 1; none is held or wanted by anything in the plan.
RenameSchedule scheduleRenames(const RenamePlan &plan, Host &host);

// Performs a schedule, never replacing anything. A rename the volume refuses
// leaves that file where it was and the rest go on; a file that waited under
// a temporary path and cannot reach its new one goes back to its old path,
// or, when that is taken now, to the first free of OLD.1 to OLD.19. Returns,
// for each rename, the path where its file stands afterwards.
QStringList runSchedule(Host &host, const RenamePlan &plan, const RenameSchedule &schedule);

// Schedules and runs a plan; returns where each file stands afterwards.
QStringList applyPlan(Host &host, const RenamePlan &plan);
