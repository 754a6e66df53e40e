#pragma once

// The group report file: the persons of one field service group for one month, written for the group
// overseer's program (.t09) and read back filled (.t19). One 816-byte header, N person records in the
// register's layout and scrambling, then R 48-byte remark entries; little-endian.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/Result.h"
#include "core/store/MonthMath.h"
#include "core/store/PublisherDatabase.h"
#include "core/store/RemarkTable.h"

namespace vardo {

/// Header offsets and limits of a group report file.
struct GroupReportLayout {
    static constexpr std::size_t kHeaderSize = 816;
    static constexpr std::size_t kEmailOffset = 44;
    static constexpr std::size_t kEmailWidth = 64; ///< at most 63 bytes and the NUL
    static constexpr std::size_t kCountOffset = 180;
    static constexpr std::size_t kGroupOffset = 181;
    static constexpr std::size_t kRemarkCountOffset = 184;
    static constexpr std::size_t kMonthOffset = 238;
    /// The person count is a signed byte.
    static constexpr int kMaxPersons = 127;
    /// Remark entries a received file may carry; further entries are ignored.
    static constexpr int kMaxRemarks = 300;
    /// Late-report markers: month i at 152 + i (January..June) or 161 + i − 6 (July..December).
    static constexpr std::size_t MarkerOffset(MonthIndex month) {
        return month < 6 ? 152 + static_cast<std::size_t>(month) : 161 + static_cast<std::size_t>(month - 6);
    }
};

/// What a .t09 is written from. The database and remarks are read only.
struct GroupFileSource {
    const PublisherDatabase& database;
    const RemarkTable& remarks;
    /// The publisher's e-mail address (UTF-8) from his extension record; empty when none.
    std::function<std::string(const PublisherRecord&)> emailOf;
    /// The publisher has an entry of the late-report list for this month.
    std::function<bool(const PublisherRecord&, MonthIndex)> isLateReport;
    /// Slot of each month seen from the working month (WorkingMonth::SlotOf).
    std::function<YearSlot(MonthIndex)> slotOf;
};

struct GroupFileRequest {
    int group = 0;
    MonthIndex month = 0; ///< the reported month
    YearSlot slot = 0;    ///< its year slot
    /// The reported month's values, credit, remark and pioneer bits above bit 1 are left out.
    bool blank = false;
    /// The secretary's address (UTF-8); written only when its at sign stands at index 2 or later.
    std::string secretaryEmail;
};

/// The address kept for a publisher in the address field: an at sign after the first character and a '.'
/// after the at sign; otherwise empty.
bool IsUsablePublisherEmail(std::string_view email);

/// The bytes of a .t09 for `request`: the active publishers of the group in the order of the active list.
/// Fails (Full) when the group has more than 127 active members: the count byte cannot hold them.
Result<std::string> WriteGroupReportFile(const GroupFileSource& source, const GroupFileRequest& request);

/// A received group report file, text fields unscrambled.
struct GroupReportData {
    std::string secretaryEmail; ///< UTF-8
    int group = 0;
    MonthIndex month = 0;
    std::vector<PublisherRecord> persons;
    /// Remark texts (UTF-8) by their 1-based number in the file; element 0 is unused.
    std::vector<std::string> remarks;

    /// The remark text a person's cell points to; empty when none.
    std::string RemarkOf(const PublisherRecord& person, MonthIndex reportMonth, YearSlot slot) const;
    /// The late-report marker of a month.
    static bool IsMarkedLate(const PublisherRecord& person, MonthIndex month);
};

/// Reads a .t19 (or .t09). Persons are read up to the header's count or the end of the file; remark
/// entries up to the header's count, at most 300. Fails (Invalid) with a message for the user when the
/// file is shorter than its header or names a month outside 0..11.
Result<GroupReportData> ReadGroupReportFile(std::string_view bytes);

} // namespace vardo
