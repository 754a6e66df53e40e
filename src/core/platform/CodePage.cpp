#include "core/platform/CodePage.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <unicode/uchar.h>
#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ucnv_err.h>
#include <unicode/ustring.h>

namespace vardo::codepage {
namespace {

// Code points of the bytes 0x80..0xFF. The five bytes the code page leaves undefined carry the C1 control
// of the same value, which keeps every byte string convertible both ways.
constexpr std::array<char16_t, 128> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179, // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, // 98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7, // A0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B, // A8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, // B0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, // B8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, // C0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, // C8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, // D0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, // D8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, // E0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, // E8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7, // F0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9, // F8
};

// Reverse of kHigh, sorted by code point.
const std::vector<std::pair<char16_t, unsigned char>>& ReverseHigh() {
    static const auto table = [] {
        std::vector<std::pair<char16_t, unsigned char>> v;
        v.reserve(kHigh.size());
        for (std::size_t i = 0; i < kHigh.size(); ++i)
            v.emplace_back(kHigh[i], static_cast<unsigned char>(0x80 + i));
        std::sort(v.begin(), v.end());
        return v;
    }();
    return table;
}

// Windows-1250 byte of a code point, or -1.
int Cp1250Byte(char32_t cp) {
    if (cp < 0x80)
        return static_cast<int>(cp);
    if (cp > 0xFFFF)
        return -1;
    const auto& table = ReverseHigh();
    const auto it = std::lower_bound(table.begin(), table.end(), static_cast<char16_t>(cp),
                                     [](const auto& entry, char16_t value) { return entry.first < value; });
    return it != table.end() && it->first == cp ? it->second : -1;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

struct Decoded {
    char32_t cp = 0;
    std::size_t length = 1; // bytes consumed; for invalid input the maximal ill-formed subpart
    bool valid = false;
};

// Strict UTF-8 decoding of the sequence starting at text[i].
Decoded DecodeUtf8(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80)
        return {lead, 1, true};
    std::size_t need = 0;
    char32_t cp = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        need = 1;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        need = 2;
        cp = lead & 0x0F;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        need = 3;
        cp = lead & 0x07;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return {};
    }
    std::size_t length = 1;
    for (std::size_t k = 0; k < need; ++k) {
        if (i + length >= text.size())
            return {0, length, false};
        const unsigned char c = byte(i + length);
        const unsigned char lo = k == 0 ? low : 0x80;
        const unsigned char hi = k == 0 ? high : 0xBF;
        if (c < lo || c > hi)
            return {0, length, false};
        cp = (cp << 6) | (c & 0x3F);
        ++length;
    }
    return {cp, length, true};
}

// UTF-8 decoded into UTF-16 for ICU, with the input offset of every unit. Ill-formed sequences become
// U+FFFD and are marked, so a converter that cannot hold U+FFFD does not count them a second time.
struct Utf16Text {
    std::vector<UChar> units;
    std::vector<std::size_t> offsets;
    std::vector<bool> invalid;
    std::size_t invalidCount = 0;
    std::size_t firstInvalid = std::string::npos;
};

Utf16Text DecodeToUtf16(std::string_view utf8) {
    Utf16Text out;
    out.units.reserve(utf8.size());
    out.offsets.reserve(utf8.size());
    out.invalid.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const Decoded d = DecodeUtf8(utf8, i);
        if (!d.valid) {
            if (out.invalidCount++ == 0)
                out.firstInvalid = i;
            out.units.push_back(0xFFFD);
            out.offsets.push_back(i);
            out.invalid.push_back(true);
        } else if (d.cp > 0xFFFF) {
            out.units.push_back(static_cast<UChar>(0xD7C0 + (d.cp >> 10)));
            out.units.push_back(static_cast<UChar>(0xDC00 | (d.cp & 0x3FF)));
            out.offsets.insert(out.offsets.end(), 2, i);
            out.invalid.insert(out.invalid.end(), 2, false);
        } else {
            out.units.push_back(static_cast<UChar>(d.cp));
            out.offsets.push_back(i);
            out.invalid.push_back(false);
        }
        i += d.length;
    }
    return out;
}

std::string Utf16ToUtf8(const std::vector<UChar>& units) {
    std::string out;
    out.reserve(units.size() * 3 / 2 + 1);
    for (std::size_t i = 0; i < units.size(); ++i) {
        char32_t cp = units[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (units[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        AppendUtf8(out, cp);
    }
    return out;
}

struct ConverterCloser {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

ConverterPtr OpenConverter(std::string_view charset) {
    if (charset.empty() || charset.find('\0') != std::string_view::npos)
        return nullptr; // ICU would open the default converter for an empty name
    const std::string name(charset);
    UErrorCode status = U_ZERO_ERROR;
    ConverterPtr converter(ucnv_open(name.c_str(), &status));
    if (U_FAILURE(status))
        return nullptr;
    return converter;
}

// True when the converter is ICU's Windows-1250; those conversions go through our own table so that text
// converted anywhere in the program gives the same bytes.
bool IsCp1250(UConverter* converter) {
    static const std::string cp1250Name = [] {
        auto reference = OpenConverter("windows-1250");
        UErrorCode status = U_ZERO_ERROR;
        const char* name = reference ? ucnv_getName(reference.get(), &status) : nullptr;
        return name && U_SUCCESS(status) ? std::string(name) : std::string();
    }();
    UErrorCode status = U_ZERO_ERROR;
    const char* name = ucnv_getName(converter, &status);
    return U_SUCCESS(status) && name && !cp1250Name.empty() && cp1250Name == name;
}

bool IsConversionError(UConverterCallbackReason reason) {
    return reason == UCNV_UNASSIGNED || reason == UCNV_ILLEGAL || reason == UCNV_IRREGULAR;
}

struct ToUContext {
    const char* start = nullptr;
    std::size_t size = 0;
    std::size_t count = 0;
    std::size_t first = std::string::npos;
};

void CountingToU(const void* context, UConverterToUnicodeArgs* args, const char* /*codeUnits*/, int32_t length,
                 UConverterCallbackReason reason, UErrorCode* err) {
    if (!IsConversionError(reason))
        return;
    auto* ctx = static_cast<ToUContext*>(const_cast<void*>(context));
    const auto consumed = static_cast<std::size_t>(args->source - ctx->start);
    const std::size_t offset = consumed >= static_cast<std::size_t>(length) ? consumed - length : 0;
    if (ctx->count++ == 0)
        ctx->first = std::min(offset, ctx->size);
    // Always U+FFFD: ICU's own substitution gives U+001A for some 8-bit tables.
    static const UChar replacement = 0xFFFD;
    *err = U_ZERO_ERROR;
    ucnv_cbToUWriteUChars(args, &replacement, 1, 0, err);
}

struct FromUContext {
    const Utf16Text* text = nullptr;
    std::size_t count = 0;
    std::size_t first = std::string::npos;
};

void CountingFromU(const void* context, UConverterFromUnicodeArgs* args, const UChar* codeUnits, int32_t length,
                   UChar32 codePoint, UConverterCallbackReason reason, UErrorCode* err) {
    if (!IsConversionError(reason))
        return;
    auto* ctx = static_cast<FromUContext*>(const_cast<void*>(context));
    const auto& text = *ctx->text;
    const auto consumed = static_cast<std::size_t>(args->source - text.units.data());
    std::size_t index = consumed >= static_cast<std::size_t>(length) ? consumed - length : 0;
    index = std::min(index, text.units.empty() ? 0 : text.units.size() - 1);
    const bool alreadyCounted = index < text.invalid.size() && text.invalid[index];
    if (!alreadyCounted) {
        ++ctx->count;
        if (index < text.offsets.size())
            ctx->first = std::min(ctx->first, text.offsets[index]);
    }
    UCNV_FROM_U_CALLBACK_SUBSTITUTE(nullptr, args, codeUnits, length, codePoint, reason, err);
}

} // namespace

std::string Cp1250ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        AppendUtf8(out, b < 0x80 ? char32_t{b} : char32_t{kHigh[b - 0x80]});
    }
    return out;
}

Conversion Utf8ToCp1250(std::string_view utf8) {
    Conversion result;
    result.text.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const Decoded d = DecodeUtf8(utf8, i);
        const int byte = d.valid ? Cp1250Byte(d.cp) : -1;
        if (byte < 0) {
            if (result.unmappable++ == 0)
                result.firstUnmappable = i;
            result.text.push_back('?');
        } else {
            result.text.push_back(static_cast<char>(byte));
        }
        i += d.length;
    }
    return result;
}

bool IsValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const Decoded d = DecodeUtf8(text, i);
        if (!d.valid)
            return false;
        i += d.length;
    }
    return true;
}

std::string CaseFold(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const Decoded d = DecodeUtf8(utf8, i);
        if (!d.valid)
            out.append(utf8.substr(i, d.length));
        else if (d.cp < 0x80)
            out.push_back(static_cast<char>(d.cp >= 'A' && d.cp <= 'Z' ? d.cp + ('a' - 'A') : d.cp));
        else
            AppendUtf8(out, static_cast<char32_t>(u_foldCase(static_cast<UChar32>(d.cp), U_FOLD_CASE_DEFAULT)));
        i += d.length;
    }
    return out;
}

std::string CharsetForCodePage(int codePage) {
    switch (codePage) {
    case 1200:
        return "UTF-16LE";
    case 1201:
        return "UTF-16BE";
    case 12000:
        return "UTF-32LE";
    case 12001:
        return "UTF-32BE";
    case 65001:
        return "UTF-8";
    case 20127:
        return "US-ASCII";
    case 874:
    case 1250:
    case 1251:
    case 1252:
    case 1253:
    case 1254:
    case 1255:
    case 1256:
    case 1257:
    case 1258:
        return "windows-" + std::to_string(codePage);
    case 437:
    case 737:
    case 775:
    case 850:
    case 852:
    case 855:
    case 857:
    case 860:
    case 861:
    case 862:
    case 863:
    case 864:
    case 865:
    case 866:
    case 869:
        return "ibm-" + std::to_string(codePage);
    case 20866:
        return "KOI8-R";
    case 21866:
        return "KOI8-U";
    default:
        break;
    }
    if (codePage >= 28591 && codePage <= 28606 && codePage != 28600 && codePage != 28601 && codePage != 28602)
        return "ISO-8859-" + std::to_string(codePage - 28590);
    return {};
}

bool IsKnownCharset(std::string_view charset) {
    return OpenConverter(charset) != nullptr;
}

std::optional<Conversion> ToUtf8(std::string_view bytes, std::string_view charset) {
    const ConverterPtr converter = OpenConverter(charset);
    if (!converter)
        return std::nullopt;
    Conversion result;
    if (IsCp1250(converter.get())) {
        result.text = Cp1250ToUtf8(bytes);
        return result;
    }

    ToUContext ctx{bytes.data(), bytes.size()};
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setToUCallBack(converter.get(), CountingToU, &ctx, nullptr, nullptr, &status);
    if (U_FAILURE(status))
        return std::nullopt;

    std::vector<UChar> units(bytes.size() + 16);
    std::size_t used = 0;
    const char* source = bytes.data();
    const char* sourceLimit = bytes.data() + bytes.size();
    for (;;) {
        status = U_ZERO_ERROR;
        // The output position is kept as an index: a pointer into the vector would dangle after it grows.
        UChar* target = units.data() + used;
        ucnv_toUnicode(converter.get(), &target, units.data() + units.size(), &source, sourceLimit, nullptr, true,
                       &status);
        used = static_cast<std::size_t>(target - units.data());
        if (status != U_BUFFER_OVERFLOW_ERROR)
            break;
        units.resize(units.size() * 2);
    }
    if (U_FAILURE(status))
        return std::nullopt;
    units.resize(used);
    result.text = Utf16ToUtf8(units);
    result.unmappable = ctx.count;
    result.firstUnmappable = ctx.first;
    return result;
}

std::optional<Conversion> FromUtf8(std::string_view utf8, std::string_view charset) {
    const ConverterPtr converter = OpenConverter(charset);
    if (!converter)
        return std::nullopt;
    if (IsCp1250(converter.get()))
        return Utf8ToCp1250(utf8);

    const Utf16Text text = DecodeToUtf16(utf8);
    FromUContext ctx{&text};
    UErrorCode status = U_ZERO_ERROR;
    if (ucnv_getMinCharSize(converter.get()) == 1) {
        ucnv_setSubstChars(converter.get(), "?", 1, &status);
        status = U_ZERO_ERROR; // a converter that refuses '?' keeps its own substitution
    }
    ucnv_setFromUCallBack(converter.get(), CountingFromU, &ctx, nullptr, nullptr, &status);
    if (U_FAILURE(status))
        return std::nullopt;

    std::string out(text.units.size() * 2 + 16, '\0');
    char* target = out.data();
    const UChar* source = text.units.data();
    const UChar* sourceLimit = text.units.data() + text.units.size();
    for (;;) {
        status = U_ZERO_ERROR;
        ucnv_fromUnicode(converter.get(), &target, out.data() + out.size(), &source, sourceLimit, nullptr, true,
                         &status);
        if (status != U_BUFFER_OVERFLOW_ERROR)
            break;
        const auto used = static_cast<std::size_t>(target - out.data());
        out.resize(out.size() * 2);
        target = out.data() + used;
    }
    if (U_FAILURE(status))
        return std::nullopt;
    out.resize(static_cast<std::size_t>(target - out.data()));

    Conversion result;
    result.text = std::move(out);
    result.unmappable = text.invalidCount + ctx.count;
    result.firstUnmappable = std::min(text.firstInvalid, ctx.first);
    return result;
}

} // namespace vardo::codepage
