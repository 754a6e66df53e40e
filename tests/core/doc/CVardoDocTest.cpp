#include "core/doc/CVardoDoc.h"

#include <filesystem>
#include <sstream>
#include <map>
#include <string>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "ByteFixture.h"
#include "TempDataFolder.h"
#include "core/doc/DemoCongregation.h"
#include "core/doc/DocumentJson.h"
#include "core/reporting/ActivityStatus.h"

namespace vardo {
namespace {

using test::TempDataFolderTest;

/// The first line where two texts differ, both versions shown; empty when they are equal.
std::string FirstDifference(const std::string& actual, const std::string& expected) {
    std::istringstream a(actual);
    std::istringstream e(expected);
    std::string lineA;
    std::string lineE;
    for (int line = 1;; ++line) {
        const bool moreA = static_cast<bool>(std::getline(a, lineA));
        const bool moreE = static_cast<bool>(std::getline(e, lineE));
        if (!moreA && !moreE)
            return {};
        if (moreA != moreE || lineA != lineE)
            return "line " + std::to_string(line) + ":\n  actual:   " + (moreA ? lineA : "(end)") +
                   "\n  expected: " + (moreE ? lineE : "(end)");
    }
}

StartupOptions Quiet() {
    StartupOptions options;
    options.showStartupNote = false;
    return options;
}

class Document : public TempDataFolderTest {
protected:
    Status LoadAt(CVardoDoc& doc, Date today) { return doc.Load(m_folder, FixedClock(today), m_prompter, Quiet()); }

    ScriptedPrompter m_prompter;
};

TEST_F(Document, EmptyFolderOpensAnEmptyRegisterOnTheWorkingMonth) {
    CVardoDoc doc;
    ASSERT_TRUE(LoadAt(doc, {2024, 3, 3}).ok());
    EXPECT_TRUE(doc.IsLoaded());
    EXPECT_EQ(doc.Database().Count(), 1);
    EXPECT_EQ(doc.Database().PersonCount(), 0);
    EXPECT_EQ(doc.Database().Header().StorageMarker(), 'A');
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(doc.WasConverted());
    EXPECT_EQ(doc.GetWorkingMonth().monthCount, 289);
    EXPECT_EQ(doc.GetSettings().lastBackupFolder, m_dir.Path().string());
    EXPECT_TRUE(m_prompter.Shown().empty());

    // Before the 25th the reset early start is written at once; nothing else is written before a save.
    EXPECT_NE(m_dir.ReadFile("vardok.ini").find("[Early]\r\nYear=0\r\nMonth=0\r\n"), std::string::npos);
    EXPECT_FALSE(m_dir.Exists("tdat9.bin"));
    EXPECT_TRUE(m_dir.Exists("rmkundo.dat"));
    doc.Close();
    EXPECT_FALSE(m_dir.Exists("rmkundo.dat"));
    EXPECT_FALSE(doc.IsLoaded());
}

TEST_F(Document, StartupNoteUnlessSwitchedOff) {
    CVardoDoc doc;
    ASSERT_TRUE(doc.Load(m_folder, FixedClock({2024, 3, 3}), m_prompter).ok());
    ASSERT_EQ(m_prompter.Shown().size(), 1u);
    EXPECT_EQ(m_prompter.Shown()[0], CVardoDoc::StartupNoteText());
    EXPECT_NE(m_prompter.Shown()[0].find("sekretarza.  Nie może"), std::string::npos);

    m_dir.WriteFile("vardok.ini", "[Nag]\r\nW\xB3\xB9\x63zono=1\r\n");
    ScriptedPrompter silent;
    ASSERT_TRUE(doc.Load(m_folder, FixedClock({2024, 3, 3}), silent).ok());
    EXPECT_TRUE(silent.Shown().empty());
}

TEST_F(Document, RefusesAMissingFolderAndDatesOutsideTheCoveredYears) {
    CVardoDoc doc;
    const Status missing = doc.Load(DataFolder(m_dir.Path() / "brak"), FixedClock({2024, 3, 3}), m_prompter);
    EXPECT_FALSE(missing.ok());
    EXPECT_NE(missing.message().find("brak"), std::string::npos);
    EXPECT_FALSE(LoadAt(doc, {1999, 3, 3}).ok());
    EXPECT_FALSE(doc.IsLoaded());
    EXPECT_FALSE(m_dir.Exists("vardok.ini"));
}

TEST_F(Document, SaveWritesTheRegisterAndClearsTheModifiedFlag) {
    CVardoDoc doc;
    ASSERT_TRUE(LoadAt(doc, {2024, 3, 3}).ok());
    PublisherRecord person;
    person.SetFirstName("Łucja");
    person.SetLastName("Żak");
    person.SetId(100);
    EXPECT_FALSE(doc.IsModified());
    {
        DocumentChange change(doc.Changes(), "Dodanie osoby");
        change.Touch(DataArea::Register);
        ASSERT_TRUE(doc.Database().AppendRecord(person).ok());
        change.Commit();
    }
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(doc.CanSave());

    ASSERT_TRUE(doc.Save(m_prompter).ok());
    EXPECT_FALSE(doc.IsModified());
    const std::string file = m_dir.ReadFile("tdat9.bin");
    ASSERT_EQ(file.size(), 2 * kRecordSize);
    EXPECT_EQ(file[23], 'u');
    // Every file of the save exists; with no group the group file is not created.
    for (const char* name : {"tcard.dat", "meetin9.dat", "vdxcfg.cfg", "vardok.ini"})
        EXPECT_TRUE(m_dir.Exists(name)) << name;
    EXPECT_FALSE(m_dir.Exists("bkstudy.dat"));

    CVardoDoc reloaded;
    ASSERT_TRUE(LoadAt(reloaded, {2024, 3, 3}).ok());
    ASSERT_EQ(reloaded.Database().PersonCount(), 1);
    EXPECT_EQ(reloaded.Database().Record(1).FirstName(), "Łucja");
}

TEST_F(Document, AFileThatCannotBeWrittenKeepsTheDataModified) {
    CVardoDoc doc;
    ASSERT_TRUE(LoadAt(doc, {2024, 3, 3}).ok());
    PublisherRecord person;
    person.SetFirstName("Jan");
    person.SetLastName("Nowak");
    person.SetId(100);
    {
        DocumentChange change(doc.Changes(), "Dodanie osoby");
        change.Touch(DataArea::Register);
        ASSERT_TRUE(doc.Database().AppendRecord(person).ok());
        change.Commit();
    }
    std::filesystem::create_directory(m_dir.Path() / "tcard.dat");

    const Status saved = doc.Save(m_prompter);
    EXPECT_FALSE(saved.ok());
    EXPECT_NE(saved.message().find("tcard.dat"), std::string::npos);
    EXPECT_TRUE(m_prompter.AnyShownContains("tcard.dat"));
    EXPECT_TRUE(doc.IsModified());
    // The files after the failing one are still written.
    EXPECT_TRUE(m_dir.Exists("tdat9.bin"));
    EXPECT_TRUE(m_dir.Exists("meetin9.dat"));
    EXPECT_TRUE(m_dir.Exists("vdxcfg.cfg"));
}

TEST_F(Document, ReadOnlyRegisterIsLeftAsItIsAndTheSaveFails) {
    {
        CVardoDoc doc;
        ASSERT_TRUE(LoadAt(doc, {2024, 3, 3}).ok());
        PublisherRecord person;
        person.SetFirstName("Jan");
        person.SetLastName("Nowak");
        person.SetId(100);
        ASSERT_TRUE(doc.Database().AppendRecord(person).ok());
        ASSERT_TRUE(doc.Save(m_prompter, true).ok());
        doc.Close();
    }
    const std::filesystem::path path = m_dir.Path() / "tdat9.bin";
    const std::string before = m_dir.ReadFile("tdat9.bin");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                                           std::filesystem::perms::others_read);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    const ino_t inode = st.st_ino;

    CVardoDoc doc;
    ASSERT_TRUE(LoadAt(doc, {2024, 3, 3}).ok());
    {
        DocumentChange change(doc.Changes(), "Zmiana imienia");
        change.Touch(DataArea::Register);
        doc.Database().FindById(100)->SetFirstName("Adam");
        change.Commit();
    }
    m_prompter.Clear();
    const Status saved = doc.Save(m_prompter);
    EXPECT_FALSE(saved.ok());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.Database().FindById(100)->FirstName(), "Adam");
    ASSERT_FALSE(m_prompter.Shown().empty());
    EXPECT_EQ(m_prompter.Shown()[0].rfind("Nie mogę utworzyć nowego pliku: " + path.string(), 0), 0u)
        << m_prompter.Shown()[0];
    EXPECT_EQ(m_dir.ReadFile("tdat9.bin"), before);
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_ino, inode);
    EXPECT_EQ(st.st_mode & 0777, 0444u);
}

TEST_F(Document, PasswordGateDecidesWhetherTheRegisterOpens) {
    {
        CVardoDoc doc;
        ASSERT_TRUE(LoadAt(doc, {2024, 3, 3}).ok());
        ASSERT_TRUE(doc.SetPassword("tajne"));
        ASSERT_TRUE(doc.Save(m_prompter).ok());
        doc.Close();
    }
    CVardoDoc doc;
    EXPECT_FALSE(LoadAt(doc, {2024, 3, 3}).ok());
    EXPECT_FALSE(doc.IsLoaded());

    std::string asked;
    StartupOptions options = Quiet();
    options.checkPassword = [&](std::string_view stored) {
        asked = stored;
        return false;
    };
    EXPECT_FALSE(doc.Load(m_folder, FixedClock({2024, 3, 3}), m_prompter, options).ok());
    EXPECT_EQ(asked, "tajne");
    options.checkPassword = [](std::string_view) { return true; };
    EXPECT_TRUE(doc.Load(m_folder, FixedClock({2024, 3, 3}), m_prompter, options).ok());
    EXPECT_TRUE(doc.IsLoaded());
}

TEST_F(Document, ExitQuestion) {
    CVardoDoc doc;
    ASSERT_TRUE(LoadAt(doc, {2024, 3, 3}).ok());
    EXPECT_TRUE(doc.ConfirmExit(m_prompter));
    EXPECT_EQ(m_prompter.Questions(), 0);

    doc.ToggleAutoCapitalize();
    ScriptedPrompter cancel({Answer::Cancel});
    EXPECT_FALSE(doc.ConfirmExit(cancel));
    EXPECT_TRUE(cancel.AnyShownContains("Zapisać zmiany?"));

    // No: remark edits made since the start are undone.
    m_dir.WriteFile("remark9.dat", std::string(96, 'x'));
    ScriptedPrompter no({Answer::No});
    EXPECT_TRUE(doc.ConfirmExit(no));
    EXPECT_EQ(m_dir.ReadFile("remark9.dat"), "");

    ScriptedPrompter yes({Answer::Yes});
    EXPECT_TRUE(doc.ConfirmExit(yes));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(m_dir.Exists("tdat9.bin"));
}

// The demo congregation is written through the store, so its folder exercises every file.
class DemoFolder : public TempDataFolderTest {
protected:
    static constexpr Date kToday{2024, 3, 15};

    void SetUp() override {
        DemoOptions options;
        options.people = 150;
        options.seed = 7;
        ASSERT_TRUE(WriteDemoCongregation(m_folder, FixedClock(kToday), options, m_prompter).ok());
    }

    std::map<std::string, std::string> Files() const {
        std::map<std::string, std::string> files;
        for (const auto& entry : std::filesystem::directory_iterator(m_dir.Path()))
            files[entry.path().filename().string()] = m_dir.ReadFile(entry.path().filename().string());
        return files;
    }

    ScriptedPrompter m_prompter;
};

TEST_F(DemoFolder, SavedAndLoadedAgainGivesTheSameDocument) {
    // The same congregation built in a second folder: the document as built and saved, against the one
    // loaded from its files.
    CVardoDoc built;
    std::filesystem::create_directory(m_dir.Path() / "kopia");
    const DataFolder copy(m_dir.Path() / "kopia");
    ASSERT_TRUE(built.Load(copy, FixedClock(kToday), m_prompter, Quiet()).ok());
    DemoOptions options;
    options.people = 150;
    options.seed = 7;
    ASSERT_TRUE(BuildDemoCongregation(built, options).ok());
    ASSERT_TRUE(built.Save(m_prompter).ok());
    const std::string before = DocumentToJson(built);

    CVardoDoc loaded;
    ASSERT_TRUE(loaded.Load(copy, FixedClock(kToday), m_prompter, Quiet()).ok());
    EXPECT_FALSE(loaded.IsModified());
    EXPECT_EQ(FirstDifference(DocumentToJson(loaded), before), "");
    EXPECT_TRUE(m_prompter.Shown().empty()) << m_prompter.Shown().front();
}

TEST_F(DemoFolder, ResaveRewritesEveryFileByteForByte) {
    const auto before = Files();
    ASSERT_TRUE(before.count("tdat9.bin"));
    CVardoDoc doc;
    ASSERT_TRUE(doc.Load(m_folder, FixedClock(kToday), m_prompter, Quiet()).ok());
    ASSERT_TRUE(doc.Save(m_prompter, true).ok());
    doc.Close();
    auto after = Files();
    // Writing the remark table entry by entry appends its blank entry 0 at the end of the file; the next
    // start's compaction drops it again.
    std::string& remarks = after["remark9.dat"];
    const std::string blank(48, '\0');
    ASSERT_EQ(remarks.size(), before.at("remark9.dat").size() + blank.size());
    EXPECT_EQ(remarks.substr(remarks.size() - blank.size()), blank);
    remarks.resize(remarks.size() - blank.size());
    ASSERT_EQ(after.size(), before.size());
    for (const auto& [name, bytes] : before) {
        ASSERT_TRUE(after.count(name)) << name;
        EXPECT_TRUE(after.at(name) == bytes) << name << " changed";
    }
}

TEST_F(DemoFolder, RefusesToWriteOverARegister) {
    const std::string register_ = m_dir.ReadFile("tdat9.bin");
    const Status again = WriteDemoCongregation(m_folder, FixedClock(kToday), DemoOptions{}, m_prompter);
    EXPECT_FALSE(again.ok());
    EXPECT_NE(again.message().find("tdat9.bin"), std::string::npos);
    EXPECT_EQ(m_dir.ReadFile("tdat9.bin"), register_);
}

} // namespace
} // namespace vardo

namespace vardo {
namespace {

// The editor's status line is the status views' own judgement of the person.
TEST_F(DemoFolder, RegistryContextJudgesEachPersonAsTheStatusViewsDo) {
    CVardoDoc doc;
    ASSERT_TRUE(doc.Load(m_folder, FixedClock(kToday), m_prompter, Quiet()).ok());
    RegistryContext context = doc.MakeRegistryContext(m_prompter);
    ASSERT_TRUE(context.statusLine);
    const StatusBasis basis = StatusBasis::Of(doc.GetWorkingMonth(), doc.Database().Header(), &doc.Side().remarks);
    int irregular = 0;
    int inactive = 0;
    for (RecordNumber r = 1; r < doc.Database().Count(); ++r) {
        const PublisherRecord& person = doc.Database().Record(r);
        const std::string line = context.statusLine(person);
        if (person.Category() == PublisherCategory::Publisher) {
            const bool says = line.starts_with("nieregularny: ");
            EXPECT_EQ(says, IsIrregular(person, basis)) << line;
            irregular += says ? 1 : 0;
        } else if (person.Category() == PublisherCategory::Inactive) {
            EXPECT_TRUE(line.starts_with("nieczynny")) << line;
            ++inactive;
        }
    }
    EXPECT_GT(irregular, 0) << "the demo has irregular publishers";
    EXPECT_GT(inactive, 0) << "the demo has inactive persons";
}

} // namespace
} // namespace vardo
