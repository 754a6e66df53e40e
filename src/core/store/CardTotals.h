#pragma once

// The congregation's monthly totals history (tcard.dat): u16 values indexed [month 12][category 4]
// [value 9][slot 2], 1728 bytes in all. The meaning of the categories and values is that of MonthTotals.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/platform/DataFolder.h"
#include "core/platform/Prompter.h"
#include "core/platform/Result.h"
#include "core/store/MonthMath.h"
#include "core/store/Quarantine.h"
#include "core/store/SideRecord.h"

namespace vardo {

class CardTotals {
public:
    static constexpr std::string_view kFileName = "tcard.dat";
    static constexpr std::size_t kSize = 1728;
    static constexpr int kCategories = 4;
    static constexpr int kValues = 9;
    static constexpr int kSlots = 2;

    /// Byte offset of (month 0..11, category 0..3, value 0..8, slot 0..1).
    static constexpr std::size_t OffsetOf(MonthIndex month, int category, int value, YearSlot slot) {
        return 2 * static_cast<std::size_t>(72 * month + 18 * category + 2 * value + slot);
    }

    /// The totals of a file's bytes: the first 1728 bytes, zero-filled when shorter.
    static CardTotals FromBytes(std::string_view bytes);
    std::string_view Bytes() const { return m_bytes.Bytes(); }

    /// Arguments outside their ranges are a programming error.
    std::uint16_t Value(MonthIndex month, int category, int value, YearSlot slot) const {
        return m_bytes.U16(OffsetOf(month, category, value, slot));
    }
    void SetValue(MonthIndex month, int category, int value, YearSlot slot, std::uint16_t amount) {
        m_bytes.SetU16(OffsetOf(month, category, value, slot), amount);
    }
    void Clear() { m_bytes.Clear(); }

    /// ReadCardTotals: the whole file; a missing file gives zeros. A file of another size than 1728 bytes,
    /// or one that cannot be read, is preserved first.
    void Load(const DataFolder& folder, Prompter& prompter);
    /// WriteCardTotals: writes the 1728 bytes; a file that cannot be created shows message 1231.
    Status Save(const DataFolder& folder, Prompter& prompter) const;

private:
    FixedRecord<kSize> m_bytes;
    WriteGuard m_guard;
};

} // namespace vardo
