#pragma once

// The names option file vdxcfg.cfg: 7 bytes, byte 0 non-zero = show all names last name first; bytes 1..6
// are kept as read and written back unchanged.

#include <cstddef>
#include <string_view>

#include "core/platform/DataFolder.h"
#include "core/platform/Prompter.h"
#include "core/platform/Result.h"
#include "core/store/Quarantine.h"
#include "core/store/SideRecord.h"

namespace vardo {

class NamesOption {
public:
    static constexpr std::string_view kFileName = "vdxcfg.cfg";
    static constexpr std::size_t kSize = 7;

    /// The option of a file's bytes: the first 7 bytes, zero-filled when shorter.
    static NamesOption FromBytes(std::string_view bytes);
    std::string_view Bytes() const { return m_bytes.Bytes(); }

    bool LastNameFirst() const { return m_bytes.U8(0) != 0; }
    /// Switching on keeps a non-zero byte as it is; switching off stores 0.
    void SetLastNameFirst(bool on);

    /// ReadNamesOption: a missing file gives all zeros. A file of another size than 7 bytes, or one that
    /// cannot be read, is preserved first.
    void Load(const DataFolder& folder, Prompter& prompter);
    /// WriteNamesOption: writes the 7 bytes; a file that cannot be created shows message 1231.
    Status Save(const DataFolder& folder, Prompter& prompter) const;

private:
    FixedRecord<kSize> m_bytes;
    WriteGuard m_guard;
};

} // namespace vardo
