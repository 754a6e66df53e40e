#include "gui/exchange/ExportCommands.h"

#include <memory>

#include "GuiFixture.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandIds.h"

namespace vardo {
namespace {

class ExportCommandsTest : public test::DocumentTest {
protected:
    void SetUp() override {
        Open();
        AddPerson("Jan", "Kowalski");
        m_frame = std::make_unique<CMainFrame>(m_doc, m_prompter);
        m_frame->UpdateCommands();
    }

    std::unique_ptr<CMainFrame> m_frame;
};

TEST_F(ExportCommandsTest, FileMenuExportsWriteIntoExportsAndOfferTheFolder) {
    const struct {
        int command;
        const char* file;
    } exports[] = {{cmd::kContactExport, "Exports/contact.tsv"},
                   {cmd::kCardHeaderExport, "Exports/cardhdr.tsv"},
                   {cmd::kSummaryExport, "Exports/Podsumowanie.csv"}};
    for (const auto& e : exports) {
        m_prompter = ScriptedPrompter({Answer::No}); // "Pokaz w folderze?" No: no file manager in a test
        ASSERT_TRUE(m_frame->Router().StateOf(e.command).enabled) << e.command;
        ASSERT_TRUE(m_frame->Router().Execute(e.command));
        EXPECT_TRUE(m_dir.Exists(e.file)) << e.file;
        ASSERT_EQ(m_prompter.Shown().size(), 1u);
        EXPECT_TRUE(m_prompter.Shown()[0].starts_with("Wyeksportowane ")) << m_prompter.Shown()[0];
        EXPECT_NE(m_prompter.Shown()[0].find("Pokaz w folderze?"), std::string::npos);
    }
    EXPECT_NE(m_dir.ReadFile("Exports/contact.tsv").find("Kowalski, Jan\t"), std::string::npos);
    EXPECT_FALSE(m_doc.IsModified()) << "an export changes no data";
}

TEST_F(ExportCommandsTest, AnExportThatCannotBeWrittenSaysSo) {
    m_dir.WriteFile("Exports", "a file where the folder should be");
    m_prompter = ScriptedPrompter();
    RunTabularExport(nullptr, m_doc, m_prompter, TabularExport::Contacts);
    ASSERT_EQ(m_prompter.Shown().size(), 1u);
    EXPECT_TRUE(m_prompter.Shown()[0].starts_with("Nie mogę utworzyć nowego pliku:")) << m_prompter.Shown()[0];
}

} // namespace
} // namespace vardo
