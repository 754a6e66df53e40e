#include "core/store/DatabaseFile.h"

#include <algorithm>
#include <span>

#include "core/platform/Strings.h"
#include "core/store/LegacySideFiles.h"

namespace vardo {
namespace {

constexpr std::size_t kMaxListedUnstorable = 10;

struct LegacyList {
    std::string_view name;
    PublisherCategory category;
};

// In the order the lists are appended.
constexpr LegacyList kLegacyLists[] = {
    {"tinac7.dat", PublisherCategory::Inactive},
    {"tmove7.dat", PublisherCategory::Moved},
    {"tnopu7.dat", PublisherCategory::NonPublisher},
    {"tdele7.dat", PublisherCategory::Deleted},
};

legacy::ConversionMonth LateMarkerMonth(const DatabaseLoadContext& context) {
    legacy::ConversionMonth when;
    when.yearIndex = context.yearIndex;
    when.calendarYear = YearOfYearByte(context.currentYear);
    when.todayMonthNumber = context.todayMonth;
    when.workingMonthIndex = context.workingMonthIndex;
    return when;
}

void MarkNeedsWord(RecordBytes& record) {
    if ((record.U16(196) & PublisherRecord::kNeedsInitialised) == 0)
        record.SetU16(196, PublisherRecord::kNeedsInitialised);
}

/// Number of records a file of `size` bytes holds, the last one possibly partial.
std::size_t RecordsIn(std::size_t size, std::size_t recordSize) {
    return (size + recordSize - 1) / recordSize;
}

std::string_view RecordAt(std::string_view bytes, std::size_t index, std::size_t recordSize) {
    const std::size_t begin = index * recordSize;
    return bytes.substr(begin, std::min(recordSize, bytes.size() - begin));
}

std::string FieldName(TextField field) {
    return std::string(
        Str(static_cast<StrId>(static_cast<int>(StrId::RecordFieldFirstName) + static_cast<int>(field))));
}

} // namespace

DatabaseLoadContext DatabaseLoadContext::From(const WorkingMonth& month, bool pastMonthMode) {
    DatabaseLoadContext context;
    context.yearIndex = month.yearIndex;
    context.workingMonthIndex = month.monthIndex;
    context.startupMonthIndex = month.startupMonthIndex;
    context.currentYear = month.currentYearByte;
    context.todayMonth = month.todayMonth;
    context.pastMonthMode = pastMonthMode;
    return context;
}

ParseOutcome ReadDatabaseBytes(PublisherDatabase& db, std::string_view bytes) {
    ParseOutcome outcome;
    const std::size_t inFile = RecordsIn(bytes.size(), kRecordSize);
    const std::size_t taken = std::min<std::size_t>(inFile, kDatabaseCapacity);
    outcome.records = static_cast<int>(taken);
    outcome.dropped = static_cast<int>(inFile - taken);
    outcome.partialRecord = bytes.size() % kRecordSize != 0;

    db.Clear();
    for (std::size_t i = 0; i < taken; ++i) {
        const std::string_view record = RecordAt(bytes, i, kRecordSize);
        RecordBytes& target = i == 0 ? static_cast<RecordBytes&>(db.Header())
                                     : static_cast<RecordBytes&>(db.Record(static_cast<RecordNumber>(i)));
        target.Clear();
        target.Assign(record);
        MarkNeedsWord(target);
    }
    db.SetCount(static_cast<int>(taken));
    return outcome;
}

ParseOutcome ReadLegacyDatabaseBytes(PublisherDatabase& db, std::string_view bytes,
                                     const LegacyConversionContext& context, LegacyYearTags& tags) {
    ParseOutcome outcome;
    const std::size_t inFile = RecordsIn(bytes.size(), kLegacyRecordSize);
    const std::size_t taken = std::min<std::size_t>(inFile, kDatabaseCapacity);
    outcome.records = static_cast<int>(taken);
    outcome.dropped = static_cast<int>(inFile - taken);
    outcome.partialRecord = bytes.size() % kLegacyRecordSize != 0;

    db.Clear();
    tags = LegacyYearTags{};
    if (taken == 0)
        return outcome;
    const std::string_view header = RecordAt(bytes, 0, kLegacyRecordSize);
    tags = LegacyYearTagsOf(header, context);
    db.Header() = ConvertLegacyHeader(header, tags, context);
    MarkNeedsWord(db.Header());
    for (std::size_t i = 1; i < taken; ++i) {
        PublisherRecord& record = db.Record(static_cast<RecordNumber>(i));
        record = ConvertLegacyRecord(RecordAt(bytes, i, kLegacyRecordSize), tags, context);
        MarkNeedsWord(record);
    }
    db.SetCount(static_cast<int>(taken));
    return outcome;
}

ParseOutcome AppendLegacyListBytes(PublisherDatabase& db, std::string_view bytes, PublisherCategory category,
                                   const LegacyYearTags& tags, const LegacyConversionContext& context) {
    ParseOutcome outcome;
    const std::size_t inFile = RecordsIn(bytes.size(), kLegacyRecordSize);
    const std::size_t inList = std::min<std::size_t>(inFile, kLegacyListCapacity);
    if (db.Count() == 0) {
        db.Header() = HeaderRecord::Empty();
        db.SetCount(1);
    }
    const auto room = static_cast<std::size_t>(kDatabaseCapacity - db.Count());
    const std::size_t taken = std::min(inList, room);
    outcome.records = static_cast<int>(taken);
    outcome.dropped = static_cast<int>(inFile - taken);
    outcome.partialRecord = taken == inFile && bytes.size() % kLegacyRecordSize != 0;
    for (std::size_t i = 0; i < taken; ++i) {
        PublisherRecord record = ConvertLegacyRecord(RecordAt(bytes, i, kLegacyRecordSize), tags, context);
        record.SetCategory(category);
        db.Record(db.Count()) = record;
        db.SetCount(db.Count() + 1);
    }
    db.CountCategory(category);
    return outcome;
}

int FinishDatabaseLoad(PublisherDatabase& db, Prompter* prompter) {
    if (db.Count() == 0) {
        db.Header() = HeaderRecord::Empty();
        db.SetCount(1);
    }
    if (db.Header().StorageMarker() != HeaderRecord::kPlainMarker) {
        db.ScrambleRecords(-1);
        // In memory the texts are plain from here on, whatever the marker held.
        db.Header().SetStorageMarker(HeaderRecord::kPlainMarker);
    }
    db.SortRecords();
    db.CountCategory(PublisherCategory::Publisher);
    db.RebuildIndex(prompter);
    return db.RepairDuplicateIds();
}

std::string DatabaseFileBytes(const PublisherDatabase& db) {
    std::string bytes;
    if (db.Count() <= 0)
        return bytes;
    bytes.reserve(static_cast<std::size_t>(db.Count()) * kRecordSize);
    HeaderRecord header = db.Header();
    header.SetStorageMarker(HeaderRecord::kPlainMarker);
    ScrambleRecord(header, +1);
    bytes.append(header.Bytes());
    for (RecordNumber i = 1; i < db.Count(); ++i) {
        PublisherRecord record = db.Record(i);
        ScrambleRecord(record, +1);
        bytes.append(record.Bytes());
    }
    return bytes;
}

DatabaseLoadResult DatabaseFile::LoadDatabase(PublisherDatabase& db, const DataFolder& folder,
                                              const DatabaseLoadContext& context, Prompter& prompter) {
    DatabaseLoadResult result;
    const bool readRecords = context.workingMonthIndex == context.startupMonthIndex || context.pastMonthMode;
    if (readRecords) {
        result.recordsRead = true;
        m_guard.Reset();
        db.Clear();
        const std::string name(Str(StrId::DatabaseFileName));
        const std::string legacyName(Str(StrId::LegacyDatabaseFileName));

        bool loaded = false;
        auto file = ReadDataFile(folder, name);
        if (!file) {
            m_guard.Preserve(folder, name, ReasonUnreadable(file.error()), prompter);
        } else if (file.value()) {
            const std::string& bytes = *file.value();
            if (bytes.size() > kMinDatabaseFileSize) {
                const ParseOutcome outcome = ReadDatabaseBytes(db, bytes);
                loaded = true;
                if (outcome.dropped > 0)
                    m_guard.Preserve(folder, name,
                                     ReasonTooManyRecords(static_cast<std::size_t>(outcome.records + outcome.dropped),
                                                          kDatabaseCapacity),
                                     prompter);
                else if (outcome.partialRecord)
                    m_guard.Preserve(folder, name, ReasonPartialRecord(bytes.size(), kRecordSize), prompter);
            } else {
                // Too short to hold the register: the older file is tried, and this one must survive the save.
                m_guard.Preserve(folder, name,
                                 bytes.empty() ? ReasonWrongSize(0, kRecordSize)
                                               : ReasonPartialRecord(bytes.size(), kRecordSize),
                                 prompter);
            }
        }

        if (!loaded) {
            auto legacy = ReadDataFile(folder, legacyName);
            if (!legacy) {
                prompter.Message(
                    FormatArgs(Str(StrId::DamagedLegacyFile), {legacyName, ReasonUnreadable(legacy.error())}),
                    Severity::Warning);
            } else if (legacy.value()) {
                const std::string& bytes = *legacy.value();
                const ParseOutcome outcome =
                    ReadLegacyDatabaseBytes(db, bytes, context.Legacy(), result.legacyYearTags);
                result.converted = true;
                result.changed = true;
                // The late markers name persons of the register by id: they are taken before the list files
                // add persons that may share an id, and before duplicate ids are repaired.
                if (db.Count() > 1)
                    legacy::ConvertLateMarkers(
                        folder, std::span<PublisherRecord>(&db.Record(1), static_cast<std::size_t>(db.Count() - 1)),
                        LateMarkerMonth(context));
                if (outcome.dropped > 0)
                    prompter.Message(
                        FormatArgs(Str(StrId::RegisterFullOnLoad), {std::to_string(outcome.dropped), legacyName}),
                        Severity::Warning);
                else if (outcome.partialRecord)
                    prompter.Message(FormatArgs(Str(StrId::DamagedLegacyFile),
                                                {legacyName, ReasonPartialRecord(bytes.size(), kLegacyRecordSize)}),
                                     Severity::Warning);
            }
        }

        if (result.converted) {
            for (const LegacyList& list : kLegacyLists) {
                auto content = ReadDataFile(folder, list.name);
                if (!content) {
                    prompter.Message(
                        FormatArgs(Str(StrId::DamagedLegacyFile), {list.name, ReasonUnreadable(content.error())}),
                        Severity::Warning);
                    continue;
                }
                if (!content.value())
                    continue;
                const std::string& bytes = *content.value();
                const ParseOutcome outcome =
                    AppendLegacyListBytes(db, bytes, list.category, result.legacyYearTags, context.Legacy());
                const auto inFile = static_cast<int>(RecordsIn(bytes.size(), kLegacyRecordSize));
                if (inFile > kLegacyListCapacity)
                    prompter.Message(
                        FormatArgs(Str(StrId::LegacyListTooLong), {list.name, std::to_string(kLegacyListCapacity)}),
                        Severity::Warning);
                if (outcome.records < std::min(inFile, kLegacyListCapacity))
                    prompter.Message(
                        FormatArgs(
                            Str(StrId::RegisterFullOnLoad),
                            {std::to_string(std::min(inFile, kLegacyListCapacity) - outcome.records), list.name}),
                        Severity::Warning);
                if (outcome.partialRecord)
                    prompter.Message(FormatArgs(Str(StrId::DamagedLegacyFile),
                                                {list.name, ReasonPartialRecord(bytes.size(), kLegacyRecordSize)}),
                                     Severity::Warning);
            }
        }
    }

    if (db.Count() != 0 && db.Header().SavedMonthNibble() == context.workingMonthIndex + 1)
        result.documentWord = db.Header().DocumentWord();
    if (FinishDatabaseLoad(db, &prompter) > 0)
        result.changed = true;
    return result;
}

Status DatabaseFile::SaveDatabase(PublisherDatabase& db, const DataFolder& folder, MonthIndex workingMonthIndex,
                                  std::uint16_t documentWord, bool pastMonthMode, Prompter& prompter) {
    if (pastMonthMode || db.Count() <= 0)
        return Status::Ok();
    const std::string name(Str(StrId::DatabaseFileName));
    if (Status allowed = m_guard.Check(name); !allowed) {
        prompter.Message(allowed.message(), Severity::Error);
        return allowed;
    }

    db.Header().SetDocumentWord(documentWord);
    db.Header().SetSavedMonthNibble(workingMonthIndex + 1);

    std::string unstorable;
    std::size_t listed = 0;
    for (RecordNumber i = 1; i < db.Count(); ++i) {
        const std::vector<TextField> fields = UnstorableTextFields(db.Record(i));
        if (fields.empty())
            continue;
        if (++listed > kMaxListedUnstorable) {
            unstorable += "...\n";
            break;
        }
        unstorable += db.DisplayNameOfRecord(i, true) + ":";
        for (std::size_t f = 0; f < fields.size(); ++f)
            unstorable += (f == 0 ? " " : ", ") + FieldName(fields[f]);
        unstorable += "\n";
    }

    if (Status written = folder.WriteAtomic(name, DatabaseFileBytes(db)); !written)
        return ReportCannotCreate(folder, name, prompter);
    if (!unstorable.empty()) {
        unstorable.pop_back();
        prompter.Message(FormatArgs(Str(StrId::UnstorableTexts), {name, unstorable}), Severity::Warning);
    }
    return Status::Ok();
}

} // namespace vardo
