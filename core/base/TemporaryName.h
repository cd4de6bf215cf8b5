// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

// The name under which a file waits between two renames: this prefix and a
// number from 1 to LastTemporaryNumber.
inline const QString TemporaryNamePrefix = QStringLiteral("tamsel.ltmp.1z7.");
constexpr int LastTemporaryNumber = 9999;

// The temporary name with that number.
QString temporaryName(int number);
// Whether a name is one that a file waits under: the prefix and a number
// from 1 to LastTemporaryNumber, written as temporaryName writes it.
bool isTemporaryName(const QString &name);
// The number that a draw u of the random source (0 <= u < 1) picks: 1 to 9999.
int temporaryNumber(double u);
// A temporary name that `taken` does not hold: first as many numbers drawn
// from `draw` as there are numbers (when a draw is given), then every number
// in turn, since a folder may hold nearly all of them. The empty text when
// every one is taken.
QString freeTemporaryName(const std::function<bool(const QString &name)> &taken,
                          const std::function<double()> &draw = {});
