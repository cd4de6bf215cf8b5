// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/renamer/PassTable.h"

namespace {

PassStep replace(const char *from, const char *to)
{
    return {QString::fromUtf8(from), QString::fromUtf8(to), false};
}

} // namespace

const QList<PassStep> &passTable()
{
    static const QList<PassStep> steps{
        replace("DVDRIP", ""),
        replace("DVD", ""),
        replace("BDRIP", ""),
        replace("BRRIP", ""),
        replace("BRR", ""),
        replace("PPVRIP", ""),
        replace("PPVR", ""),
        replace("PPV", ""),
        replace("HDTV", ""),
        replace("XVID", ""),
        replace("AXXO", ""),
        replace("ESPISE", ""),
        replace("AMIABLE", ""),
        replace("DOWNLOAD", ""),
        // Release names carry the site they were shared on; it goes whole
        // before its own word "sharethefiles" further down.
        replace("www.sharethefiles.com", ""),
        replace("Absolon", ""),
        replace("limited", ""),
        replace("unrated", ""),
        replace("homecinema", ""),
        replace("QSS", ""),
        replace("DVRMS", ""),
        replace("P0W4", ""),
        replace("IFLIX", ""),
        replace("sharethefiles", ""),
        replace("deity.avi", ""),
        replace("HAGGIS", ""),
        replace("EDITION", "("),
        replace("_", " "),
        replace("-", " "),
        replace("[", ""),
        replace("]", ""),
        replace("(", ""),
        replace(")", ""),
        replace("..", "."),
        replace("..", "."),
        replace(".", " "),
        replace(" AVI", ".AVI"),
        replace(" TS", ".TS"),
        replace(" MKV", ".MKV"),
        replace(" MPG", ".MPG"),
        replace(" MP4", ".MP4"),
        replace(" M4V", ".M4V"),
        replace(" DIVX", ".DIVX"),
        replace(" ISO", ".ISO"),
        replace(" FLV", ".FLV"),
        replace(" VOB", ".VOB"),
        replace(" SRT", ".SRT"),
        replace(" PDF", ".PDF"),
        PassStep{{}, {}, true},
        replace("  ", " "),
        replace("  ", " "),
        replace("  ", " "),
        replace(" .", "."),
        // Changes no text, but every name holding a dot ends in upper case.
        replace(".", "."),
    };
    return steps;
}

QString passYearTo(const QString &yearText)
{
    return QStringLiteral(" (") + yearText + u')';
}
