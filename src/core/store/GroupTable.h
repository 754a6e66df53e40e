#pragma once

// The field service group table of bkstudy.dat: up to 20 groups with overseer, assistant, meeting place,
// own name, meeting time and day. In the file the texts of the groups in use are scrambled with a
// repeating 10-character key; in memory they are plain. A 1881-byte file is the older layout without group
// names and is converted on load.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/platform/DataFolder.h"
#include "core/platform/Prompter.h"
#include "core/platform/Result.h"
#include "core/store/Quarantine.h"
#include "core/store/SideRecord.h"

namespace vardo {

class GroupTable {
public:
    static constexpr std::string_view kFileName = "bkstudy.dat";
    static constexpr std::size_t kSize = 2141;
    static constexpr std::size_t kOldSize = 1881;
    static constexpr int kMaxGroups = 20;
    static constexpr std::string_view kKey = "Ruby Grove";

    /// Editing limits of the texts (characters).
    static constexpr std::size_t kOverseerMax = 23;
    static constexpr std::size_t kAssistantMax = 23;
    static constexpr std::size_t kPlaceMax = 22;
    static constexpr std::size_t kNameMax = 20;
    static constexpr std::size_t kTimeMax = 8;

    /// A table from file bytes. Exactly 1881 bytes: the older layout, unscrambled and converted (`converted`
    /// is then true and the document is to be marked modified). Otherwise the first 2141 bytes,
    /// zero-filled when shorter, unscrambled.
    struct Parsed;
    static Parsed FromFileBytes(std::string_view bytes);
    /// The 2141 bytes of the file, texts scrambled.
    std::string FileBytes() const;
    /// The table as held in memory (texts plain).
    std::string_view PlainBytes() const { return m_bytes.Bytes(); }

    /// Number of groups 0..20 (the stored signed byte, clamped).
    int Count() const;
    /// Sets the number of groups; values outside 0..20 are clamped.
    void SetCount(int count);

    /// Texts of group g = 0..19 (group number g + 1), UTF-8. Setters fail, leaving the text unchanged, for a
    /// text beyond the editing limit or with a character outside Windows-1250. g outside 0..19 is a
    /// programming error.
    std::string Overseer(int g) const { return m_bytes.Text(OverseerOffset(g), 24); }
    Status SetOverseer(int g, std::string_view utf8) {
        return m_bytes.SetText(OverseerOffset(g), 24, kOverseerMax, utf8);
    }
    std::string Assistant(int g) const { return m_bytes.Text(AssistantOffset(g), 24); }
    Status SetAssistant(int g, std::string_view utf8) {
        return m_bytes.SetText(AssistantOffset(g), 24, kAssistantMax, utf8);
    }
    std::string Place(int g) const { return m_bytes.Text(PlaceOffset(g), 24); }
    Status SetPlace(int g, std::string_view utf8) { return m_bytes.SetText(PlaceOffset(g), 24, kPlaceMax, utf8); }
    std::string Name(int g) const { return m_bytes.Text(NameOffset(g), 24); }
    Status SetName(int g, std::string_view utf8) { return m_bytes.SetText(NameOffset(g), 24, kNameMax, utf8); }
    std::string Time(int g) const { return m_bytes.Text(TimeOffset(g), 9); }
    Status SetTime(int g, std::string_view utf8) { return m_bytes.SetText(TimeOffset(g), 9, kTimeMax, utf8); }
    /// Meeting day 0..6 = Monday..Sunday (other values as stored).
    int MeetingDay(int g) const { return m_bytes.U8(DayOffset(g)); }
    void SetMeetingDay(int g, int day) { m_bytes.SetU8(DayOffset(g), static_cast<std::uint8_t>(day)); }
    /// The group's own name is used.
    bool UsesName(int g) const { return m_bytes.U8(UseNameOffset(g)) == 1; }
    void SetUsesName(int g, bool on) { m_bytes.SetU8(UseNameOffset(g), on ? 1 : 0); }

    /// The group's name for lists: its own name when UsesName and the name is longer than one character,
    /// else "Grupa # <n>" (string 1133 and the group number g + 1).
    std::string DisplayName(int g) const;

    /// ReadGroups: a missing file gives no groups. Returns true when the file was in the older layout and
    /// was converted (the document is then modified). A file of another size than 2141 or 1881 bytes, or
    /// one that cannot be read, is preserved first.
    bool Load(const DataFolder& folder, Prompter& prompter);
    /// WriteGroups: with at least one group writes the 2141 scrambled bytes, else deletes the file. A file
    /// that cannot be created shows message 1231.
    Status Save(const DataFolder& folder, Prompter& prompter) const;

    static constexpr std::size_t OverseerOffset(int g) { return 1 + 24 * static_cast<std::size_t>(g); }
    static constexpr std::size_t AssistantOffset(int g) { return 481 + 24 * static_cast<std::size_t>(g); }
    static constexpr std::size_t PlaceOffset(int g) { return 961 + 24 * static_cast<std::size_t>(g); }
    static constexpr std::size_t NameOffset(int g) { return 1441 + 24 * static_cast<std::size_t>(g); }
    static constexpr std::size_t TimeOffset(int g) { return 1921 + 9 * static_cast<std::size_t>(g); }
    static constexpr std::size_t DayOffset(int g) { return 2101 + static_cast<std::size_t>(g); }
    static constexpr std::size_t UseNameOffset(int g) { return 2121 + static_cast<std::size_t>(g); }

private:
    FixedRecord<kSize> m_bytes;
    WriteGuard m_guard;
};

struct GroupTable::Parsed {
    GroupTable table;
    bool converted = false;
};

} // namespace vardo
