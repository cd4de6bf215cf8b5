#pragma once

#include <QString>

// Counts as the program tells them: whole numbers with commas between
// thousands ("4,212"), and a noun that agrees.

QString numberText(qsizetype number);
// "1 name", "4,212 names": one or many, as the number asks.
QString countText(qsizetype number, const QString &one, const QString &many);
