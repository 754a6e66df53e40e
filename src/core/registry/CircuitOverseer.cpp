#include "core/registry/CircuitOverseer.h"

#include "core/platform/Strings.h"
#include "core/registry/AutoCapitalize.h"
#include "core/registry/TextRules.h"

namespace vardo {
namespace {

std::size_t Index(OverseerField field) {
    return static_cast<std::size_t>(field);
}

} // namespace

CircuitOverseerPresenter::CircuitOverseerPresenter(RegistryContext& context) : m_context(context) {
    const RecordNumber number = context.database.CircuitOverseerRecord();
    if (number == 0 || !context.database.IsPerson(number))
        return;
    const PublisherRecord& r = context.database.Record(number);
    m_texts[Index(OverseerField::FirstName)] = r.FirstName();
    m_texts[Index(OverseerField::LastName)] = r.LastName();
    m_texts[Index(OverseerField::Address)] = r.Address();
    m_texts[Index(OverseerField::PhoneHome)] = r.Phone1();
    m_texts[Index(OverseerField::PhoneMobile)] = r.Phone2();
    m_texts[Index(OverseerField::PhoneWork)] = r.Phone3();
    if (r.ExtensionKey() != 0)
        if (auto extension = context.extensions.Read(context.folder, r.ExtensionKey(), kCircuitOverseerId))
            m_texts[Index(OverseerField::Email)] = extension->Email();
}

int CircuitOverseerPresenter::MaxLength(OverseerField field) {
    switch (field) {
    case OverseerField::FirstName:
    case OverseerField::LastName:
        return 18;
    case OverseerField::Address:
        return 60;
    case OverseerField::Email:
        return static_cast<int>(ExtensionRecord::kEmailMax);
    default:
        return 14;
    }
}

std::string CircuitOverseerPresenter::Label(OverseerField field) {
    switch (field) {
    case OverseerField::FirstName:
        return std::string(Str(StrId::FieldFirstName));
    case OverseerField::LastName:
        return std::string(Str(StrId::FieldLastName));
    case OverseerField::Address:
        return std::string(Str(StrId::FieldAddress));
    case OverseerField::PhoneHome:
        return std::string(Str(StrId::FieldPhoneHome));
    case OverseerField::PhoneMobile:
        return std::string(Str(StrId::FieldPhoneMobile));
    case OverseerField::PhoneWork:
        return std::string(Str(StrId::FieldPhoneWork));
    case OverseerField::Email:
        return std::string(Str(StrId::OverseerEmailLabel));
    }
    return {};
}

Status CircuitOverseerPresenter::Store() {
    PublisherDatabase& database = m_context.database;
    RecordNumber number = database.CircuitOverseerRecord();
    const bool exists = number != 0 && database.IsPerson(number);
    auto text = [this](OverseerField field) { return FirstCharacters(Text(field), MaxLength(field)); };
    if (!exists && Trimmed(Text(OverseerField::LastName)).empty())
        return Status::Ok();

    PublisherRecord buffer;
    if (exists)
        buffer = database.Record(number);
    buffer.SetId(kCircuitOverseerId);
    buffer.SetCategory(PublisherCategory::CircuitOverseer);
    buffer.SetStatusYear(0);
    const std::pair<OverseerField, TextField> texts[] = {
        {OverseerField::FirstName, TextField::FirstName}, {OverseerField::LastName, TextField::LastName},
        {OverseerField::Address, TextField::Address},     {OverseerField::PhoneHome, TextField::Phone1},
        {OverseerField::PhoneMobile, TextField::Phone2},  {OverseerField::PhoneWork, TextField::Phone3}};
    for (const auto& [field, recordField] : texts)
        if (!buffer.SetText(recordField, text(field)))
            return Status::Fail(Failure::Invalid, FormatArgs(Str(StrId::TextCannotBeStored), {Label(field)}));

    ExtensionRecord extension;
    if (buffer.ExtensionKey() != 0)
        if (auto stored = m_context.extensions.Read(m_context.folder, buffer.ExtensionKey(), kCircuitOverseerId))
            extension = *stored;
    extension.SetOwner(kCircuitOverseerId);
    if (!extension.SetEmail(text(OverseerField::Email)))
        return Status::Fail(Failure::Invalid,
                            FormatArgs(Str(StrId::TextCannotBeStored), {Label(OverseerField::Email)}));

    DocumentChange change(m_context.changes, std::string(Str(StrId::CircuitOverseerChangeName)));
    change.Touch(DataArea::Register | DataArea::Extensions);
    if (buffer.ExtensionKey() != 0 || extension.HasText()) {
        auto written = m_context.extensions.Write(m_context.folder, extension);
        if (!written)
            return written.status();
        buffer.SetExtensionKey(written.value());
    } else {
        buffer.SetExtensionKey(0);
    }
    if (exists) {
        database.Record(number) = buffer;
    } else {
        auto appended = database.AppendRecord(buffer);
        if (!appended)
            return appended.status();
    }
    database.RebuildIndex(&m_context.prompter);
    change.Commit();
    return Status::Ok();
}

} // namespace vardo
