#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/platform/IniFile.h"
#include "core/reports/Canvas.h"

namespace vardo {

/// The five fonts every report draws with.
enum class ReportFontId { Text, Title, Subtitle, Header, Small };
inline constexpr int kReportFontCount = 5;

/// Pixels per inch along x and y.
struct Resolution {
    int x = 96;
    int y = 96;
    bool operator==(const Resolution&) const = default;
};

/// The Windows character set of the default fonts for a language tag: "turkish" 162, "greek" 161, "rus"
/// and "urk" 204, the Central European tags 238, "tha" 222, "lt" and "estonian" 186, "vie" 163; any other
/// tag 0 (ANSI).
int CharSetForLanguage(std::string_view languageTag);

/// The default of a report font: the high-resolution set (printers of 300 dpi and more, or no printer)
/// uses Arial, the low-resolution set the printer's Roman faces; Thai uses "System" for both.
LogicalFont DefaultReportFont(ReportFontId id, bool highResolution, std::string_view languageTag);

/// The settings section that stores a font ("Czcionka", "Czcionka tytułu", ...).
std::string_view ReportFontSection(ReportFontId id);

/// The font with its height (and width) scaled from screen pixels to device pixels when `scaleToDevice`
/// is set, so that the same point size shows on the screen and on paper. Unscaled otherwise.
LogicalFont MakeReportFont(const LogicalFont& font, bool scaleToDevice, Resolution screen, Resolution device);

/// The five report fonts of a run, with their storage in the settings file. Heights are screen pixels.
class ReportFonts {
public:
    /// All five fonts at their high-resolution defaults for the language.
    ReportFonts() : ReportFonts("polish") {}
    explicit ReportFonts(std::string languageTag);

    const LogicalFont& Get(ReportFontId id) const { return m_fonts[Index(id)]; }
    /// Replaces a font (the font dialog's OK).
    void Set(ReportFontId id, const LogicalFont& font) { m_fonts[Index(id)] = font; }

    /// Loads one font from its section. A reset, or a stored height of 0 (nothing stored), takes the
    /// default of the given resolution set and marks the font so that the next save writes every key;
    /// otherwise all seven keys are read (a face is cut to 31 characters).
    void Load(const IniFile& ini, ReportFontId id, bool reset, bool highResolution);
    /// Loads all five fonts (start-up: highResolution unless the printer has fewer than 300 dpi).
    void LoadAll(const IniFile& ini, bool highResolution);
    /// Resets all five fonts to the defaults of a resolution set.
    void ResetAll(bool highResolution);
    /// Writes each key whose value differs from what the file holds, or every key of a font that was
    /// defaulted since the last save. A font of height 0 is not written.
    void Save(IniFile& ini);

private:
    static std::size_t Index(ReportFontId id) { return static_cast<std::size_t>(id); }

    std::string m_languageTag;
    std::array<LogicalFont, kReportFontCount> m_fonts;
    std::array<bool, kReportFontCount> m_writeAll{};
};

} // namespace vardo
