#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vardo {

/// A logical font as the report drawing asks for it, in the Windows logical-font model. `height` is in
/// device pixels: negative = character (em) height, positive = cell height (ascent + descent), 0 = a
/// default size. `weight` 0..1000 (400 normal, 700 bold). `pitchAndFamily`: low two bits pitch (1 fixed,
/// 2 variable), high nibble family (0x10 roman, 0x20 swiss, 0x30 modern, 0x40 script, 0x50 decorative).
/// `charSet` is the Windows character-set number (0 ANSI, 238 East European, ...). `face` is UTF-8.
struct LogicalFont {
    std::string face;
    int height = 0;
    int width = 0;
    int weight = 400;
    bool italic = false;
    bool underline = false;
    int pitchAndFamily = 0;
    int charSet = 0;

    bool operator==(const LogicalFont&) const = default;
};

/// Metrics of the selected font, in device pixels, as a Windows TEXTMETRIC gives them.
struct FontMetrics {
    int height = 0;          ///< character height: ascent + descent
    int ascent = 0;          ///< baseline to the top of the cell
    int descent = 0;         ///< baseline to the bottom of the cell
    int internalLeading = 0; ///< cell height minus em height
    int externalLeading = 0; ///< extra space the font wants between lines
    int averageWidth = 0;    ///< average character width
};

enum class HAlign { Left, Right, Center };
enum class VAlign { Top, Baseline, Bottom };

/// Where text is anchored relative to the point given to DrawText.
struct TextAlign {
    HAlign horizontal = HAlign::Left;
    VAlign vertical = VAlign::Top;

    bool operator==(const TextAlign&) const = default;
};

enum class PenStyle { Solid, Dash, Dot, None };

/// A pen: width in device pixels (0 = the thinnest line the device draws), colour as 0xRRGGBB.
struct Pen {
    int width = 1;
    std::uint32_t color = 0x000000;
    PenStyle style = PenStyle::Solid;

    bool operator==(const Pen&) const = default;
};

/// A rectangle in device pixels; right and bottom are exclusive.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Intersects(const Rect& other) const {
        return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
    }
    bool operator==(const Rect&) const = default;
};

/// Size of a text in device pixels.
struct Extent {
    int width = 0;
    int height = 0;
};

/// The surface every report draws on: the screen, print preview, a printer, a PDF or an image. All
/// coordinates are device pixels of the tall report sheet (y grows downwards); the page engine moves the
/// origin and sets the clip to print one page band of that sheet. Text is UTF-8.
class Canvas {
public:
    virtual ~Canvas() = default;

    /// Device pixels per inch.
    virtual int DpiX() const = 0;
    virtual int DpiY() const = 0;

    /// Selects a font for the following text and metrics calls.
    virtual void SetFont(const LogicalFont& font) = 0;
    /// Metrics of the selected font.
    virtual FontMetrics Metrics() const = 0;
    /// Width and height of `text` in the selected font.
    virtual Extent TextExtent(std::string_view text) const = 0;

    /// Sets how DrawText anchors text at its point.
    virtual void SetTextAlign(TextAlign align) = 0;
    /// Draws one line of text at (x, y) with the current alignment, font and black ink.
    virtual void DrawText(int x, int y, std::string_view text) = 0;

    virtual void SetPen(const Pen& pen) = 0;
    /// A line from (x1, y1) to (x2, y2) with the current pen.
    virtual void DrawLine(int x1, int y1, int x2, int y2) = 0;
    /// The outline of a rectangle with the current pen (nothing filled).
    virtual void DrawRectangle(const Rect& rect) = 0;
    /// Fills the rectangle (x, y, width w, height h) with the colour 0xRRGGBB, no outline.
    virtual void FillRect(int x, int y, int w, int h, std::uint32_t color) = 0;

    /// Restricts drawing to `rect` (sheet coordinates) until ResetClip.
    virtual void SetClip(const Rect& rect) = 0;
    virtual void ResetClip() = 0;
    /// Moves the sheet: sheet point (x, y) lands on device point (x + dx, y + dy).
    virtual void SetOrigin(int dx, int dy) = 0;

    /// True when something drawn inside `rect` (sheet coordinates) could show: a drawing routine may skip
    /// what cannot.
    virtual bool MayShow(const Rect& rect) const = 0;
};

/// a × b / c rounded half away from zero, as the Windows MulDiv computes it; 0 when c is 0.
int MulDiv(int a, int b, int c);

} // namespace vardo
