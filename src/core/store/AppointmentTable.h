#pragma once

// Appointment dates and the consent to the processing of personal data, kept in tappt.dat as 32-byte
// entries keyed by PublisherId and type. Read whole at start-up, rewritten whole at every save.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/DataFolder.h"
#include "core/platform/Prompter.h"
#include "core/platform/Result.h"
#include "core/store/PublisherRecord.h"
#include "core/store/Quarantine.h"
#include "core/store/SideRecord.h"

namespace vardo {

/// Type word of an AppointmentEntry.
enum class AppointmentType : std::uint16_t {
    MinisterialServant = 1,
    Elder = 2,
    RegularPioneer = 3,
    ContinuousAuxiliaryPioneer = 4,
    SpecialPioneer = 5,
    /// The further privilege row of the service privileges dialog: field missionary.
    FieldMissionary = 6,
    /// The person's consent to the processing of personal data; the start date is the consent's date.
    Consent = 20,
};

/// One 32-byte entry of tappt.dat. Dates are MMDDYYYY texts of at most 8 characters (ASCII).
class AppointmentEntry {
public:
    static constexpr std::size_t kSize = 32;
    static constexpr std::size_t kDateMax = 8;

    AppointmentEntry() = default;
    static AppointmentEntry FromBytes(std::string_view bytes);
    std::string_view Bytes() const { return m_bytes.Bytes(); }

    PublisherId Id() const { return m_bytes.U16(0); }
    void SetId(PublisherId id) { m_bytes.SetU16(0, id); }
    /// The type word as stored (see AppointmentType).
    std::uint16_t Type() const { return m_bytes.U16(2); }
    void SetType(std::uint16_t type) { m_bytes.SetU16(2, type); }
    std::string StartDate() const { return m_bytes.Text(6, 9); }
    std::string EndDate() const { return m_bytes.Text(15, 9); }
    /// The date is cut to 8 characters; characters outside Windows-1250 are refused.
    Status SetStartDate(std::string_view text);
    Status SetEndDate(std::string_view text);
    /// PublisherId 0 or type 0.
    bool IsFree() const { return Id() == 0 || Type() == 0; }

    bool operator==(const AppointmentEntry&) const = default;

private:
    FixedRecord<kSize> m_bytes;
};

/// The appointment table of tappt.dat.
class AppointmentTable {
public:
    static constexpr std::string_view kFileName = "tappt.dat";
    /// Entries the table may grow to by SetAppointment.
    static constexpr std::size_t kCapacity = 1500;

    /// The entries of the file's bytes (every whole entry, also beyond kCapacity, so that none is lost at
    /// the next save).
    static std::vector<AppointmentEntry> Parse(std::string_view bytes);
    /// A table holding the entries of the file's bytes.
    static AppointmentTable FromBytes(std::string_view bytes);

    /// Start-up: reads the file. A file that cannot be read or has a partial last entry is preserved first.
    void Load(const DataFolder& folder, Prompter& prompter);
    /// The bytes the save writes: every entry with a PublisherId and a type whose trimmed start date is
    /// longer than 7 characters or whose type is Consent, skipping repetitions of a PublisherId and type
    /// already written.
    std::string SaveBytes() const;
    /// Save: rewrites the file when the table holds at least one entry; an empty table leaves it as it is.
    Status Save(const DataFolder& folder, Prompter& prompter) const;

    const std::vector<AppointmentEntry>& Entries() const { return m_entries; }

    /// SetAppointment: sets the start date of the entry (id, type), appending one when there is none. A
    /// PublisherId or type of 0 does nothing. Fails when a new entry would exceed kCapacity.
    Status SetAppointment(PublisherId id, std::uint16_t type, std::string_view startDate);
    /// SetAppointmentEnd: the same for the end date.
    Status SetAppointmentEnd(PublisherId id, std::uint16_t type, std::string_view endDate);
    /// GetAppointment / GetAppointmentEnd: the date text of the entry (id, type); empty when none.
    std::string GetAppointment(PublisherId id, std::uint16_t type) const;
    std::string GetAppointmentEnd(PublisherId id, std::uint16_t type) const;
    /// HasConsent: a Consent entry exists for the person.
    bool HasConsent(PublisherId id) const;
    /// ClearConsent: the person's Consent entries become free (type 0).
    void ClearConsent(PublisherId id);

private:
    AppointmentEntry* Find(PublisherId id, std::uint16_t type);
    const AppointmentEntry* Find(PublisherId id, std::uint16_t type) const;
    Result<AppointmentEntry*> FindOrAppend(PublisherId id, std::uint16_t type);

    std::vector<AppointmentEntry> m_entries;
    WriteGuard m_guard;
};

} // namespace vardo
