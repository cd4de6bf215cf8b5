// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/renamer/ReleaseTags.h"

#include <QList>
#include <QVarLengthArray>

#include <algorithm>
#include <utility>

namespace ReleaseTags {

namespace {

using enum Kind;

// Tags of one kind, a few to a line and separated by '|', with the code a
// language's subtitles are named with. A new tag is a word on its kind's
// line, or a line of its own. Spellings that differ only in punctuation or
// letter case ("WEB-DL", "web.dl") are one key and are listed once.
struct TagLine {
    Kind kind;
    const char *spellings;
    const char *code = "";
};

const TagLine tagLines[] = {
    {Resolution, "240p|360p|480p|540p|576p|720p|900p|1080p|1080i|1440p|2160p|4320p"},
    {Resolution, "2K|4K|8K|UHD|UltraHD|FHD|QHD"},

    {Source, "BluRay|BDRip|BRRip|BD25|BD50|BDMV|BDISO|COMPLETE BLURAY"},
    {Source, "Remux|BDRemux|UHD Remux"},
    {Source, "BDMux|BRMux|BDRipMux|BRRipMux|DLMux|HDTVMux|WEBMux|DVDMux"},
    {Source, "WEB-DL|WEBDLRip|WEBRip|WEBCap|WEBHD|WebUHD"},
    {Source, "AmazonHD|AmazonUHD|NetflixHD|NetflixUHD|NetflixUHDRip|iTunesHD|HDiTunes"},
    {Source, "HDTV|HDTVRip|AHDTV|PDTV|SDTV|UHDTV|DSR|DSRip|DTHRip|DVBRip|SATRip|TVRip|DVB"},
    {Source, "HDRip|HDDVD|HDDVDRip|HDLight|mHD|DMRip|VODRip|PPVRip|VHSRip"},
    {Source, "DVDRip|DVDivX|DVDScr|DVDScreener|DVD-R|DVD5|DVD9|DVDFull|Full DVD"},
    {Source, "HDCAM|HDTS|HDTC|TELESYNC|TELECINE|Screener|Workprint|VIDEO_TS"},

    {VideoCodec, "x264|x265|x262|H.264|H.265|H.263|H.262|HEVC|AVC|AV1|VC-1|VP8|VP9"},
    {VideoCodec, "XviD|DivX|DivX5|MPEG2|MPEG4|MPG2|WMV|Hi10P|Hi10|8bit|10bit|12bit"},

    {Audio, "AAC|AAC-LC|LC-AAC|HE-AAC|AC3|AC3D|EAC3|DD|DDP|DD-EX"},
    {Audio, "DTS|DTS-HD|DTS-HD MA|DTS-MA|DTS-ES|DTS-X|DTS-HD HRA|DTS HRA|TrueHD|Atmos|Dolby Atmos"},
    {Audio, "FLAC|MP3|MP2|LAME|Vorbis|Opus|PCM|LPCM|1.0|2.0|2.1|5.1|6.1|7.1|7.1.4|Dual Audio"},

    {Format, "TS|TC|CAM|SCR|R5|R6|PPV|VHS|WEB|DVD|HD|SD|BD|DL|LiNE|MD|LD|HQ|LQ"},
    {Format, "PAL|NTSC|SECAM|WS|FS|OAR|DXVA|BT2020|BT709|Upscale|Upscaled"},
    {Format, "MKV|MP4|AVI|Dolby|Hybrid|Colorized|HC|HardSub|HardCoded|VOST|VO|VOSTA|SubForced"},

    {Service, "AMZN|Amazon|NF|Netflix|DSNP|DSNY|DNSP|ATVP|ATV|HMAX|HBO|HULU|PCOK|PMTP|PMNT"},
    {Service, "CRAV|STZ|SHO|VUDU|DCU|iPlayer|ZEE5|HTSR|SonyLIV|JioCinema|MUBI|CRKL"},

    {DynamicRange, "HDR|HDR10|HDR10Plus|DV|DoVi|Dolby Vision|SDR|HLG|HDR DV|DV HDR"},

    {Edition, "EXTENDED|Extended Cut|Extended Edition|UNRATED|UNCUT|UNCENSORED|Unrated Cut"},
    {Edition, "Director's Cut|Director Cut|Directors Edition|DC|Final Cut|Theatrical|Theatrical Cut"},
    {Edition, "Alternative Cut|Alternate Cut|Alternative|Ultimate Cut|Ultimate Edition|IMAX|IMAX Edition"},
    {Edition, "REMASTERED|Remaster|RESTORED|4K Restored|CRITERION|Criterion Collection|Criterion Edition"},
    {Edition, "Edition|Special Edition|SE|Collector|Collector's Edition|Anniversary Edition|Limited Edition"},
    {Edition, "Open Matte|OM|Fan Edit|Redux|3D|HSBS|HOU|SBS|HFR|Ultimate"},
    {Edition, "Box Set|BoxSet|Complete Collection|Ultimate Collection|Fan Collection"},

    {Release, "PROPER|REAL PROPER|REPACK|REAL REPACK|RERIP|iNTERNAL|LIMITED|READNFO|NFO"},
    {Release, "NFOFIX|DIRFIX|SYNCFIX|SAMPLEFIX|PROOFFIX|SUBFIX|PROOF|SAMPLE|CONVERT|RETAIL"},
    {Release, "COMPLETE|FESTIVAL|STV|DOCU|DOKU|PREAIR|FASTSUB|XXX|2CD|3CD|4CD|2in1|3in1"},
    {Release, "MULTI|DUAL|SUBBED|DUBBED|DUB|SUBS|ESub|ESubs|KORSUB|HebSubs|SweSub|NLSubs"},
    {Release, "Legendado|Legenda|Dublado|Subtitulado|Subtitles"},

    {Language, "ENGLISH|ENG|EN", "EN"},
    {Language, "FRENCH|FRE|FRA|FR|FRANCAIS|FRANÇAIS|TRUEFRENCH|SUBFRENCH|VFF|VFQ|VF|VF2|VFI|VOF|VOSTFR|QC",
     "FR"},
    {Language, "GERMAN|GER|DEU|DE|DEUTSCH|SWISSGERMAN", "DE"},
    {Language, "SPANISH|SPA|ESP|ES|ESPAÑOL|ESPANOL|CASTELLANO|LATINO", "ES"},
    {Language, "ITALIAN|iTA|ITALiANO", "IT"},
    {Language, "PORTUGUESE|PORTUGUES|PT", "PT"},
    {Language, "PT-BR|BRAZILIAN", "PT-BR"},
    {Language, "RUSSIAN|RUS|RU", "RU"},
    {Language, "UKRAINIAN|UKR", "UK"},
    {Language, "POLISH|POL|PL", "PL"},
    {Language, "CZECH|CZE|CZ", "CS"},
    {Language, "HUNGARIAN|HUN|HU", "HU"},
    {Language, "DUTCH|NLD|DUT|NL|FLEMISH", "NL"},
    {Language, "SWEDISH|SWE", "SV"},
    {Language, "NORWEGIAN", "NO"},
    {Language, "DANISH", "DA"},
    {Language, "FINNISH|FIN", "FI"},
    {Language, "ICELANDIC", "IS"},
    {Language, "GREEK|GRE", "EL"},
    {Language, "TURKISH|TUR", "TR"},
    {Language, "ROMANIAN|RUM|RON", "RO"},
    {Language, "BULGARIAN|BUL", "BG"},
    {Language, "CROATIAN|HRV", "HR"},
    {Language, "SERBIAN|SRP", "SR"},
    {Language, "HEBREW|HEB", "HE"},
    {Language, "ARABIC", "AR"},
    {Language, "PERSIAN|FARSI", "FA"},
    {Language, "HINDI|HIN", "HI"},
    {Language, "TAMIL|TAM", "TA"},
    {Language, "TELUGU|TEL", "TE"},
    {Language, "MALAYALAM", "ML"},
    {Language, "KANNADA", "KN"},
    {Language, "BENGALI", "BN"},
    {Language, "PUNJABI", "PA"},
    {Language, "MARATHI", "MR"},
    {Language, "JAPANESE|JAP|JPN|JP", "JA"},
    {Language, "KOREAN|KOR|KR", "KO"},
    {Language, "CHINESE|CHS|CHT|MANDARIN|CANTONESE|CN", "ZH"},
    {Language, "THAI", "TH"},
    {Language, "VIETNAMESE", "VI"},
    {Language, "INDONESIAN", "ID"},
    {Language, "MALAY", "MS"},
    {Language, "CATALAN", "CA"},

    {SubtitleLanguage, "IT", "IT"},
    {SubtitleLanguage, "POR", "PT"},
    {SubtitleLanguage, "SV", "SV"},
    {SubtitleLanguage, "NO|NOR|NOB", "NO"},
    {SubtitleLanguage, "DA|DAN", "DA"},
    {SubtitleLanguage, "FI", "FI"},
    {SubtitleLanguage, "EL|ELL", "EL"},
    {SubtitleLanguage, "TR", "TR"},
    {SubtitleLanguage, "RO", "RO"},
    {SubtitleLanguage, "BG", "BG"},
    {SubtitleLanguage, "HR", "HR"},
    {SubtitleLanguage, "SR", "SR"},
    {SubtitleLanguage, "HE", "HE"},
    {SubtitleLanguage, "AR|ARA", "AR"},
    {SubtitleLanguage, "FA|PER|FAS", "FA"},
    {SubtitleLanguage, "JA", "JA"},
    {SubtitleLanguage, "KO", "KO"},
    {SubtitleLanguage, "ZH|CHI|ZHO", "ZH"},
    {SubtitleLanguage, "TH|THA", "TH"},
    {SubtitleLanguage, "VI|VIE", "VI"},
    {SubtitleLanguage, "ID|IND", "ID"},
    {SubtitleLanguage, "MS|MAY|MSA", "MS"},
    {SubtitleLanguage, "TA", "TA"},
    {SubtitleLanguage, "TE", "TE"},
    {SubtitleLanguage, "CS|CES", "CS"},
    {SubtitleLanguage, "SK|SLK|SLOVAK", "SK"},
    {SubtitleLanguage, "SL|SLV|SLOVENIAN", "SL"},
    {SubtitleLanguage, "ET|EST|ESTONIAN", "ET"},
    {SubtitleLanguage, "LV|LAV|LATVIAN", "LV"},
    {SubtitleLanguage, "LT|LIT|LITHUANIAN", "LT"},

    {SubtitleFlag, "FORCED|FOREIGN", "FORCED"},
    {SubtitleFlag, "SDH", "SDH"},
    {SubtitleFlag, "HI", "HI"},
    {SubtitleFlag, "CC", "CC"},

    {Country, "US|USA|UK|AU|NZ|CA"},
    {Article, "THE|A|AN|LE|LA|LES|L|DER|DIE|DAS|EL|LOS|LAS|IL|LO|GLI|HET|EEN"},
    {Genre, "Action|Adventure|Animation|Biography|Comedy|Crime|Documentary|Drama|Family|Fantasy"},
    {Genre, "Horror|Musical|Mystery|Romance|Sci-Fi|Thriller|Western"},
    {Broadcaster, "BBC|ITV|PBS|NHK|CBC|ZDF|ARD|ARTE|SVT|NRK|Channel 4|Ch4|NatGeo|Nat Geo"},
    {Broadcaster, "National Geographic|Discovery Channel|History Channel"},

    {SeasonWord,
     "SEASON|SERIES|SAISON|TEMPORADA|TEMP|TEM|STAGIONE|STAFFEL|SEZON|SEZONA|SEIZOEN|SÄSONG|SESONG|SÆSON"},
    {EpisodeWord, "EPISODE|EPISODIO|ÉPISODE|EPISÓDIO|EP|EPI|FOLGE|AFLEVERING|AFL|AVSNITT|BOLUM|BÖLÜM"},
    {ChapterWord, "CAP|CAPITULO|CAPÍTULO"},
    {PartWord, "PART|CD|DISC|DISK"},
};

const char *const extensionLines[][2] = {
    {"video", "avi|mkv|mk3d|mp4|m4v|mpg|mpeg|mpe|m2v|ts|m2ts|mts|tp|trp|divx|xvid|iso|img|flv|f4v|vob"},
    {"video", "wmv|asf|mov|qt|webm|ogm|ogv|3gp|3g2|rm|rmvb|wtv|dat|vro|nsv|evo"},
    {"subtitle", "srt|sub|ass|ssa|vtt|idx|smi|sami|sup|usf|ttml|dfxp|pgs|mpl"},
    {"other", "nfo|txt|jpg|jpeg|png|gif|bmp|webp|tbn|nzb|torrent|sfv|md5|sha1|srr|srs|par2|rar|zip|7z"},
    {"other", "mp3|flac|aac|ac3|dts|m4a|mka|ogg|opus|wav|wma|url|xml|json|log|pdf|epub|mobi|lit"},
    {"unfinished", "part|partial|crdownload|download|!qb|!ut|bc!|aria2"},
};

const char *const webDomains
    = "COM|NET|ORG|INFO|BIZ|TV|TO|ME|CC|IO|CO|WS|RU|FR|DE|ES|IT|NL|PL|CZ|IN|CX|LA|MX|XYZ|CLUB|SITE"
      "|ONLINE|TOP|VIP|CAM|LOL|ONE|PRO|LIVE|LINK|CLICK|WIN|SX|AG|GS|PH|PW|LI|EU|US|CH|SE|NU|SU|AM"
      "|TK|ML|GA|GQ|CF|MY|BZ|IS|ST|VC|FM|UK|APP|DEV|COOL|PLUS|WATCH|MOVIE|FILM|RE|NZ|CD|MX|AC|TC|PE|BE"
      "|AT|PT|BR|AR|CL|RO|HU|GR|SK|SI|DK|NO|FI|LV|LT|EE|IR|PK|BD|VN|TW|KR|JP|CN|HK|SG|ID|NG|ZA|CA|AU";

// Words looked up by key. Qt's seeded string hash takes longer than the
// rest of the lookup on keys this short (most of the time a name took to
// read), so the tables hash their keys themselves (FNV-1a), open addressed.
template <typename Value>
class KeyTable {
public:
    void insert(const QString &key, const Value &value)
    {
        if ((m_count + 1) * 2 > m_slots.size())
            grow();
        Slot &slot = m_slots[indexOf(key)];
        if (!slot.used) {
            slot.used = true;
            slot.key = key;
            ++m_count;
        }
        slot.value = value;
    }

    const Value *find(QStringView key) const
    {
        if (m_slots.isEmpty())
            return nullptr;
        const Slot &slot = m_slots[indexOf(key)];
        return slot.used ? &slot.value : nullptr;
    }

private:
    struct Slot {
        QString key;
        Value value{};
        bool used = false;
    };

    qsizetype indexOf(QStringView key) const
    {
        quint32 hash = 2166136261u;
        for (const QChar c : key)
            hash = (hash ^ c.unicode()) * 16777619u;
        const qsizetype mask = m_slots.size() - 1;
        qsizetype i = hash & mask;
        while (m_slots[i].used && m_slots[i].key != key)
            i = (i + 1) & mask;
        return i;
    }

    void grow()
    {
        const QList<Slot> old = std::exchange(m_slots,
                                              QList<Slot>(std::max<qsizetype>(64, m_slots.size() * 2)));
        m_count = 0;
        for (const Slot &slot : old)
            if (slot.used)
                insert(slot.key, slot.value);
    }

    QList<Slot> m_slots;
    qsizetype m_count = 0;
};

struct Tables {
    KeyTable<Tag> tags;
    KeyTable<bool> prefixes;
    KeyTable<Extension> extensions;
    KeyTable<bool> domains;

    Tables()
    {
        for (const TagLine &line : tagLines) {
            const Tag tag{line.kind, QString::fromUtf8(line.code)};
            for (const QString &spelling : QString::fromUtf8(line.spellings).split(u'|')) {
                const QString word = key(spelling);
                tags.insert(word, tag);
                for (qsizetype length = 1; length < word.size(); ++length)
                    prefixes.insert(word.left(length), true);
            }
        }
        for (const auto &[kind, names] : extensionLines) {
            const Extension extension = kind[0] == 'v'   ? Extension::Video
                                        : kind[0] == 's' ? Extension::Subtitle
                                        : kind[0] == 'u' ? Extension::Unfinished
                                                         : Extension::Other;
            for (const QString &name : QString::fromLatin1(names).split(u'|'))
                extensions.insert(name, extension);
        }
        for (const QString &domain : QString::fromLatin1(webDomains).split(u'|'))
            domains.insert(key(domain), true);
    }
};

const Tables &tables()
{
    static const Tables instance;
    return instance;
}

// The tags that numbers make, by what follows the number: "1080p",
// "1920x1080", "10bit", "6ch", "448kbps", "24fps", "700MB", "2CD".
const Tag *numberTag(QStringView key, qsizetype digits)
{
    static const Tag resolution{Resolution, {}};
    static const Tag codec{VideoCodec, {}};
    static const Tag audio{Audio, {}};
    static const Tag format{Format, {}};
    static const Tag release{Release, {}};
    const QStringView unit = key.sliced(digits);
    const auto allDigits = [](QStringView text) {
        return !text.isEmpty() && std::all_of(text.begin(), text.end(), isDigit);
    };
    if ((unit.startsWith(u'P') || unit.startsWith(u'I')) && digits >= 3 && digits <= 4
        && (unit.size() == 1 || (allDigits(unit.sliced(1)) && unit.size() <= 4)))
        return &resolution; // "1080p", "1080p24"
    if (unit.startsWith(u'X') && digits >= 3 && allDigits(unit.sliced(1)) && unit.size() >= 4)
        return &resolution; // "1920x1080"
    if (unit == u"BIT" || unit == u"BITS")
        return &codec;
    if (unit == u"CH" || unit == u"KBPS" || unit == u"KBIT" || unit == u"KBS")
        return &audio;
    if (unit == u"FPS" || unit == u"MB" || unit == u"GB" || unit == u"MIB" || unit == u"GIB")
        return &format;
    if (unit == u"CD" || unit == u"DISCS")
        return &release;
    return nullptr;
}

} // namespace

QString key(QStringView text)
{
    QString upper;
    upper.reserve(text.size());
    appendKey(text, upper);
    return upper;
}

void appendKey(QStringView text, QString &key)
{
    // Written in place: names are read by the hundred thousand.
    const qsizetype start = key.size();
    key.resize(start + text.size());
    QChar *out = key.data() + start;
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            if (c >= u'a' && c <= u'z')
                *out++ = QChar(c.unicode() - (u'a' - u'A'));
            else if ((c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9'))
                *out++ = c;
        } else if (c.isLetterOrNumber()) {
            *out++ = c.toUpper();
        }
    }
    key.truncate(out - key.constData());
}

const Tag *find(QStringView key)
{
    const Tables &all = tables();
    if (const Tag *listed = all.tags.find(key))
        return listed;
    if (key.isEmpty())
        return nullptr;
    qsizetype digits = 0;
    while (digits < key.size() && isDigit(key[digits]))
        ++digits;
    if (digits > 0)
        return digits < key.size() ? numberTag(key, digits) : nullptr;
    // A codec or sound word with its channels or depth: "DD5", "AAC2", "HEVC10".
    qsizetype letters = key.size();
    while (letters > 0 && isDigit(key[letters - 1]))
        --letters;
    if (letters == key.size() || key.size() - letters > 2)
        return nullptr;
    const Tag *word = all.tags.find(key.first(letters));
    return word && (word->kind == Audio || word->kind == VideoCodec) ? word : nullptr;
}

const Tag *findListed(QStringView key)
{
    return tables().tags.find(key);
}

bool continues(QStringView key)
{
    return tables().prefixes.find(key) != nullptr;
}

bool isStrong(Kind kind)
{
    return kind <= Audio;
}

bool isReleaseTag(Kind kind)
{
    return kind <= Language;
}

Extension extensionKind(QStringView extension)
{
    QVarLengthArray<QChar, 16> lower;
    for (const QChar c : extension)
        lower.append(c.toLower());
    const Extension *found = tables().extensions.find(QStringView(lower.constData(), lower.size()));
    return found ? *found : Extension::None;
}

bool isWebDomain(QStringView key)
{
    return tables().domains.find(key) != nullptr;
}

} // namespace ReleaseTags
