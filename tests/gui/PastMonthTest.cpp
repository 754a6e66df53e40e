// Viewing a past month from its snapshot through the Options submenu and returning with panel button 129:
// the report shows that month, nothing can be saved, nothing is written, and the window says what it shows.

#include <filesystem>

#include <QAction>
#include <QMenu>

#include <gtest/gtest.h>

#include "GuiFixture.h"
#include "core/platform/Strings.h"
#include "core/reports/RecordingCanvas.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/app/MainPanel.h"
#include "gui/reporting/HistoryCommands.h"
#include "gui/reports/CVardoView.h"

namespace vardo {
namespace {

using test::Child;

constexpr int kPhoneListPioneers = 32824;

class PastMonthTest : public test::DocumentTest {
protected:
    void SetUp() override {
        Open();
        // Working month February 2024. Adamski was the regular pioneer of January, Nowak is February's.
        const PublisherId adamski = AddPerson("Jan", "Adamski");
        const PublisherId nowak = AddPerson("Piotr", "Nowak");
        SetRegular(adamski, 0);
        SetRegular(nowak, 1);
        ASSERT_TRUE(m_doc.Save(m_prompter, true));
    }

    void SetRegular(PublisherId id, MonthIndex month) {
        ReportCell cell = Person(id).Cell(month, 0);
        cell.SetPioneer(PioneerCode::Regular);
        Person(id).SetCell(month, 0, cell);
    }

    /// Snapshot n holds the data folder's files as they are now.
    void WriteSnapshot(int n) {
        for (const auto& entry : std::filesystem::directory_iterator(m_dir.Path()))
            if (entry.is_regular_file()) {
                const std::string name = entry.path().filename().string();
                m_dir.WriteFile("Roll/Vd9_" + std::to_string(n) + "/" + name, m_dir.ReadFile(name));
            }
    }

    /// Opens the window over the data folder as the program does (the mask is found at opening).
    void OpenWindow() {
        m_doc.Close();
        Open();
        m_frame = std::make_unique<CMainFrame>(m_doc, m_prompter);
        m_view = std::make_unique<CVardoView>(m_doc, m_prompter, m_clock);
        m_frame->AttachView(*m_view);
        RegisterHistoryCommands(*m_frame, m_doc, m_prompter);
    }

    QAction* Item(int k) { return m_frame->findChild<QAction*>(QStringLiteral("command%1").arg(cmd::kPastMonths + k)); }

    std::vector<std::string> ReportTexts() {
        const Resolution screen = m_view->ScreenResolution();
        RecordingCanvas canvas(screen.x, screen.y);
        m_view->CurrentReport()->Draw(canvas, m_view->ScreenEnvironment());
        return canvas.TextStrings();
    }

    bool ReportShows(std::string_view text) {
        for (const std::string& line : ReportTexts())
            if (line.find(text) != std::string::npos)
                return true;
        return false;
    }

    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<CVardoView> m_view;
};

TEST_F(PastMonthTest, ViewingJanuaryShowsItsReportReadOnlyAndButton129ReturnsToFebruary) {
    WriteSnapshot(1);
    OpenWindow();
    auto* back = m_frame->Panel().ButtonFor(cmd::kReturnToWorkingMonth);
    auto* menu = m_frame->findChild<QMenu*>(QStringLiteral("pastMonthsMenu"));
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->menuAction()->isVisible());
    EXPECT_EQ(menu->title(), QStringLiteral("Zobacz poprzednie raporty"));
    EXPECT_EQ(m_frame->MenuOf(cmd::kStartupNoteOff)->actions().indexOf(menu->menuAction()), 5);
    // The six months before February; only January has a snapshot.
    const char* names[] = {"styczeń", "grudzień", "listopad", "październik", "wrzesień", "sierpień"};
    for (int k = 1; k <= 6; ++k) {
        ASSERT_NE(Item(k), nullptr);
        EXPECT_EQ(Item(k)->text(), QString::fromUtf8(names[k - 1]));
        EXPECT_EQ(Item(k)->isEnabled(), k == 1) << k;
    }
    EXPECT_TRUE(back->isHidden());

    m_view->OnCommand(kPhoneListPioneers);
    ASSERT_NE(m_view->CurrentReport(), nullptr);
    EXPECT_TRUE(ReportShows("Nowak"));
    EXPECT_FALSE(ReportShows("Adamski"));

    const std::string registerBefore = m_dir.ReadFile("tdat9.bin");
    const std::string snapshotBefore = m_dir.ReadFile("Roll/Vd9_1/tdat9.bin");
    m_prompter.Clear();
    Item(1)->trigger();
    ASSERT_TRUE(m_doc.PastMonthMode());
    EXPECT_TRUE(m_prompter.Shown().empty());
    // The report on the screen now shows January's regular pioneer.
    ASSERT_NE(m_view->CurrentReport(), nullptr);
    EXPECT_TRUE(ReportShows("Adamski"));
    EXPECT_FALSE(ReportShows("Nowak"));
    EXPECT_TRUE(m_frame->StatusPaneText(0).contains(QString::fromUtf8("styczeń 2024")));
    EXPECT_TRUE(m_frame->windowTitle().contains(QString::fromUtf8("podgląd: styczeń 2024")));
    EXPECT_EQ(m_frame->StatusPaneText(1), QString::fromUtf8("  Miesiąc roboczy = styczeń"));
    EXPECT_FALSE(back->isHidden());
    EXPECT_TRUE(back->isEnabled());
    EXPECT_EQ(back->text(), QStringLiteral("luty ->"));
    // Nothing can be saved or edited; the items still count from the real working month.
    EXPECT_FALSE(m_frame->Action(cmd::kSave)->isEnabled());
    EXPECT_FALSE(m_frame->Action(cmd::kHistory)->isEnabled());
    EXPECT_FALSE(m_frame->Panel().ButtonFor(cmd::kAuxiliaryPioneers)->isEnabled());
    EXPECT_FALSE(m_frame->Action(cmd::kRegularPioneers)->isEnabled());
    EXPECT_EQ(Item(1)->text(), QString::fromUtf8("styczeń"));
    EXPECT_TRUE(Item(1)->isEnabled());
    EXPECT_FALSE(m_doc.Save(m_prompter));
    EXPECT_TRUE(m_doc.ConfirmExit(m_prompter));
    EXPECT_EQ(m_prompter.Questions(), 0);

    back->click();
    EXPECT_FALSE(m_doc.PastMonthMode());
    EXPECT_TRUE(back->isHidden());
    EXPECT_EQ(m_frame->StatusPaneText(0), QString::fromUtf8(Str(StrId::StatusReady).data()));
    EXPECT_FALSE(m_frame->windowTitle().contains(QString::fromUtf8("podgląd")));
    EXPECT_EQ(m_frame->StatusPaneText(1), QString::fromUtf8("  Miesiąc roboczy = luty"));
    EXPECT_TRUE(ReportShows("Nowak"));
    EXPECT_FALSE(ReportShows("Adamski"));
    EXPECT_TRUE(m_frame->Action(cmd::kHistory)->isEnabled());
    // Nothing was written, to the data folder or to the snapshot.
    EXPECT_EQ(m_dir.ReadFile("tdat9.bin"), registerBefore);
    EXPECT_EQ(m_dir.ReadFile("Roll/Vd9_1/tdat9.bin"), snapshotBefore);
}

TEST_F(PastMonthTest, UnsavedChangesAreOfferedForSavingBeforeTheView) {
    WriteSnapshot(1);
    OpenWindow();
    m_frame->Action(cmd::kStartupNoteOff)->trigger();
    ASSERT_TRUE(m_doc.IsModified());
    m_prompter.Script(Answer::Cancel);
    Item(1)->trigger();
    EXPECT_FALSE(m_doc.PastMonthMode());
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_TRUE(m_prompter.AnyShownContains("Zapisać zmiany?"));
    EXPECT_TRUE(m_frame->Panel().ButtonFor(cmd::kReturnToWorkingMonth)->isHidden());

    const std::string settings = m_dir.ReadFile("vardok.ini");
    m_prompter.Script(Answer::Yes);
    Item(1)->trigger();
    EXPECT_TRUE(m_doc.PastMonthMode());
    EXPECT_NE(m_dir.ReadFile("vardok.ini"), settings); // saved before the view
}

TEST_F(PastMonthTest, WithoutSnapshotsTheSubmenuIsAbsent) {
    OpenWindow();
    auto* menu = m_frame->findChild<QMenu*>(QStringLiteral("pastMonthsMenu"));
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(menu->menuAction()->isVisible());
    EXPECT_FALSE(m_frame->Router().StateOf(cmd::kPastMonths + 1).enabled);
    EXPECT_FALSE(m_frame->Router().Execute(cmd::kReturnToWorkingMonth));
}

} // namespace
} // namespace vardo
