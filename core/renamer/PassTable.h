// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

// One step of the clean-up batch: the engine replaces FROM by TO in every
// listed name. The year step carries no texts of its own; it runs once for
// each year from PassFirstYear to PassLastYear.
struct PassStep {
    QString from;
    QString to;
    bool isYearStep = false;
};

constexpr int PassFirstYear = 1950;
constexpr int PassLastYear = 2012;

// The 54 steps of the clean-up batch, in the order they must run: longer
// tags before the shorter tags they contain, brackets before dots, dots
// turned into blanks before the known extensions get their dot back, and
// blanks squeezed after the year step has added its own.
const QList<PassStep> &passTable();

// The TO text of the year step for a year's digits: " (" + year + ")".
QString passYearTo(const QString &yearText);
