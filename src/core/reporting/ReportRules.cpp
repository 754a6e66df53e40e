#include "core/reporting/ReportRules.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/platform/Strings.h"
#include "core/store/SideRecord.h"

namespace vardo {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool AllDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), IsDigit);
}

// Characters of a UTF-8 text; a byte that starts no character counts as one, as CutToCharacters does.
std::vector<std::string_view> Characters(std::string_view utf8) {
    std::vector<std::string_view> chars;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        std::size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        length = std::min(length, utf8.size() - i);
        chars.push_back(utf8.substr(i, length));
        i += length;
    }
    return chars;
}

bool HasCharacterAt(const std::vector<std::string_view>& chars, std::string_view wanted, std::size_t first,
                    std::size_t last) {
    for (std::size_t i = first; i <= last && i < chars.size(); ++i)
        if (chars[i] == wanted)
            return true;
    return false;
}

} // namespace

bool HasReport(const ReportCell& cell) {
    return cell.hours != 0 || cell.QuarterHours() != 0 || cell.Flag();
}

bool HasReport(const PublisherRecord& person, MonthIndex month, YearSlot slot) {
    return HasReport(person.Cell(month, slot));
}

std::string FormatHours(int hours, int quarters) {
    static constexpr const char* kFractions[] = {"", ".25", ".5", ".75"};
    return std::to_string(hours) + kFractions[quarters & 3];
}

Result<HoursValue> ParseHours(std::string_view text) {
    const std::string_view trimmed = sidetext::Trim(text);
    const std::size_t point = trimmed.find_first_of(".,");
    const std::string_view whole = trimmed.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : trimmed.substr(point + 1);
    const auto refuse = [&] { return Result<HoursValue>::Fail(FormatArgs(Str(StrId::BadHoursText), {text})); };
    if (!AllDigits(whole) || !AllDigits(fraction) || whole.size() > 5)
        return refuse();
    HoursValue value;
    value.hours = whole.empty() ? 0 : std::stoi(std::string(whole));
    if (value.hours > 65535)
        return refuse();
    if (fraction.empty() || fraction == "0" || fraction == "00")
        value.quarters = 0;
    else if (fraction == "25")
        value.quarters = 1;
    else if (fraction == "5" || fraction == "50")
        value.quarters = 2;
    else if (fraction == "75")
        value.quarters = 3;
    else
        return refuse();
    return value;
}

Result<int> ParseWholeNumber(std::string_view text, int min, int max) {
    const std::string_view trimmed = sidetext::Trim(text);
    const std::string_view whole = trimmed.substr(0, trimmed.find('.'));
    const std::string range = FormatArgs(Str(StrId::IntegerRange), {std::to_string(min), std::to_string(max)});
    if (!AllDigits(whole) || whole.size() > 9)
        return Result<int>::Fail(range);
    const int value = whole.empty() ? 0 : std::stoi(std::string(whole));
    if (value < min || value > max)
        return Result<int>::Fail(range);
    return value;
}

CreditResult ComputeCredit(int h, int k, std::string r) {
    if (h > 54)
        k = 0;
    if (k != 0 && 55 - h < k)
        k = 55 - h;
    if (k != 0 && r.empty())
        r = FormatPrintf("%d +", k) + std::string(Str(StrId::HoursLabel));
    std::size_t digits = 0;
    while (digits < r.size() && digits < 3 && IsDigit(r[digits]))
        ++digits;
    if (digits > 0)
        k = std::min(std::stoi(r.substr(0, digits)), 255);
    const std::vector<std::string_view> chars = Characters(r);
    if (HasCharacterAt(chars, "!", 0, 5))
        return {k, r};
    const int e = HasCharacterAt(chars, "*", 1, 4) ? std::min(k, 40) : 0;
    k = std::max(k, e);
    if (h > 54 || e + h > 54)
        k = e;
    else if (k != 0 && e != 0 && h + k > 54)
        k = 55 - h;
    if (e == 0 && k != 0 && 55 - h < k)
        k = 55 - h;
    return {k, r};
}

std::string CreditLabel(int credit) {
    if (credit == 0)
        return {};
    return FormatPrintf("( + %d ", credit) + std::string(Str(StrId::HoursLabel)) + " )";
}

RemarkSlot RemarkText(const RemarkTable& remarks, const PublisherRecord& person, MonthIndex month, YearSlot slot) {
    const std::uint16_t number = person.RemarkNumber(month, slot);
    if (number != 0 && number < remarks.Count())
        return {remarks.Entry(number).Text(), number};
    if (remarks.Count() > kLastRemarkNumber)
        return {};
    return {{}, static_cast<std::uint16_t>(remarks.Count())};
}

Result<bool> StoreRemark(RemarkTable& remarks, PublisherRecord& person, MonthIndex month, YearSlot slot,
                         std::uint16_t number, std::string_view text, Prompter& prompter) {
    const std::string cut = sidetext::CutToCharacters(text, RemarkEntry::kTextMax);
    if (number != 0 && number < remarks.Count()) {
        RemarkEntry& entry = remarks.Entry(number);
        if (entry.Text() == cut)
            return false;
        if (cut.empty()) {
            entry.ClearText();
        } else if (const Status set = entry.SetText(cut); !set) {
            prompter.Message(set.message(), Severity::Warning);
            return Result<bool>::Fail(set);
        }
        person.SetRow(MonthRow::Remark, month, slot, number);
        return true;
    }
    if (sidetext::Trim(cut).empty())
        return false;
    if (remarks.Count() > kLastRemarkNumber) {
        person.SetRow(MonthRow::Remark, month, slot, 0);
        prompter.Message(Str(StrId::RemarksFull), Severity::Warning);
        return Result<bool>::Fail(std::string(Str(StrId::RemarksFull)));
    }
    RemarkEntry entry;
    if (const Status set = entry.SetText(cut); !set) {
        prompter.Message(set.message(), Severity::Warning);
        return Result<bool>::Fail(set);
    }
    entry.SetMonthByte(static_cast<std::uint8_t>(month + 1));
    entry.SetSlotByte(static_cast<std::uint8_t>(slot));
    entry.SetId(person.Id());
    const Result<std::uint16_t> appended = remarks.Append(entry);
    if (!appended) {
        person.SetRow(MonthRow::Remark, month, slot, 0);
        prompter.Message(Str(StrId::RemarksFull), Severity::Warning);
        return Result<bool>::Fail(appended.error());
    }
    person.SetRow(MonthRow::Remark, month, slot, appended.value());
    return true;
}

} // namespace vardo
