#include "core/exchange/XmlEncoding.h"

#include <cstdint>
#include <cstring>

#include "core/exchange/XmlSyntax.h"

namespace vardo::xml {
namespace {

// Character-set names and aliases (lower case) with their Windows code pages. Each entry is packed as two
// digits of name length, five digits of code page, the name.
constexpr std::string_view kCodePageNames =
    "0600037ibm0370500037cp0370800037csibm0371200037ebcdic-cp-us1200037ebcdic-cp-ca1200037ebcdic-cp-wt"
    "1200037ebcdic-cp-nl"
    "0600437ibm4370500437cp43703004374371600437cspc8codepage437"
    "0600500ibm5000500500cp5000800500csibm5001200500ebcdic-cp-be1200500ebcdic-cp-ch"
    "0800708asmo-708"
    "0700720dos-720"
    "0600737ibm7370500737cp737"
    "0600775ibm7750500775cp7751300775cspc775baltic"
    "0600850ibm8500500850cp85003008508501900850cspc850multilingual"
    "0600852ibm8520500852cp85203008528520800852cspcp8520700852ibm-852"
    "0600855ibm8550500855cp85503008558550800855csibm855"
    "0600857ibm8570500857cp85703008578570800857csibm857"
    "0800858ibm008580500858cp8580700858cp008582400858pc-multilingual-850+euro"
    "0600860ibm8600500860cp86003008608600800860csibm860"
    "0600861ibm8610500861cp86103008618610500861cp-is0800861csibm861"
    "0700862dos-8620600862ibm8620500862cp86203008628621800862cspc862latinhebrew"
    "0600863ibm8630500863cp86303008638630800863csibm863"
    "0600864ibm8640500864cp8640800864csibm864"
    "0600865ibm8650500865cp86503008658650800865csibm865"
    "0500866cp8660600866ibm86603008668660800866csibm866"
    "0600869ibm8690500869cp8690500869cp-gr0800869csibm869"
    "0600870ibm8700500870cp8700800870csibm870"
    "1100874windows-8740700874dos-8740700874tis-6201100874iso-8859-110500874cp874"
    "0500875cp875"
    "0900932shift_jis0900932shift-jis0400932sjis0800932ms_kanji1000932csshiftjis0600932x-sjis"
    "1100932windows-31j1200932cswindows31j1000932x-ms-cp9320500932cp932"
    "0600936gb23120300936gbk0500936cp9360500936ms9361100936windows-9360700936chinese0800936csgb2312"
    "0900936gb2312-801000936gb_2312-800900936iso-ir-581500936csiso58gb2312800500936x-gbk"
    "1400949ks_c_5601-19870600949korean0900949ks_c_56011400949ks_c_5601-19890800949ksc_56010700949ksc5601"
    "1300949csksc560119871000949iso-ir-1490500949cp9491100949windows-949"
    "0400950big51000950big5-hkscs0700950cn-big50600950csbig50800950x-x-big50500950cp950"
    "0701026ibm10260601026cp10260901026csibm1026"
    "0801047ibm010470601047cp1047"
    "0801140ibm01140"
    "0801141ibm01141"
    "0801142ibm01142"
    "0801143ibm01143"
    "0801144ibm01144"
    "0801145ibm01145"
    "0801146ibm01146"
    "0801147ibm01147"
    "0801148ibm01148"
    "0801149ibm01149"
    "0601200utf-160801200utf-16le0701200unicode0501200ucs-21501200iso-10646-ucs-20901200csunicode"
    "2101200unicodelittleunmarked"
    "0801201utf-16be1101201unicodefffe1801201unicodebigunmarked"
    "1201250windows-12500801250x-cp12500601250cp12501301250cswindows1250"
    "1201251windows-12510801251x-cp12510601251cp12511301251cswindows1251"
    "1201252windows-12520601252x-ansi0601252cp12521301252cswindows1252"
    "1201253windows-12530601253cp12531301253cswindows1253"
    "1201254windows-12540601254cp12541301254cswindows1254"
    "1201255windows-12550601255cp12551301255cswindows1255"
    "1201256windows-12560601256cp12561301256cswindows1256"
    "1201257windows-12570601257cp12571301257cswindows1257"
    "1201258windows-12580601258cp12581301258cswindows1258"
    "0501361johab"
    "0910000macintosh0310000mac1110000csmacintosh1110000x-mac-roman"
    "1410001x-mac-japanese"
    "1710002x-mac-chinesetrad"
    "1210003x-mac-korean"
    "1210004x-mac-arabic"
    "1210005x-mac-hebrew"
    "1110006x-mac-greek"
    "1410007x-mac-cyrillic"
    "1710008x-mac-chinesesimp"
    "1410010x-mac-romanian"
    "1510017x-mac-ukrainian"
    "1010021x-mac-thai"
    "0810029x-mac-ce"
    "1510079x-mac-icelandic"
    "1310081x-mac-turkish"
    "1410082x-mac-croatian"
    "0612000utf-320812000utf-32le"
    "0812001utf-32be"
    "1320000x-chinese-cns"
    "0920001x-cp20001"
    "1420002x-chinese-eten"
    "0920003x-cp20003"
    "0920004x-cp20004"
    "0920005x-cp20005"
    "0520105x-ia5"
    "1220106x-ia5-german"
    "1320107x-ia5-swedish"
    "1520108x-ia5-norwegian"
    "0820127us-ascii0520127ascii0220127us0920127iso646-us0820127iso-ir-61420127ansi_x3.4-1968"
    "1420127ansi_x3.4-19861620127iso_646.irv:19910520127cp3670620127ibm3670720127csascii"
    "0920261x-cp20261"
    "0920269x-cp20269"
    "0620273ibm2730520273cp2730820273csibm273"
    "0620277ibm2770820277csibm2771220277ebcdic-cp-dk1220277ebcdic-cp-no"
    "0620278ibm2780520278cp2780820278csibm2781220278ebcdic-cp-fi1220278ebcdic-cp-se"
    "0620280ibm2800520280cp2800820280csibm2801220280ebcdic-cp-it"
    "0620284ibm2840520284cp2840820284csibm2841220284ebcdic-cp-es"
    "0620285ibm2850520285cp2850820285csibm2851220285ebcdic-cp-gb"
    "0620290ibm2900520290cp2900820290csibm2901420290ebcdic-jp-kana"
    "0620297ibm2970520297cp2970820297csibm2971220297ebcdic-cp-fr"
    "0620420ibm4200520420cp4200820420csibm4201320420ebcdic-cp-ar1"
    "0620423ibm4230520423cp4230820423csibm4231220423ebcdic-cp-gr"
    "0620424ibm4240520424cp4240820424csibm4241220424ebcdic-cp-he"
    "2320833x-ebcdic-koreanextended"
    "0820838ibm-thai0920838csibmthai"
    "0620866koi8-r0420866koi80320866koi0720866cskoi8r"
    "0620871ibm8710520871cp8710820871csibm8711220871ebcdic-cp-is"
    "0620880ibm8800520880cp8800820880csibm8801520880ebcdic-cyrillic"
    "0620905ibm9050520905cp9050820905csibm9051220905ebcdic-cp-tr"
    "0820924ibm009240720924cp009241920924ebcdic-latin9--euro"
    "0920932x-cp20932"
    "0920936x-cp20936"
    "0920949x-cp20949"
    "0621025cp10253321025x-ebcdic-cyrillicserbianbulgarian"
    "0621866koi8-u0721866koi8-ru"
    "1028591iso-8859-10628591latin10228591l11028591iso_8859-11528591iso_8859-1:19871028591iso-ir-100"
    "0628591ibm8190528591cp8191128591csisolatin10928591iso8859-1"
    "1028592iso-8859-20628592latin20228592l21028592iso_8859-21528592iso_8859-2:19871028592iso-ir-101"
    "1128592csisolatin20928592iso8859-2"
    "1028593iso-8859-30628593latin30228593l31028593iso_8859-31528593iso_8859-3:19881028593iso-ir-109"
    "1128593csisolatin3"
    "1028594iso-8859-40628594latin40228594l41028594iso_8859-41528594iso_8859-4:19881028594iso-ir-110"
    "1128594csisolatin4"
    "1028595iso-8859-50828595cyrillic1028595iso_8859-51528595iso_8859-5:19881028595iso-ir-144"
    "1828595csisolatincyrillic"
    "1028596iso-8859-60628596arabic1028596iso_8859-61528596iso_8859-6:19871028596iso-ir-127"
    "0828596ecma-1141628596csisolatinarabic"
    "1028597iso-8859-70528597greek0628597greek81028597iso_8859-71528597iso_8859-7:19871028597iso-ir-126"
    "0828597ecma-1180828597elot_9281528597csisolatingreek"
    "1028598iso-8859-80628598hebrew1028598iso_8859-81528598iso_8859-8:19881028598iso-ir-138"
    "1628598csisolatinhebrew1228598iso-8859-8-e0628598visual"
    "1028599iso-8859-90628599latin50228599l51028599iso_8859-91528599iso_8859-9:19891028599iso-ir-148"
    "1128599csisolatin5"
    "1128603iso-8859-131128603iso_8859-130628603latin70228603l7"
    "1128605iso-8859-150728605latin-90628605latin90228605l91128605iso_8859-151128605csisolatin9"
    "1028605iso8859-15"
    "0829001x-europa"
    "1238598iso-8859-8-i1138598csiso88598i0738598logical"
    "1150220iso-2022-jp1150220csiso2022jp"
    "0950221x-cp50221"
    "0950222x-cp50222"
    "1150225iso-2022-kr1150225csiso2022kr"
    "0950227x-cp50227"
    "0651932euc-jp1951932cseucpkdfmtjapanese0851932x-euc-jp0551932x-euc"
    "0651936euc-cn0851936x-euc-cn"
    "0651949euc-kr0751949cseuckr"
    "1052936hz-gb-2312"
    "0754936gb18030"
    "1057002x-iscii-de"
    "1057003x-iscii-be"
    "1057004x-iscii-ta"
    "1057005x-iscii-te"
    "1057006x-iscii-as"
    "1057007x-iscii-or"
    "1057008x-iscii-ka"
    "1057009x-iscii-ma"
    "1057010x-iscii-gu"
    "1057011x-iscii-pa"
    "0565000utf-71765000unicode-1-1-utf-71765000unicode-2-0-utf-71565000csunicode11utf7"
    "1965000x-unicode-2-0-utf-7"
    "0565001utf-80465001utf81765001unicode-1-1-utf-81765001unicode-2-0-utf-81965001x-unicode-2-0-utf-8";

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    return true;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsSpace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsSpace(s.back()))
        s.remove_suffix(1);
    return s;
}

std::size_t SkipSpaces(std::string_view s, std::size_t pos) {
    while (pos < s.size() && IsSpace(s[pos]))
        ++pos;
    return pos;
}

/// Length of the UTF-8 sequence at `pos` (1 to 4) with its code point; 0 when it is invalid; -1 when the text
/// ends inside a sequence that is valid so far.
int DecodeUtf8(std::string_view s, std::size_t pos, char32_t& cp) {
    const auto c = static_cast<unsigned char>(s[pos]);
    if (c < 0x80) {
        cp = c;
        return 1;
    }
    int need;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
        need = 1;
        cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        need = 2;
        cp = c & 0x0F;
        if (c == 0xE0)
            low = 0xA0;
        else if (c == 0xED)
            high = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        need = 3;
        cp = c & 0x07;
        if (c == 0xF0)
            low = 0x90;
        else if (c == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    for (int i = 1; i <= need; ++i) {
        if (pos + static_cast<std::size_t>(i) >= s.size())
            return -1;
        const auto b = static_cast<unsigned char>(s[pos + static_cast<std::size_t>(i)]);
        if (b < low || b > high)
            return 0;
        low = 0x80;
        high = 0xBF;
        cp = (cp << 6) | (b & 0x3F);
    }
    return need + 1;
}

void PutUnit(std::string& out, std::uint16_t unit, bool bigEndian) {
    const auto hi = static_cast<char>(unit >> 8);
    const auto lo = static_cast<char>(unit & 0xFF);
    out += bigEndian ? hi : lo;
    out += bigEndian ? lo : hi;
}

} // namespace

int CodePageOfName(std::string_view name) {
    name = Trim(name);
    std::size_t pos = 0;
    while (pos + 7 <= kCodePageNames.size()) {
        const auto length =
            static_cast<std::size_t>((kCodePageNames[pos] - '0') * 10 + (kCodePageNames[pos + 1] - '0'));
        int codePage = 0;
        for (std::size_t i = 2; i < 7; ++i)
            codePage = codePage * 10 + (kCodePageNames[pos + i] - '0');
        if (EqualNoCase(kCodePageNames.substr(pos + 7, length), name))
            return codePage;
        pos += 7 + length;
    }
    return 0;
}

std::string DeclaredEncoding(std::string_view head) {
    const std::size_t begin = SkipSpaces(head, 0);
    if (head.compare(begin, 5, "<?xml") != 0 || begin + 5 >= head.size() || !IsSpace(head[begin + 5]))
        return {};
    const std::string_view declaration = head.substr(begin, head.find("?>", begin) - begin);
    std::size_t at = declaration.find("encoding");
    while (at != std::string_view::npos && !IsSpace(declaration[at - 1]))
        at = declaration.find("encoding", at + 1);
    if (at == std::string_view::npos)
        return {};
    std::size_t p = SkipSpaces(declaration, at + 8);
    if (p >= declaration.size() || declaration[p] != '=')
        return {};
    p = SkipSpaces(declaration, p + 1);
    if (p >= declaration.size() || (declaration[p] != '"' && declaration[p] != '\''))
        return {};
    const std::size_t close = declaration.find(declaration[p], p + 1);
    if (close == std::string_view::npos)
        return {};
    return std::string(Trim(declaration.substr(p + 1, close - p - 1)));
}

std::string MetaCharset(std::string_view head) {
    std::string lower(head);
    for (char& c : lower)
        c = Lower(c);
    std::size_t meta = lower.find("<meta");
    while (meta != std::string::npos) {
        const std::size_t tagEnd = std::min(lower.find('>', meta), lower.size());
        const std::string_view tag = std::string_view(lower).substr(meta, tagEnd - meta);
        for (std::size_t at = tag.find("charset"); at != std::string_view::npos; at = tag.find("charset", at + 1)) {
            std::size_t p = SkipSpaces(tag, at + 7);
            if (p >= tag.size() || tag[p] != '=')
                continue;
            p = SkipSpaces(tag, p + 1);
            if (p < tag.size() && (tag[p] == '"' || tag[p] == '\''))
                ++p;
            std::size_t end = p;
            while (end < tag.size() && !IsSpace(tag[end]) && tag[end] != '"' && tag[end] != '\'' && tag[end] != ';' &&
                   tag[end] != '/')
                ++end;
            if (end > p)
                return std::string(head.substr(meta + p, end - p));
        }
        meta = lower.find("<meta", meta + 5);
    }
    return {};
}

Utf8State CheckUtf8(std::string_view bytes) {
    std::size_t pos = 0;
    const std::size_t n = bytes.size();
    while (pos < n) {
        // Plain ASCII goes eight bytes at a time.
        if (pos + 8 <= n) {
            std::uint64_t word;
            std::memcpy(&word, bytes.data() + pos, 8);
            if ((word & 0x8080808080808080ULL) == 0) {
                pos += 8;
                continue;
            }
        }
        char32_t cp;
        const int length = DecodeUtf8(bytes, pos, cp);
        if (length == 0)
            return Utf8State::Invalid;
        if (length < 0)
            return Utf8State::CutAtEnd;
        pos += static_cast<std::size_t>(length);
    }
    return Utf8State::Valid;
}

Utf8Repair RepairUtf8(std::string& text) {
    Utf8Repair repair;
    const Utf8State state = CheckUtf8(text);
    if (state == Utf8State::Valid)
        return repair;
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        char32_t cp;
        const int length = DecodeUtf8(text, pos, cp);
        if (length > 0) {
            out.append(text, pos, static_cast<std::size_t>(length));
            pos += static_cast<std::size_t>(length);
        } else if (length < 0) {
            repair.truncated = true;
            break;
        } else {
            AppendUtf8(out, 0xFFFD);
            ++repair.replaced;
            ++pos;
        }
    }
    text = std::move(out);
    return repair;
}

Utf16Decoded Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    Utf16Decoded result;
    result.text.reserve(bytes.size() / 2 + bytes.size() / 8);
    const std::size_t units = bytes.size() / 2;
    result.truncated = bytes.size() % 2 != 0;
    const auto unitAt = [&](std::size_t i) {
        const auto a = static_cast<unsigned char>(bytes[2 * i]);
        const auto b = static_cast<unsigned char>(bytes[2 * i + 1]);
        return static_cast<char32_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
    };
    for (std::size_t i = 0; i < units; ++i) {
        const char32_t unit = unitAt(i);
        if (unit < 0xD800 || unit > 0xDFFF) {
            AppendUtf8(result.text, unit);
        } else if (unit <= 0xDBFF && i + 1 < units && unitAt(i + 1) >= 0xDC00 && unitAt(i + 1) <= 0xDFFF) {
            AppendUtf8(result.text, 0x10000 + ((unit - 0xD800) << 10) + (unitAt(i + 1) - 0xDC00));
            ++i;
        } else if (unit <= 0xDBFF && i + 1 == units) {
            result.truncated = true;
        } else {
            AppendUtf8(result.text, 0xFFFD);
            ++result.replaced;
        }
    }
    return result;
}

Utf16Encoded Utf8ToUtf16(std::string_view text, bool bigEndian) {
    Utf16Encoded result;
    result.bytes.reserve(text.size() * 2);
    std::size_t pos = 0;
    while (pos < text.size()) {
        char32_t cp;
        const int length = DecodeUtf8(text, pos, cp);
        if (length <= 0) {
            cp = 0xFFFD;
            ++result.replaced;
            pos = length < 0 ? text.size() : pos + 1;
        } else {
            pos += static_cast<std::size_t>(length);
        }
        if (cp >= 0x10000) {
            PutUnit(result.bytes, static_cast<std::uint16_t>(0xD800 + ((cp - 0x10000) >> 10)), bigEndian);
            PutUnit(result.bytes, static_cast<std::uint16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)), bigEndian);
        } else {
            PutUnit(result.bytes, static_cast<std::uint16_t>(cp), bigEndian);
        }
    }
    return result;
}

std::size_t RemoveNulls(std::string& bytes) {
    const std::size_t before = bytes.size();
    if (std::memchr(bytes.data(), 0, bytes.size()) == nullptr)
        return 0;
    std::erase(bytes, '\0');
    return before - bytes.size();
}

} // namespace vardo::xml
