#include "core/reports/CardLabels.h"

#include <algorithm>
#include <string>

#include "core/platform/Strings.h"
#include "core/reporting/MonthTotals.h"
#include "core/reports/PageMetrics.h"
#include "core/reports/ReportFonts.h"

namespace vardo {
namespace {

std::string Trimmed(std::string text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

LogicalFont LabelFont(const Canvas& canvas, const ReportEnvironment& environment, int weight) {
    LogicalFont font;
    font.face = "Times New Roman";
    font.height = -9;
    font.weight = weight;
    font.pitchAndFamily = 18;
    font.charSet = CharSetForLanguage(environment.languageTag);
    return MakeReportFont(font, true, environment.screen, Resolution{canvas.DpiX(), canvas.DpiY()});
}

std::string Phones(const PublisherRecord& person, bool markMobile) {
    const std::string home = Trimmed(person.Phone1());
    std::string mobile = Trimmed(person.Phone2());
    if (!mobile.empty() && markMobile)
        mobile = std::string(Str(StrId::RecordFieldPhoneMobile)) + "   " + mobile;
    if (home.empty())
        return mobile;
    return mobile.empty() ? home : home + "  /  " + mobile;
}

std::string GenderMark(const PublisherRecord& person) {
    if (person.IsMale())
        return std::string(Str(StrId::CardMale)) + " [X]";
    if (person.IsFemale())
        return std::string(Str(StrId::CardFemale)) + " [X]";
    return {};
}

void Line(Canvas& canvas, TextAlign align, int x, int y, const std::string& text) {
    if (text.empty())
        return;
    canvas.SetTextAlign(align);
    canvas.DrawText(x, y, text);
}

// One label with its upper-left corner at (x, y).
void DrawLabel(Canvas& canvas, const ReportEnvironment& environment, const PublisherRecord& person, int x, int y) {
    const ReportOptions& options = environment.options;
    const int dpiX = canvas.DpiX();
    const int inset = dpiX / 10;
    const int right = x + dpiX * 10 / 3;
    const LogicalFont regular = LabelFont(canvas, environment, 400);
    canvas.SetFont(regular);
    const FontMetrics metrics = canvas.Metrics();
    const int step = metrics.height + std::max(metrics.externalLeading, metrics.height / 5);
    const std::string birth = options.birthDateOnCards ? RecordDateToIso(person.BirthDate()) : std::string();
    int line = y + canvas.DpiY() / 8;
    if (!options.otherLabelLayout) {
        Line(canvas, {HAlign::Left, VAlign::Top}, x + inset, line, person.FirstName() + " " + person.LastName());
        Line(canvas, {HAlign::Right, VAlign::Top}, right, line, GenderMark(person));
        for (const std::string& text :
             {Trimmed(person.Address()), Phones(person, options.birthDateOnCards),
              birth.empty() ? std::string() : std::string(Str(StrId::CardBirthLabel)) + ":  " + birth}) {
            if (text.empty())
                continue;
            line += step;
            Line(canvas, {HAlign::Left, VAlign::Top}, x + inset, line, text);
        }
        return;
    }
    // The second layout: the name surname first in bold with the birth date beside it, the gender mark on
    // the last line.
    canvas.SetFont(LabelFont(canvas, environment, 700));
    Line(canvas, {HAlign::Left, VAlign::Top}, x + inset, line, person.LastName() + " " + person.FirstName());
    canvas.SetFont(regular);
    Line(canvas, {HAlign::Right, VAlign::Top}, right, line, birth);
    for (const std::string& text : {Trimmed(person.Address()), Phones(person, true), GenderMark(person)}) {
        if (text.empty())
            continue;
        line += step;
        Line(canvas, {HAlign::Left, VAlign::Top}, x + inset, line, text);
    }
}

class CardLabelsReport : public Report {
public:
    explicit CardLabelsReport(LabelSource source)
        : m_source(std::move(source)),
          m_order(LabelOrder(*m_source.database, m_source.workingMonth, m_source.records, m_source.sorted)) {}

    int CountPages(Canvas&, const ReportEnvironment&) const override {
        return LabelPageCount(static_cast<int>(m_order.size()), m_source.firstPosition);
    }

    void Draw(Canvas& canvas, const ReportEnvironment& environment) const override {
        const LabelGeometry geometry = LabelGeometryFor(canvas, environment);
        const int band = PageBandHeight(canvas, environment);
        for (std::size_t i = 0; i < m_order.size(); ++i) {
            const LabelPlace place = PlaceOfLabel(static_cast<int>(i), m_source.firstPosition);
            const int x = geometry.left + place.column * geometry.width;
            const int y = geometry.top + place.row * geometry.height + place.page * band;
            if (!canvas.MayShow(Rect{x, y, x + geometry.width, y + geometry.height}))
                continue;
            DrawLabel(canvas, environment, m_source.database->Record(m_order[i]), x, y);
        }
    }

private:
    LabelSource m_source;
    std::vector<RecordNumber> m_order;
};

int ValidPosition(int position) {
    return position >= 1 && position <= kLabelsPerSheet ? position : 1;
}

} // namespace

LabelPlace PlaceOfLabel(int index, int firstPosition) {
    const int slot = ValidPosition(firstPosition) - 1 + index;
    const int onSheet = slot % kLabelsPerSheet;
    return LabelPlace{slot / kLabelsPerSheet, onSheet / 2, onSheet % 2};
}

int LabelPageCount(int count, int firstPosition) {
    if (count <= 0)
        return 1;
    return (ValidPosition(firstPosition) - 1 + count - 1) / kLabelsPerSheet + 1;
}

std::vector<RecordNumber> LabelOrder(const PublisherDatabase& database, const WorkingMonth& month,
                                     std::vector<RecordNumber> selection, bool sorted) {
    if (sorted) {
        const MonthIndex m = month.monthIndex;
        const YearSlot s = month.SlotOf(m);
        std::stable_sort(selection.begin(), selection.end(), [&](RecordNumber a, RecordNumber b) {
            return SectionOf(database.Record(a), m, s) < SectionOf(database.Record(b), m, s);
        });
    }
    return selection;
}

LabelGeometry LabelGeometryFor(const Canvas& canvas, const ReportEnvironment& environment) {
    const int dpiX = canvas.DpiX();
    LabelGeometry geometry;
    geometry.width = 4 * dpiX + (environment.a4 ? dpiX / 20 : dpiX / 5);
    geometry.height = canvas.DpiY();
    const bool screen = !DeviceDiffers(canvas, environment);
    geometry.left = environment.options.labelLeftMargin * dpiX / (screen ? 200 : 100);
    geometry.top = TopMargin(environment.options.topMargin, canvas.DpiY());
    return geometry;
}

std::unique_ptr<Report> MakeCardLabelsReport(LabelSource source) {
    return std::make_unique<CardLabelsReport>(std::move(source));
}

} // namespace vardo
