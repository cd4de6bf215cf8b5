// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// A number as the user's language writes it: "4,212" in English, "4.212" in
// German. A counted sentence takes its number through tr()'s %Ln instead, so
// that its words agree with the number: its source text is the English for
// many ("%Ln names"), and the English translation adds the form for one.
QString numberText(qsizetype number);
