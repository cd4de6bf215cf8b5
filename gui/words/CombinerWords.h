// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Outcome.h"
#include "core/combiner/CombinerFiles.h"

#include <QCoreApplication>
#include <QString>

// What the combiner tells the user of the files it writes: every sentence
// made here, translatable.
class CombinerWords {
    Q_DECLARE_TR_FUNCTIONS(CombinerWords)
public:
    // Why a refused file was not written: the entry it cannot carry.
    static QString refused(const PlannedTextFile &file);
    // That the file at path could not be created, and why.
    static QString notCreated(const QString &path, const Outcome &outcome);
    // That the file at path is written and waits to be run.
    static QString ready(const QString &path);
};
