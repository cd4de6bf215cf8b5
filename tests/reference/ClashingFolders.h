// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <random>

// Seeded random folders of release-style names that clash: variants of one
// title that the clean-up batch folds onto one name, twins that differ in
// letter case, more variants than there are counter suffixes, folders named
// like cleaned files, names near the length limit, and names with blanks at
// either end.
struct ClashingFolder {
    QStringList files;
    QStringList folders;
    QString filter;      // the file list's pattern
    QStringList missing; // listed entries that are no longer on disk
};

// One such folder. On a case-blind volume no two names differ only in case.
ClashingFolder clashingFolder(std::mt19937 &random, bool caseBlind);

// A short CHANGE THIS or RENAME TO text, as a user types them.
QString shortFromText(std::mt19937 &random);
QString shortToText(std::mt19937 &random);
