#pragma once

// The one path of every change to saved data: a command opens a DocumentChange on the document's ChangeHub,
// declares each area before it alters it (the area's before-state is taken then), and commits. A commit sets
// the one modified flag and tells the observers once; a change that is not committed puts every declared
// area back as it was.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/DataFolder.h"

namespace vardo {

/// The parts of the saved data a change can alter.
enum class DataArea : std::uint32_t {
    Register = 1u << 0,      ///< tdat9.bin: header (month states, password) and person records
    Extensions = 1u << 1,    ///< xten7.dat
    Emergency = 1u << 2,     ///< emerg.dat
    SpecialNeeds = 1u << 3,  ///< spneed.dat
    Appointments = 1u << 4,  ///< tappt.dat
    Remarks = 1u << 5,       ///< remark9.dat
    Participation = 1u << 6, ///< tlt15.dat
    CardTotals = 1u << 7,    ///< tcard.dat
    Groups = 1u << 8,        ///< bkstudy.dat
    Attendance = 1u << 9,    ///< meetin9.dat
    NamesOption = 1u << 10,  ///< vdxcfg.dat
    Settings = 1u << 11,     ///< vardok.ini, with the working month it decides
    MonthCycle = 1u << 12,   ///< late-report list, working-month totals, last entered (kept in the records at save)
};
inline constexpr int kDataAreaCount = 13;

/// A set of DataArea values.
class DataAreas {
public:
    constexpr DataAreas() = default;
    constexpr DataAreas(DataArea area) : m_bits(static_cast<std::uint32_t>(area)) {} // NOLINT: a set of one
    constexpr bool Has(DataArea area) const { return (m_bits & static_cast<std::uint32_t>(area)) != 0; }
    constexpr bool Empty() const { return m_bits == 0; }
    constexpr DataAreas& operator|=(DataAreas other) {
        m_bits |= other.m_bits;
        return *this;
    }
    constexpr friend DataAreas operator|(DataAreas a, DataAreas b) { return a |= b; }
    constexpr friend bool operator==(DataAreas a, DataAreas b) = default;
    constexpr std::uint32_t Bits() const { return m_bits; }

private:
    std::uint32_t m_bits = 0;
};
constexpr DataAreas operator|(DataArea a, DataArea b) {
    return DataAreas(a) | DataAreas(b);
}

/// Every area kept in a file of the data folder.
inline constexpr DataAreas kFileAreas = DataArea::Register | DataArea::Extensions | DataArea::Emergency |
                                        DataArea::SpecialNeeds | DataArea::Appointments | DataArea::Remarks |
                                        DataArea::Participation | DataArea::CardTotals | DataArea::Groups |
                                        DataArea::Attendance | DataArea::NamesOption | DataArea::Settings;

/// What the observers are told.
struct ChangeEvent {
    enum class Kind {
        Committed, ///< a change was committed; `areas` says what it altered
        Saved,     ///< everything was written; the data is no longer modified
        Reloaded,  ///< the data was loaded or released as a whole
    };
    Kind kind = Kind::Committed;
    /// The command's name for the change ("Zapis danych osoby"); empty for Saved and Reloaded.
    std::string name;
    DataAreas areas;
};

class DocumentChange;

/// Keeps the modified flag, the observers and, per area, how to take its before-state. Owned by the
/// document; presenters and commands get a reference.
class ChangeHub {
public:
    /// Puts one area back as it was when the before-state was taken.
    using Restore = std::function<void()>;
    /// Takes an area's before-state and returns how to restore it.
    using Capture = std::function<Restore()>;
    using Observer = std::function<void(const ChangeEvent&)>;

    ChangeHub() = default;
    ChangeHub(const ChangeHub&) = delete;
    ChangeHub& operator=(const ChangeHub&) = delete;

    /// How `area`'s before-state is taken (the data's owner registers it once it holds the data). An area
    /// without a capture cannot be rolled back: declaring it in a change is a programming error.
    void SetCapture(DataArea area, Capture capture);
    /// Removes every capture (the data was released).
    void ClearCaptures();
    bool HasCapture(DataArea area) const;

    /// Some saved data differs from the files.
    bool IsModified() const { return m_modified; }
    /// After a successful save: clears the flag and tells the observers (Kind::Saved).
    void MarkSaved();
    /// After a load or release: sets the flag as given, without a change, and tells the observers
    /// (Kind::Reloaded). A load that repaired or converted data passes true.
    void MarkReloaded(bool modified);

    /// Token of a subscription; the observer is removed when it is destroyed.
    class Subscription {
    public:
        Subscription() = default;
        Subscription(Subscription&& other) noexcept;
        Subscription& operator=(Subscription&& other) noexcept;
        ~Subscription();
        Subscription(const Subscription&) = delete;
        Subscription& operator=(const Subscription&) = delete;

    private:
        friend class ChangeHub;
        Subscription(ChangeHub* hub, int id) : m_hub(hub), m_id(id) {}
        ChangeHub* m_hub = nullptr;
        int m_id = 0;
    };
    /// Adds an observer, called after each commit, save and reload. The hub must outlive the token.
    [[nodiscard]] Subscription Subscribe(Observer observer);

    /// A change is open on this hub.
    bool InChange() const { return m_open != nullptr; }
    /// Changes committed since the hub was made (for tests and diagnostics).
    int CommitCount() const { return m_commits; }

private:
    friend class DocumentChange;
    void Notify(const ChangeEvent& event);
    void Unsubscribe(int id);

    std::vector<std::pair<DataArea, Capture>> m_captures;
    std::vector<std::pair<int, Observer>> m_observers;
    int m_nextObserver = 1;
    bool m_modified = false;
    int m_commits = 0;
    DocumentChange* m_open = nullptr;
};

/// One change to saved data, opened by a command on the stack:
///
///     DocumentChange change(hub, "Zapis danych osoby");
///     change.Touch(DataArea::Register | DataArea::Extensions);
///     ... alter the data, returning early on failure ...
///     change.Commit();
///
/// Leaving the scope without Commit() restores every touched area in reverse order of touching and tells
/// nobody. A change opened while another is open joins it: its touches are the outer change's, its Commit()
/// does nothing, and leaving it uncommitted makes the outer change fail (the outer Commit() then rolls back).
class DocumentChange {
public:
    DocumentChange(ChangeHub& hub, std::string name);
    ~DocumentChange();
    DocumentChange(const DocumentChange&) = delete;
    DocumentChange& operator=(const DocumentChange&) = delete;

    /// Declares that the change is about to alter `areas`; takes the before-state of each area the change
    /// has not touched yet.
    void Touch(DataAreas areas);
    /// Ends the change: sets the modified flag and tells the observers once (only the outermost change).
    /// False when a joined change was abandoned: then everything is rolled back instead.
    bool Commit();
    /// Rolls back at once (as leaving the scope uncommitted would).
    void Abandon();

    DataAreas Touched() const { return m_touched; }
    const std::string& Name() const { return m_name; }

private:
    void RollBack();

    ChangeHub& m_hub;
    DocumentChange* m_outer = nullptr;
    std::string m_name;
    DataAreas m_touched;
    std::vector<ChangeHub::Restore> m_restores;
    bool m_finished = false;
    bool m_failed = false;
};

/// A capture that copies `object` and restores it by assignment. The object must outlive the hub's use.
template <class T>
ChangeHub::Capture CaptureByCopy(T& object) {
    return [&object]() -> ChangeHub::Restore {
        auto before = std::make_shared<T>(object);
        return [&object, before] { object = *before; };
    };
}

/// A capture for data that is written to its file at once (the keyed side files): the file's bytes (or its
/// absence) are kept beside `inner`'s before-state and written back first on restore.
ChangeHub::Capture CaptureWithFile(const DataFolder& folder, std::string fileName, ChangeHub::Capture inner);

} // namespace vardo
