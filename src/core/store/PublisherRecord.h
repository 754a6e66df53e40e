#pragma once

// The 816-byte person record of the publisher database and the header record that precedes the persons.
// Both are plain byte arrays, identical in memory and in the file (little-endian); the accessors read and
// write the fields at their fixed offsets. Text fields hold Windows-1250 bytes; the text accessors speak
// UTF-8.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

#include "core/store/MonthMath.h"

namespace vardo {

/// 16-bit identity of a person; side files and exchange files refer to persons by it.
using PublisherId = std::uint16_t;
/// Position of a record in the database's record array (0 = header, 1..count−1 persons).
using RecordNumber = int;

/// Size of one record in memory and in tdat9.bin.
inline constexpr std::size_t kRecordSize = 816;
/// Id of the circuit overseer's record.
inline constexpr PublisherId kCircuitOverseerId = 30003;

/// Byte 200 of a record.
enum class PublisherCategory : std::uint8_t {
    Publisher = 0,
    Inactive = 1,
    NonPublisher = 2,
    Moved = 3,
    Deleted = 4,
    CircuitOverseer = 5,
};

/// Number of categories that have a CategoryList (Publisher..Deleted).
inline constexpr int kListedCategories = 5;

/// Pioneer service of one month (bits 0-1 of the month's pioneer byte).
enum class PioneerCode : std::uint8_t { None = 0, Auxiliary = 1, Regular = 2, Special = 3 };

/// Appointment, bits 0-1 of the person flags (byte 239).
enum class Appointment : std::uint8_t { None = 0, MinisterialServant = 1, Elder = 2, BaptizedBrother = 3 };

/// Reporting state of one calendar month, kept in the header record.
enum class MonthState : std::uint8_t { NotInitialised = 0, Open = 1, Closed = 2 };

/// 16-bit reference to a person: bits 0-8 a position; bit 13 = position in the Moved list, bit 14 = in the
/// Inactive list, bit 15 = in the NonPublisher list; no list bit = record number.
using PersonRef = std::uint16_t;

inline constexpr PersonRef kPersonRefPositionMask = 0x01FF;
inline constexpr PersonRef kPersonRefMoved = 0x2000;
inline constexpr PersonRef kPersonRefInactive = 0x4000;
inline constexpr PersonRef kPersonRefNonPublisher = 0x8000;
/// Largest position a PersonRef can carry (nine bits).
inline constexpr int kPersonRefMaxPosition = 511;

/// A PersonRef for a record number (no list bit). nullopt when the record number does not fit nine bits.
constexpr std::optional<PersonRef> PersonRefOfRecord(RecordNumber record) {
    if (record < 0 || record > kPersonRefMaxPosition)
        return std::nullopt;
    return static_cast<PersonRef>(record);
}

/// A PersonRef for a position in the Moved, Inactive or NonPublisher list. nullopt for another category or
/// a position that does not fit nine bits.
constexpr std::optional<PersonRef> PersonRefOfListPosition(PublisherCategory list, int position) {
    if (position < 0 || position > kPersonRefMaxPosition)
        return std::nullopt;
    switch (list) {
    case PublisherCategory::Moved:
        return static_cast<PersonRef>(kPersonRefMoved | position);
    case PublisherCategory::Inactive:
        return static_cast<PersonRef>(kPersonRefInactive | position);
    case PublisherCategory::NonPublisher:
        return static_cast<PersonRef>(kPersonRefNonPublisher | position);
    default:
        return std::nullopt;
    }
}

/// Personal text fields of a record: offset and width (NUL included) of each.
enum class TextField { FirstName, LastName, Address, Phone1, Phone2, Phone3, BaptismDate, BirthDate, ThirdDate };

struct TextFieldLayout {
    std::size_t offset;
    std::size_t width;
};

constexpr TextFieldLayout LayoutOf(TextField field) {
    switch (field) {
    case TextField::FirstName:
        return {2, 21};
    case TextField::LastName:
        return {23, 21};
    case TextField::Address:
        return {44, 63};
    case TextField::Phone1:
        return {107, 15};
    case TextField::Phone2:
        return {122, 15};
    case TextField::Phone3:
        return {137, 15};
    case TextField::BaptismDate:
        return {152, 9};
    case TextField::BirthDate:
        return {161, 9};
    case TextField::ThirdDate:
        return {170, 9};
    }
    return {0, 0};
}

/// The per-month arrays of a record.
enum class MonthRow {
    Pioneer,      ///< u8 at 202: bits 0-1 PioneerCode
    Placements,   ///< u16 at 240
    Videos,       ///< u16 at 312
    Hours,        ///< u16 at 384: whole hours
    ReturnVisits, ///< u16 at 456
    StudyWord,    ///< u16 at 528: bits 0-9 Bible studies, bit 11 flag, bits 12-13 quarter hours
    Remark,       ///< u16 at 600: entry number in remark9.dat
    CreditHours,  ///< u16 at 672: pioneer credit hours
    YearTag,      ///< u8 at 744: two-digit year of the slot's data (legacy conversion)
    LateMarker,   ///< u8 at 780: working month 1..12 in which the report was entered late; 0 on time
};

struct MonthRowLayout {
    std::size_t offset;
    std::size_t width; ///< 1 or 2 bytes per cell
};

constexpr MonthRowLayout LayoutOf(MonthRow row) {
    switch (row) {
    case MonthRow::Pioneer:
        return {202, 1};
    case MonthRow::Placements:
        return {240, 2};
    case MonthRow::Videos:
        return {312, 2};
    case MonthRow::Hours:
        return {384, 2};
    case MonthRow::ReturnVisits:
        return {456, 2};
    case MonthRow::StudyWord:
        return {528, 2};
    case MonthRow::Remark:
        return {600, 2};
    case MonthRow::CreditHours:
        return {672, 2};
    case MonthRow::YearTag:
        return {744, 1};
    case MonthRow::LateMarker:
        return {780, 1};
    }
    return {0, 0};
}

/// Bits of the Bible-study word.
inline constexpr std::uint16_t kStudyCountMask = 0x03FF;
/// Bit 11: "less than one hour" in the older report format, "participated in the ministry" in the newer.
inline constexpr std::uint16_t kStudyFlagBit = 0x0800;
inline constexpr int kQuarterHoursShift = 12;
inline constexpr std::uint16_t kQuarterHoursMask = 0x3000;

/// The values of one person for one month and year slot. Raw values are kept whole, so reading a cell and
/// writing it back changes no bit.
struct ReportCell {
    std::uint8_t pioneerByte = 0;
    std::uint16_t placements = 0;
    std::uint16_t videos = 0;
    std::uint16_t hours = 0;
    std::uint16_t returnVisits = 0;
    std::uint16_t studyWord = 0;
    std::uint16_t remark = 0;
    std::uint16_t creditHours = 0;
    std::uint8_t yearTag = 0;
    std::uint8_t lateMarker = 0;

    PioneerCode Pioneer() const { return static_cast<PioneerCode>(pioneerByte & 3); }
    void SetPioneer(PioneerCode code) {
        pioneerByte = static_cast<std::uint8_t>((pioneerByte & ~3) | static_cast<int>(code));
    }
    int BibleStudies() const { return studyWord & kStudyCountMask; }
    void SetBibleStudies(int count) {
        studyWord = static_cast<std::uint16_t>((studyWord & ~kStudyCountMask) | (count & kStudyCountMask));
    }
    /// 0..3 quarter hours added to the whole hours.
    int QuarterHours() const { return (studyWord & kQuarterHoursMask) >> kQuarterHoursShift; }
    void SetQuarterHours(int quarters) {
        studyWord =
            static_cast<std::uint16_t>((studyWord & ~kQuarterHoursMask) | ((quarters & 3) << kQuarterHoursShift));
    }
    /// Bit 11 of the study word (meaning depends on the report format of the month).
    bool Flag() const { return (studyWord & kStudyFlagBit) != 0; }
    void SetFlag(bool on) {
        studyWord = static_cast<std::uint16_t>(on ? (studyWord | kStudyFlagBit) : (studyWord & ~kStudyFlagBit));
    }
    /// Hours plus quarter hours / 4.
    double TotalHours() const { return hours + QuarterHours() / 4.0; }

    bool operator==(const ReportCell&) const = default;
};

/// 816 raw bytes with little-endian field access. Offsets outside the record are a programming error.
class RecordBytes {
public:
    std::uint8_t U8(std::size_t offset) const { return m_bytes[offset]; }
    void SetU8(std::size_t offset, std::uint8_t value) { m_bytes[offset] = value; }
    std::uint16_t U16(std::size_t offset) const {
        return static_cast<std::uint16_t>(m_bytes[offset] | (m_bytes[offset + 1] << 8));
    }
    void SetU16(std::size_t offset, std::uint16_t value) {
        m_bytes[offset] = static_cast<std::uint8_t>(value & 0xFF);
        m_bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
    }
    bool Bit16(std::size_t offset, int bit) const { return (U16(offset) >> bit) & 1; }
    void SetBit16(std::size_t offset, int bit, bool on);
    bool Bit8(std::size_t offset, int bit) const { return (m_bytes[offset] >> bit) & 1; }
    void SetBit8(std::size_t offset, int bit, bool on);

    /// Raw Windows-1250 bytes of a NUL-terminated text field: up to the first NUL or the field's end.
    std::string_view RawText(std::size_t offset, std::size_t width) const;
    /// Text of a field as UTF-8.
    std::string TextAt(std::size_t offset, std::size_t width) const;
    /// Stores UTF-8 text as Windows-1250, at most width − 1 bytes, NUL-filling the rest of the field.
    /// Returns false when the text had to be shortened or held characters outside the code page ('?').
    bool SetTextAt(std::size_t offset, std::size_t width, std::string_view utf8);
    /// Stores raw bytes (at most width − 1), NUL-filling the rest of the field.
    void SetRawTextAt(std::size_t offset, std::size_t width, std::string_view bytes);

    /// The whole record as bytes.
    std::string_view Bytes() const { return {reinterpret_cast<const char*>(m_bytes.data()), kRecordSize}; }
    std::uint8_t* Data() { return m_bytes.data(); }
    const std::uint8_t* Data() const { return m_bytes.data(); }
    /// Copies up to 816 bytes from `bytes` into the record; the rest stays as it was.
    void Assign(std::string_view bytes);
    void Clear() { m_bytes.fill(0); }

    bool operator==(const RecordBytes&) const = default;

private:
    std::array<std::uint8_t, kRecordSize> m_bytes{};
};

/// One person's record.
class PublisherRecord : public RecordBytes {
public:
    /// A record built from 816 bytes (shorter input leaves the rest zero).
    static PublisherRecord FromBytes(std::string_view bytes);

    // Texts (UTF-8 at the interface, Windows-1250 in the record).
    std::string Text(TextField field) const;
    bool SetText(TextField field, std::string_view utf8);
    std::string_view RawText(TextField field) const;
    using RecordBytes::RawText;

    std::string FirstName() const { return Text(TextField::FirstName); }
    bool SetFirstName(std::string_view utf8) { return SetText(TextField::FirstName, utf8); }
    std::string LastName() const { return Text(TextField::LastName); }
    bool SetLastName(std::string_view utf8) { return SetText(TextField::LastName, utf8); }
    std::string Address() const { return Text(TextField::Address); }
    bool SetAddress(std::string_view utf8) { return SetText(TextField::Address, utf8); }
    /// Home phone ("Tel. Dom").
    std::string Phone1() const { return Text(TextField::Phone1); }
    bool SetPhone1(std::string_view utf8) { return SetText(TextField::Phone1, utf8); }
    /// Mobile phone ("Komórka").
    std::string Phone2() const { return Text(TextField::Phone2); }
    bool SetPhone2(std::string_view utf8) { return SetText(TextField::Phone2, utf8); }
    /// Work phone ("Tel. Praca").
    std::string Phone3() const { return Text(TextField::Phone3); }
    bool SetPhone3(std::string_view utf8) { return SetText(TextField::Phone3, utf8); }
    /// Dates are MMDDYYYY with the month space-padded (" 5052019"); blank or empty when missing.
    std::string BaptismDate() const { return Text(TextField::BaptismDate); }
    bool SetBaptismDate(std::string_view text) { return SetText(TextField::BaptismDate, text); }
    std::string BirthDate() const { return Text(TextField::BirthDate); }
    bool SetBirthDate(std::string_view text) { return SetText(TextField::BirthDate, text); }
    /// Valid only when HasThirdDate().
    std::string ThirdDate() const { return Text(TextField::ThirdDate); }
    bool SetThirdDate(std::string_view text) { return SetText(TextField::ThirdDate, text); }
    bool HasThirdDate() const { return U8(179) != 0; }
    void SetHasThirdDate(bool on) { SetU8(179, on ? 1 : 0); }

    /// Bible study conductor text of a NonPublisher (Windows-1250 bytes from offset 240 on; UTF-8 here).
    std::string ConductorText() const { return TextAt(kConductorOffset, kConductorWidth); }
    bool SetConductorText(std::string_view utf8) { return SetTextAt(kConductorOffset, kConductorWidth, utf8); }
    static constexpr std::size_t kConductorOffset = 240;
    static constexpr std::size_t kConductorWidth = 72;

    /// 'A' anointed, 'O' other sheep, other values as stored.
    char Hope() const { return static_cast<char>(U8(180)); }
    void SetHope(char hope) { SetU8(180, static_cast<std::uint8_t>(hope)); }
    /// Field service group 1..20; 0 = none.
    int Group() const { return U8(181); }
    void SetGroup(int group) { SetU8(181, static_cast<std::uint8_t>(group)); }

    PublisherId Id() const { return U16(182); }
    void SetId(PublisherId id) { SetU16(182, id); }
    /// Record number in xten7.dat; 0 = none.
    std::uint16_t ExtensionKey() const { return U16(184); }
    void SetExtensionKey(std::uint16_t key) { SetU16(184, key); }
    /// Key in emerg.dat; 0 = none.
    std::uint16_t EmergencyKey() const { return U16(186); }
    void SetEmergencyKey(std::uint16_t key) { SetU16(186, key); }
    /// PublisherId of the head of the person's family; 0 = none.
    PublisherId FamilyHead() const { return U16(188); }
    void SetFamilyHead(PublisherId id) { SetU16(188, id); }
    /// Key in spneed.dat; 0 = none.
    std::uint16_t SpecialNeedsKey() const { return U16(190); }
    void SetSpecialNeedsKey(std::uint16_t key) { SetU16(190, key); }
    /// MonthCount of the last status change.
    MonthCount StatusChangeMonth() const { return U16(192); }
    void SetStatusChangeMonth(MonthCount count) { SetU16(192, count); }

    /// Flag word at 194.
    std::uint16_t ServiceFlags() const { return U16(194); }
    bool IsSpecialFullTime() const { return Bit16(194, 7); }
    void SetSpecialFullTime(bool on) { SetBit16(194, 7, on); }
    bool IsFieldMissionary() const { return Bit16(194, 8); }
    void SetFieldMissionary(bool on) { SetBit16(194, 8, on); }

    /// Flag word at 196; bit 15 marks that the word has been initialised.
    std::uint16_t NeedsFlags() const { return U16(196); }
    void SetNeedsFlags(std::uint16_t flags) { SetU16(196, flags); }
    bool IsDeaf() const { return Bit16(196, 0); }
    void SetDeaf(bool on) { SetBit16(196, 0, on); }
    bool IsBlind() const { return Bit16(196, 1); }
    void SetBlind(bool on) { SetBit16(196, 1, on); }
    bool IsConfined() const { return Bit16(196, 2); }
    void SetConfined(bool on) { SetBit16(196, 2, on); }
    static constexpr std::uint16_t kNeedsInitialised = 0x8000;

    /// Non-zero: an XML import may update this record in place.
    std::uint16_t ImportMarker() const { return U16(198); }
    void SetImportMarker(std::uint16_t value) { SetU16(198, value); }

    /// Byte 200 as stored (may be outside the enum for damaged data).
    std::uint8_t CategoryByte() const { return U8(200); }
    PublisherCategory Category() const { return static_cast<PublisherCategory>(U8(200)); }
    void SetCategory(PublisherCategory category) { SetU8(200, static_cast<std::uint8_t>(category)); }
    /// Status month byte 201: high nibble month 1..12, low nibble flags (1 new, 2 reactivated, 4 moved in).
    std::uint8_t StatusMonth() const { return U8(201); }
    void SetStatusMonth(std::uint8_t value) { SetU8(201, value); }
    /// Status year byte 238.
    std::uint8_t StatusYear() const { return U8(238); }
    void SetStatusYear(std::uint8_t value) { SetU8(238, value); }

    /// Person flags, byte 239.
    std::uint8_t PersonFlags() const { return U8(239); }
    void SetPersonFlags(std::uint8_t flags) { SetU8(239, flags); }
    Appointment GetAppointment() const { return static_cast<Appointment>(U8(239) & 3); }
    void SetAppointment(Appointment appointment) {
        SetU8(239, static_cast<std::uint8_t>((U8(239) & ~3) | static_cast<int>(appointment)));
    }
    bool IsHeadOfFamily() const { return Bit8(239, 2); }
    void SetHeadOfFamily(bool on) { SetBit8(239, 2, on); }
    bool IsContinuousAuxiliary() const { return Bit8(239, 3); }
    void SetContinuousAuxiliary(bool on) { SetBit8(239, 3, on); }
    bool InUserCategory() const { return Bit8(239, 4); }
    void SetInUserCategory(bool on) { SetBit8(239, 4, on); }
    bool IsMale() const { return Bit8(239, 5); }
    void SetMale(bool on) { SetBit8(239, 5, on); }
    bool IsFemale() const { return Bit8(239, 6); }
    void SetFemale(bool on) { SetBit8(239, 6, on); }
    /// Hides the group number of an Inactive or NonPublisher person in lists that ask for it.
    bool HidesGroup() const { return Bit8(239, 7); }
    void SetHidesGroup(bool on) { SetBit8(239, 7, on); }

    // Per-month values. month 0..11, slot 0..2; out-of-range arguments are a programming error.
    std::uint16_t Row(MonthRow row, MonthIndex month, YearSlot slot) const;
    void SetRow(MonthRow row, MonthIndex month, YearSlot slot, std::uint16_t value);
    ReportCell Cell(MonthIndex month, YearSlot slot) const;
    void SetCell(MonthIndex month, YearSlot slot, const ReportCell& cell);
    /// Sets every row of the cell to zero.
    void ClearCell(MonthIndex month, YearSlot slot) { SetCell(month, slot, ReportCell{}); }

    PioneerCode Pioneer(MonthIndex month, YearSlot slot) const {
        return static_cast<PioneerCode>(Row(MonthRow::Pioneer, month, slot) & 3);
    }
    std::uint16_t Placements(MonthIndex month, YearSlot slot) const { return Row(MonthRow::Placements, month, slot); }
    std::uint16_t Videos(MonthIndex month, YearSlot slot) const { return Row(MonthRow::Videos, month, slot); }
    std::uint16_t Hours(MonthIndex month, YearSlot slot) const { return Row(MonthRow::Hours, month, slot); }
    std::uint16_t ReturnVisits(MonthIndex month, YearSlot slot) const {
        return Row(MonthRow::ReturnVisits, month, slot);
    }
    std::uint16_t StudyWord(MonthIndex month, YearSlot slot) const { return Row(MonthRow::StudyWord, month, slot); }
    std::uint16_t RemarkNumber(MonthIndex month, YearSlot slot) const { return Row(MonthRow::Remark, month, slot); }
    std::uint16_t CreditHours(MonthIndex month, YearSlot slot) const { return Row(MonthRow::CreditHours, month, slot); }
    std::uint8_t YearTag(MonthIndex month, YearSlot slot) const {
        return static_cast<std::uint8_t>(Row(MonthRow::YearTag, month, slot));
    }
    std::uint8_t LateMarker(MonthIndex month, YearSlot slot) const {
        return static_cast<std::uint8_t>(Row(MonthRow::LateMarker, month, slot));
    }
};

/// Record 0 of the database: congregation-wide state in the person record's layout.
class HeaderRecord : public RecordBytes {
public:
    /// Storage markers at offset 23.
    static constexpr std::uint8_t kPlainMarker = 'A';
    static constexpr std::uint8_t kScrambledMarker = 'u';

    /// The header of a new database: all zeros except password " " and marker 'A'.
    static HeaderRecord Empty();
    static HeaderRecord FromBytes(std::string_view bytes);

    /// User password (UTF-8); a single space means none.
    std::string Password() const { return TextAt(2, 21); }
    bool SetPassword(std::string_view utf8) { return SetTextAt(2, 21, utf8); }
    bool HasPassword() const { return RawText(2, 21) != " " && !RawText(2, 21).empty(); }

    std::uint8_t StorageMarker() const { return U8(23); }
    void SetStorageMarker(std::uint8_t marker) { SetU8(23, marker); }

    /// Byte 137 + month as stored.
    std::uint8_t MonthStateByte(MonthIndex month) const { return U8(137 + static_cast<std::size_t>(month)); }
    MonthState GetMonthState(MonthIndex month) const { return static_cast<MonthState>(MonthStateByte(month)); }
    void SetMonthState(MonthIndex month, MonthState state) {
        SetU8(137 + static_cast<std::size_t>(month), static_cast<std::uint8_t>(state));
    }

    /// Document word saved with the file (offset 192).
    std::uint16_t DocumentWord() const { return U16(192); }
    void SetDocumentWord(std::uint16_t value) { SetU16(192, value); }
    /// Low nibble of offset 194: working month index + 1 at the last save.
    int SavedMonthNibble() const { return U16(194) & 0x0F; }
    void SetSavedMonthNibble(int value) {
        SetU16(194, static_cast<std::uint16_t>((U16(194) & ~0x0F) | (value & 0x0F)));
    }

    /// Two-digit year for which a month/slot was initialised (u16 at 600 + 2 × (3m + s)).
    std::uint16_t InitialisedYear(MonthIndex month, YearSlot slot) const;
    void SetInitialisedYear(MonthIndex month, YearSlot slot, std::uint16_t year);
};

static_assert(sizeof(RecordBytes) == kRecordSize);
static_assert(sizeof(PublisherRecord) == kRecordSize);
static_assert(sizeof(HeaderRecord) == kRecordSize);
static_assert(std::is_trivially_copyable_v<PublisherRecord>);
static_assert(std::is_trivially_copyable_v<HeaderRecord>);
static_assert(std::is_standard_layout_v<PublisherRecord>);

/// "MMDDYYYY" text of a record date, month space-padded (" 5052019"). Empty for an invalid date.
std::string RecordDateText(int year, int month, int day);
/// A record date as "YYYY-MM-DD" (a space-padded month becomes "0M") when its trimmed text is longer than
/// four characters; otherwise empty.
std::string RecordDateToIso(std::string_view recordDate);
/// "YYYY-MM-DD" (ten characters) back to the record form; other input gives an empty text.
std::string IsoToRecordDate(std::string_view iso);

} // namespace vardo
