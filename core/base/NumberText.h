#pragma once

#include <QString>

// What the program tells the user about counts: whole numbers in English,
// with commas between thousands ("4,212"), and a noun that agrees.

QString numberText(qsizetype number);
// "1 name", "4,212 names".
QString countText(qsizetype number, const char *one, const char *many);
