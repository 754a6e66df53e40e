#pragma once

// The publisher editor: one person of the active list, edited on a private copy of the record and written
// back into the register when stored.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/registry/AutoCapitalize.h"
#include "core/registry/DatePicker.h"
#include "core/registry/Privileges.h"
#include "core/registry/RegistryContext.h"
#include "core/registry/StatusChoice.h"
#include "core/store/ExtensionFile.h"
#include "core/store/PublisherRecord.h"

namespace vardo {

class PublisherChooser;

/// Check boxes of the editor.
enum class EditorBox {
    Elder,
    MinisterialServant,
    BaptizedBrother,
    RegularPioneer,
    ContinuousAuxiliary,
    SpecialPioneer,
    Anointed,
    Male,
    Female,
    HeadOfFamily,
    UserCategory,
    Consent,
    Deaf,
    Blind,
    Confined,
    SpecialFullTime,
    FieldMissionary,
};
inline constexpr int kEditorBoxes = 17;

/// Text fields of the editor and the extension texts.
enum class EditorText { FirstName, LastName, Address, PhoneHome, PhoneMobile, PhoneWork, Email, LongName, Extra };
inline constexpr int kEditorTexts = 9;

/// Longest text of each field, in characters.
int MaxLength(EditorText field);

/// "1 rok", "2 lata", "5 lat", "22 lata": a number of years with its Polish noun form.
std::string YearsText(int years);

/// The three date pickers of the editor.
enum class EditorDate { Birth, Baptism, Consent };

/// What pressing "Kopiuj" does on the person shown.
enum class CopyAction {
    StoreAndRemember, ///< no source yet, or the source is this person: store and remember as the source
    Paste,            ///< another person is the source: ask, then paste address, phones and group
};

/// The editor's rules over one person. Over a chooser of interested persons (NonPublisher) the editor is in
/// its interested-person mode: only the contact, person, needs, group and consent fields are edited, the
/// person keeps the name of a Bible study conductor, and new persons get ids from 2000 on.
class PublisherEditor {
public:
    /// `chooser` is the list the editor walks with Next and Previous and that keeps the copy source.
    PublisherEditor(RegistryContext& context, PublisherChooser& chooser);

    /// LoadNewIntoEditor: a cleared record with the next free id.
    void LoadNew();
    /// LoadIntoEditor: the person at `position` of the chooser's list.
    void Load(int position);

    bool IsNew() const { return m_new; }
    /// The interested-person mode (the chooser lists the non-publishers).
    bool Interested() const;
    /// "Informacje o głosicielu" is the dialog's own title; in the interested-person mode string 1288.
    std::string Caption() const;
    /// The record as the editor holds it (changes not yet stored).
    const PublisherRecord& Record() const { return m_record; }
    /// Record number of the person in the register; 0 for a new person.
    RecordNumber RecordNumberShown() const { return m_recordNumber; }

    // --- Fields ----------------------------------------------------------------------------------------

    const std::string& Text(EditorText field) const { return m_texts[static_cast<std::size_t>(field)]; }
    void SetText(EditorText field, std::string text);
    /// A name field as typed: with AutoCap on (and a language that capitalises), the capitalised or cut
    /// text; nullopt when the typed text stands.
    std::optional<NameEdit> NameTyped(EditorText field, std::string_view typed);

    bool Box(EditorBox box) const { return m_boxes[static_cast<std::size_t>(box)]; }
    /// Ticks or clears a box with its dependent boxes.
    void SetBox(EditorBox box, bool on);

    const PickerDate& Date(EditorDate date) const { return m_dates[static_cast<std::size_t>(date)]; }
    void SetDate(EditorDate date, const PickerDate& value) { m_dates[static_cast<std::size_t>(date)] = value; }
    YearRange Years() const;

    int Group() const { return m_group; }
    void SetGroup(int group) { m_group = group; }

    // --- What shows ------------------------------------------------------------------------------------

    /// "( &Grupa #3 ) <overseer or group name>", or string 1348 without a group.
    std::string GroupButtonText() const;
    /// 1358 for a head of family, 1359 for a member of a family; nullopt (hidden) otherwise.
    std::optional<std::string> FamilyButtonText() const;
    /// The head-of-family box is locked while the person heads a family that has members.
    bool HeadOfFamilyEnabled() const;
    bool SpecialFullTimeVisible() const { return Box(EditorBox::SpecialFullTime); }
    bool FieldMissionaryVisible() const { return Box(EditorBox::FieldMissionary); }
    /// The privileges button shows when the baptism date is complete.
    bool PrivilegesVisible() const { return Date(EditorDate::Baptism).IsComplete(); }
    /// The user-category box shows, with its label, when the category is enabled.
    bool UserCategoryVisible() const;
    std::string UserCategoryLabel() const;
    bool ConsentDateVisible() const { return Box(EditorBox::Consent); }
    /// Previous, Next and Delete are for persons already in the register.
    bool NavigationVisible() const { return !m_new; }
    /// Summaries under the birth and baptism dates ("Wiek: 34 lata", "Od chrztu: 12 lat"); empty when the
    /// date is incomplete.
    std::string BirthSummary() const;
    std::string BaptismSummary() const;

    // --- Storing ---------------------------------------------------------------------------------------

    /// Any of the text fields holds something.
    bool AnyTextEntered() const;
    /// The last name, blanks removed, is not empty; in the interested-person mode it is longer than one
    /// character.
    bool CanStore() const;
    /// Texts the record's code page cannot hold or that would not survive the file's scrambling: a message
    /// naming the field, or empty when every text can be stored.
    std::string TextProblem() const;
    /// StoreFromEditor, as one change: the record, its extension record and its appointments are stored
    /// together, or (when any of them cannot be written) nothing is and the user is told what failed. False
    /// when refused: no last name (silently), a text that cannot be stored (the user is told), the register
    /// full, the duplicate-name question answered No, or a write failed. A new person whose name an active
    /// person already has is, on Yes, taken as an update of that person: the existing id, reports and links
    /// stay, the fields entered replace the existing ones, and fields left empty keep what was there.
    bool Store();

    /// The delete button with the delete dialog's choice: a permanent removal asks once more (Cancel the
    /// default) and removes the person with the appointments, remarks and family links; a temporary one
    /// moves the person to the deleted list. The chooser is refilled. Cancelled when the user declined, Full
    /// when the deleted list has no room; nothing changes then.
    Status Delete(const class RemovalChoice& choice);

    /// A new publisher gets the status dialog before storing (an interested person has no status).
    bool NeedsStatusBeforeStore() const { return m_new && !m_statusAsked && !Interested(); }
    StatusChoice MakeStatusChoice() const;
    /// Takes the dialog's choice into the record (stored with the person).
    void ApplyStatus(const StatusChoice& choice);
    /// The status dialog ran (or was cancelled) for a new person; storing may go on.
    void MarkStatusAsked() { m_statusAsked = true; }

    /// Store, then show the next or previous person of the chooser (wrapping). False when storing failed.
    bool Next();
    bool Previous();

    // --- Copy and paste --------------------------------------------------------------------------------

    CopyAction CopyPressed() const;
    /// After a successful store: this person is the copy source.
    void RememberAsCopySource();
    /// Asks string 1189 with the source's name and, on Yes, pastes the source's address, phones and group
    /// into the fields. Returns whether it pasted.
    bool PasteFromSource();
    void ClearCopySource();

    // --- The other dialogs -----------------------------------------------------------------------------

    PrivilegesInput MakePrivilegesInput() const;
    /// Takes the dialog's boxes into the editor and stores its dates in the appointment table. The dates
    /// chosen there stand: storing the editor no longer blanks them.
    void ApplyPrivileges(const PrivilegesPresenter& privileges);

    /// The emergency contact and the special-needs text the safety dialogs linked the person to (already
    /// stored in the register for a person there); kept when the person is stored.
    void SetEmergencyKey(std::uint16_t key) { m_record.SetEmergencyKey(key); }
    void SetSpecialNeedsKey(std::uint16_t key) { m_record.SetSpecialNeedsKey(key); }
    /// The data the editor works on (for the dialogs it opens).
    RegistryContext& Context() { return m_context; }
    /// The record as the safety dialogs see it: the stored copy with the head-of-family and need boxes.
    PublisherRecord RecordForSafety() const;

    // --- Interested persons -----------------------------------------------------------------------------

    /// The Bible study conductor's name (first name first); empty for none.
    const std::string& Conductor() const { return m_conductor; }
    /// "Prowadzący studium Biblii: <name>"; empty (label and removal button hidden) without a conductor.
    std::string ConductorLabel() const;
    bool ConductorRemoveVisible() const { return !m_conductor.empty(); }
    /// The chosen active publisher's name becomes the conductor text; Invalid (nothing changes) for a person
    /// who is not an active publisher.
    Status ChooseConductor(PublisherId id);
    void RemoveConductor() { m_conductor.clear(); }
    /// The delete button shows for a person already in the register.
    bool DeleteVisible() const { return !m_new; }
    /// The interested-person mode's delete button: asks string 1008 (Yes/No) and, on Yes, removes the person
    /// for good with the remarks and links. Cancelled when declined.
    Status DeleteInterested();

    /// First-name-first name of the person as the fields show it.
    std::string DisplayName() const;
    /// "Status: …" of a stored person with the reason (from the context's status rules); empty for a new
    /// person or when the context judges none.
    std::string StatusLine() const;

private:
    void Clear();
    void LoadFields();
    void ComposeRecord(PublisherRecord& record) const;
    /// Takes over what the editor holds into an existing person of the same name (see Store).
    void ComposeOntoExisting(PublisherRecord& existing) const;
    bool StoreAppointments(PublisherId id, const PublisherRecord* before);
    bool StoreExtension(PublisherRecord& stored, bool merging);
    void ComposeInterested(PublisherRecord& record) const;
    bool Move(int step);
    int FamilyMembers() const;

    RegistryContext& m_context;
    PublisherChooser& m_chooser;
    PublisherRecord m_record;
    RecordNumber m_recordNumber = 0;
    bool m_new = true;
    bool m_statusAsked = false;
    std::array<std::string, kEditorTexts> m_texts;
    std::array<bool, kEditorBoxes> m_boxes{};
    std::array<bool, kEditorBoxes> m_loadedBoxes{};
    std::array<PickerDate, 3> m_dates{};
    int m_group = 0;
    /// Privileges (appointment types 1..6) newly ticked during this edit.
    std::array<bool, 7> m_ticked{};
    ExtensionRecord m_extension;
    std::string m_conductor;
    /// Start and end dates chosen in the privileges dialog (types 1..5), written when the person is stored.
    std::optional<std::array<std::pair<std::string, std::string>, kPrivilegeRows>> m_privilegeDates;
};

} // namespace vardo
