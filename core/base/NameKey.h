// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// How a name or path compares on its volume: as it is, or, where the volume
// is case-blind, with its letters folded as such volumes fold them. Two
// names with one key are one name there.
QString nameKey(const QString &name, bool caseBlind);
