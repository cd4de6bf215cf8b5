// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The planned core against the step-by-step reference on two equal folders
// made from one seeded clashing folder, inside parent. Each returns the empty
// text when both end with the same names holding the same files, and
// otherwise what differs.

// The whole clean-up batch over the file list.
QString compareCleanUpBatch(unsigned seed, const QString &parent, bool caseBlind);
// One to three presses of MAKE CHANGES with short texts.
QString compareMakeChanges(unsigned seed, const QString &parent, bool caseBlind);
// The upper-case walk over folders or files.
QString compareUpperCaseWalk(unsigned seed, const QString &parent, bool caseBlind);

// Test rows "clean-up batch", "MAKE CHANGES" and "upper-case walk", each with
// its comparison and a number of folders; and the check of one row: every
// seed from 1 to that number, stopping at the first difference.
void addComparisonRows(int batchFolders, int makeChangesFolders, int walkFolders);
void compareSeeds(const QString &parent, bool caseBlind);
