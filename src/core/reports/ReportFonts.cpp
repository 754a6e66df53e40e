#include "core/reports/ReportFonts.h"

#include <cstdint>

namespace vardo {
namespace {

constexpr int kThaiCharSet = 222;

struct FontDefault {
    std::string_view section;
    std::string_view lowFace;
    int highHeight;
    int highWeight;
    int lowWeight;
};

constexpr std::array<FontDefault, kReportFontCount> kDefaults = {{
    {"Czcionka", "Roman 10cpi", -13, 400, 400},
    {"Czcionka tytułu", "Roman 10cpi", -19, 700, 700},
    {"Czcionka podtytułu", "Roman 10cpi", -16, 700, 700},
    {"Czcionka nagłówka", "Roman 12cpi", -13, 700, 700},
    {"Mała czcionka", "Roman 12cpi", -13, 400, 400},
}};

constexpr std::string_view kKeyHeight = "Wysokość";
// The weight has always been stored under the key that reads "width"; stored files depend on it.
constexpr std::string_view kKeyWeight = "Szerokość";
constexpr std::string_view kKeyItalic = "Kursywa";
constexpr std::string_view kKeyUnderline = "Podkreślona";
constexpr std::string_view kKeyPitchAndFamily = "PitchAndFamily";
constexpr std::string_view kKeyFaceName = "FaceName";
constexpr std::string_view kKeyCharSet = "CharSet";
constexpr std::size_t kMaxFaceCharacters = 31;

// Keeps at most `count` UTF-8 characters.
std::string FirstCharacters(std::string_view text, std::size_t count) {
    std::size_t pos = 0;
    for (std::size_t seen = 0; pos < text.size() && seen < count; ++seen) {
        ++pos;
        while (pos < text.size() && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80)
            ++pos;
    }
    return std::string(text.substr(0, pos));
}

} // namespace

int MulDiv(int a, int b, int c) {
    if (c == 0)
        return 0;
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const std::int64_t half = (c < 0 ? -static_cast<std::int64_t>(c) : c) / 2;
    const bool negative = (product < 0) != (c < 0);
    const std::int64_t magnitude = (product < 0 ? -product : product) + half;
    const std::int64_t quotient = magnitude / (c < 0 ? -static_cast<std::int64_t>(c) : c);
    return static_cast<int>(negative ? -quotient : quotient);
}

int CharSetForLanguage(std::string_view tag) {
    if (tag == "turkish")
        return 162;
    if (tag == "greek")
        return 161;
    if (tag == "rus" || tag == "urk")
        return 204;
    if (tag == "polish" || tag == "hrvatski" || tag == "slovenian" || tag == "czech" || tag == "hun" ||
        tag == "slovak" || tag == "rom")
        return 238;
    if (tag == "tha")
        return kThaiCharSet;
    if (tag == "lt" || tag == "estonian")
        return 186;
    if (tag == "vie")
        return 163;
    return 0;
}

LogicalFont DefaultReportFont(ReportFontId id, bool highResolution, std::string_view languageTag) {
    const FontDefault& d = kDefaults[static_cast<std::size_t>(id)];
    LogicalFont font;
    font.charSet = CharSetForLanguage(languageTag);
    if (highResolution) {
        font.face = "Arial";
        font.height = d.highHeight;
        font.weight = d.highWeight;
        font.pitchAndFamily = 34;
    } else {
        font.face = std::string(d.lowFace);
        font.height = -13;
        font.weight = d.lowWeight;
        font.pitchAndFamily = 49;
    }
    if (font.charSet == kThaiCharSet)
        font.face = "System";
    return font;
}

std::string_view ReportFontSection(ReportFontId id) {
    return kDefaults[static_cast<std::size_t>(id)].section;
}

LogicalFont MakeReportFont(const LogicalFont& font, bool scaleToDevice, Resolution screen, Resolution device) {
    LogicalFont made = font;
    if (scaleToDevice) {
        made.height = MulDiv(font.height, device.y, screen.y);
        made.width = MulDiv(font.width, device.x, screen.x);
    }
    return made;
}

ReportFonts::ReportFonts(std::string languageTag) : m_languageTag(std::move(languageTag)) {
    ResetAll(true);
    m_writeAll.fill(false);
}

void ReportFonts::Load(const IniFile& ini, ReportFontId id, bool reset, bool highResolution) {
    const std::size_t i = Index(id);
    const std::string_view section = ReportFontSection(id);
    const LogicalFont fallback = DefaultReportFont(id, highResolution, m_languageTag);
    const int height = reset ? 0 : ini.GetInt(section, kKeyHeight, 0);
    if (height == 0) {
        m_fonts[i] = fallback;
        m_writeAll[i] = true;
        return;
    }
    LogicalFont font;
    font.height = height;
    font.weight = ini.GetInt(section, kKeyWeight, fallback.weight);
    font.italic = ini.GetInt(section, kKeyItalic, 0) != 0;
    font.underline = ini.GetInt(section, kKeyUnderline, 0) != 0;
    font.pitchAndFamily = ini.GetInt(section, kKeyPitchAndFamily, fallback.pitchAndFamily);
    font.face = FirstCharacters(ini.GetString(section, kKeyFaceName, "System"), kMaxFaceCharacters);
    font.charSet = ini.GetInt(section, kKeyCharSet, fallback.charSet);
    m_fonts[i] = font;
    m_writeAll[i] = false;
}

void ReportFonts::LoadAll(const IniFile& ini, bool highResolution) {
    for (int i = 0; i < kReportFontCount; ++i)
        Load(ini, static_cast<ReportFontId>(i), false, highResolution);
}

void ReportFonts::ResetAll(bool highResolution) {
    for (int i = 0; i < kReportFontCount; ++i) {
        m_fonts[static_cast<std::size_t>(i)] =
            DefaultReportFont(static_cast<ReportFontId>(i), highResolution, m_languageTag);
        m_writeAll[static_cast<std::size_t>(i)] = true;
    }
}

void ReportFonts::Save(IniFile& ini) {
    for (int i = 0; i < kReportFontCount; ++i) {
        const auto index = static_cast<std::size_t>(i);
        const LogicalFont& font = m_fonts[index];
        if (font.height == 0)
            continue;
        const std::string_view section = ReportFontSection(static_cast<ReportFontId>(i));
        const bool all = m_writeAll[index];
        const auto writeInt = [&](std::string_view key, int value) {
            if (all || !ini.HasKey(section, key) || ini.GetInt(section, key, 0) != value)
                ini.SetInt(section, key, value);
        };
        writeInt(kKeyHeight, font.height);
        writeInt(kKeyWeight, font.weight);
        writeInt(kKeyItalic, font.italic ? 1 : 0);
        writeInt(kKeyUnderline, font.underline ? 1 : 0);
        writeInt(kKeyPitchAndFamily, font.pitchAndFamily);
        if (all || !ini.HasKey(section, kKeyFaceName) || ini.GetString(section, kKeyFaceName, "") != font.face)
            ini.SetString(section, kKeyFaceName, font.face);
        writeInt(kKeyCharSet, font.charSet);
        m_writeAll[index] = false;
    }
}

} // namespace vardo
