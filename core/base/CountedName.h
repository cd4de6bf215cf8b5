// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// A new name that is taken gets a counter behind it, after its extension:
// NAME.1, NAME.2, up to NAME.LastCounter.
constexpr int LastCounter = 19;

// The name with that counter: countedName("X.AVI", 2) is "X.AVI.2".
QString countedName(const QString &name, int counter);
