// The status views (dialog 115) and the quick results (dialog 119) driven through their widgets from the main
// panel and the menus, printed through the report view, and the panel's status counts.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QPrintDialog>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "GuiFixture.h"
#include "ReportingGuiFixture.h"
#include "core/doc/StatusSource.h"
#include "core/reports/RecordingCanvas.h"
#include "core/reports/StatusReport.h"
#include "core/store/DocumentChange.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/app/MainPanel.h"
#include "gui/reporting/QuickResultsDialog.h"
#include "gui/reporting/StatusCommands.h"
#include "gui/reporting/StatusViewDialog.h"
#include "gui/reports/CVardoView.h"

namespace vardo {
namespace {

using test::Child;
using test::OnNextDialog;

QStringList Column(QTreeWidget* list, int column) {
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts << list->topLevelItem(i)->text(column);
    return texts;
}

// Working month February 2024 (slot 0). Adamski (group 1) reported January and February, Nowak (group 2)
// only February, Wiśniewski (group 2) nothing; Zieliński is inactive, Ernest interested.
class StatusViewDialogTest : public test::DocumentTest {
protected:
    void SetUp() override {
        Open();
        m_doc.Side().groups.SetCount(2);
        ASSERT_TRUE(m_doc.Side().groups.SetName(0, "Północ"));
        ASSERT_TRUE(m_doc.Side().groups.SetName(1, "Południe"));
        m_doc.Side().groups.SetUsesName(1, true); // group 1 keeps its number: "Grupa # 1"
        m_adamski = AddPerson("Jan", "Adamski");
        m_nowak = AddPerson("Piotr", "Nowak");
        m_wisniewski = AddPerson("Adam", "Wiśniewski");
        m_zielinski = AddPerson("Karol", "Zieliński", PublisherCategory::Inactive);
        m_ernest = AddPerson("Ewa", "Ernest", PublisherCategory::NonPublisher);
        Person(m_adamski).SetGroup(1);
        Person(m_nowak).SetGroup(2);
        Person(m_wisniewski).SetGroup(2);
        Person(m_nowak).SetPhone2("601 222 333");
        for (const MonthIndex month : {0, 1})
            Person(m_adamski).SetRow(MonthRow::Hours, month, 0, 5);
        Person(m_nowak).SetRow(MonthRow::Hours, 1, 0, 4);
        m_doc.Database().RebuildIndex();
        m_frame = std::make_unique<CMainFrame>(m_doc, m_prompter);
        m_view = new CVardoView(m_doc, m_prompter, m_clock, m_frame.get());
        m_frame->AttachView(*m_view);
        RegisterStatusCommands(*m_frame, m_doc, *m_view);
    }

    PublisherId m_adamski = 0, m_nowak = 0, m_wisniewski = 0, m_zielinski = 0, m_ernest = 0;
    std::unique_ptr<CMainFrame> m_frame;
    CVardoView* m_view = nullptr;
};

TEST_F(StatusViewDialogTest, MissingReportsByMonthAndGroupCopiedToTheClipboard) {
    bool ran = false;
    OnNextDialog<StatusViewDialog>([&](StatusViewDialog& dialog) {
        ran = true;
        auto* kinds = Child<QComboBox>(dialog, "kindCombo");
        auto* months = Child<QComboBox>(dialog, "monthCombo");
        auto* groups = Child<QComboBox>(dialog, "groupCombo");
        auto* list = Child<QTreeWidget>(dialog, "lineList");
        EXPECT_EQ(kinds->currentIndex(), 0);
        EXPECT_EQ(kinds->count(), 15);
        EXPECT_TRUE(Child<QComboBox>(dialog, "periodCombo")->isHidden());
        EXPECT_FALSE(months->isHidden());
        EXPECT_EQ(months->currentText(), QStringLiteral("luty 2024"));
        EXPECT_EQ(groups->count(), 3);
        EXPECT_EQ(groups->itemText(1), QStringLiteral("Grupa # 1"));
        EXPECT_EQ(groups->itemText(2), QStringLiteral("Południe"));
        EXPECT_EQ(Column(list, 0), QStringList{QStringLiteral("Wiśniewski, Adam")});
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Brak raportu dla luty  ( 1 )"));

        months->setCurrentIndex(1); // January: Nowak too
        EXPECT_EQ(kinds->currentText(), QStringLiteral("Brak raportu dla styczeń "));
        EXPECT_EQ(Column(list, 0), (QStringList{QStringLiteral("Nowak, Piotr"), QStringLiteral("Wiśniewski, Adam")}));
        EXPECT_EQ(list->topLevelItem(0)->text(1), QStringLiteral("(2)  601 222 333"));
        EXPECT_EQ(list->topLevelItem(0)->text(2), QStringLiteral("brak sprawozdania i uwagi za sty"));
        EXPECT_EQ(list->topLevelItem(0)->toolTip(0), list->topLevelItem(0)->text(2));
        // The selected person's contact and the dialling button.
        list->setCurrentItem(list->topLevelItem(0));
        EXPECT_EQ(Child<QLabel>(dialog, "contactLabel")->text(), QStringLiteral("Telefony: 601 222 333"));
        EXPECT_EQ(Child<QPushButton>(dialog, "dialButton")->text(), QStringLiteral("Dzwoń 601 222 333"));
        EXPECT_TRUE(Child<QPushButton>(dialog, "dialButton")->isEnabled());
        list->setCurrentItem(list->topLevelItem(1));
        EXPECT_EQ(Child<QLabel>(dialog, "contactLabel")->text(), QStringLiteral("Brak telefonu i adresu e-mail"));
        EXPECT_FALSE(Child<QPushButton>(dialog, "dialButton")->isEnabled());

        groups->setCurrentIndex(2);
        Child<QPushButton>(dialog, "copyButton")->click();
        EXPECT_EQ(QGuiApplication::clipboard()->text(),
                  QStringLiteral("Nowak, Piotr\t601 222 333\r\nWiśniewski, Adam\t\r\n"));
        EXPECT_EQ(Child<QLabel>(dialog, "noteLabel")->text(), QStringLiteral("Skopiowano do schowka wierszy: 2"));
        groups->setCurrentIndex(1); // Północ: nobody is missing
        EXPECT_EQ(list->topLevelItemCount(), 0);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Brak raportu dla styczeń  ( 0 )"));
        EXPECT_FALSE(Child<QPushButton>(dialog, "copyButton")->isEnabled());
        Child<QPushButton>(dialog, "closeButton")->click();
    });
    m_frame->Panel().ButtonFor(cmd::kMissingReports)->click();
    EXPECT_TRUE(ran);
    EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(StatusViewDialogTest, KindsChangeTheirChoiceListsAndShowTheReasons) {
    bool ran = false;
    OnNextDialog<StatusViewDialog>([&](StatusViewDialog& dialog) {
        ran = true;
        auto* kinds = Child<QComboBox>(dialog, "kindCombo");
        auto* periods = Child<QComboBox>(dialog, "periodCombo");
        auto* list = Child<QTreeWidget>(dialog, "lineList");
        EXPECT_EQ(kinds->currentText(), QStringLiteral("Nieczynni głosiciele"));
        EXPECT_FALSE(periods->isHidden());
        EXPECT_EQ(periods->count(), 5);
        EXPECT_EQ(periods->currentText(), QStringLiteral("Wszyscy"));
        EXPECT_TRUE(Child<QComboBox>(dialog, "groupCombo")->isHidden());
        EXPECT_TRUE(Child<QPushButton>(dialog, "dialButton")->isHidden());
        EXPECT_EQ(Column(list, 0), QStringList{QStringLiteral("Zieliński, Karol")});
        EXPECT_FALSE(list->topLevelItem(0)->text(2).isEmpty());

        kinds->setCurrentIndex(10); // interested persons
        EXPECT_TRUE(periods->isHidden());
        EXPECT_EQ(Column(list, 0), QStringList{QStringLiteral("Ernest, Ewa")});
        EXPECT_FALSE(list->topLevelItem(0)->text(2).isEmpty());
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Zainteresowani ( 1 )"));

        kinds->setCurrentIndex(6); // baptised: the classes of years
        EXPECT_EQ(Child<QComboBox>(dialog, "classCombo")->count(), 9);
        EXPECT_FALSE(Child<QComboBox>(dialog, "classCombo")->isHidden());
        kinds->setCurrentIndex(12); // privileges
        EXPECT_EQ(Child<QComboBox>(dialog, "privilegeCombo")->count(), 5);
        EXPECT_TRUE(Child<QComboBox>(dialog, "classCombo")->isHidden());
        Child<QPushButton>(dialog, "closeButton")->click();
    });
    m_frame->Action(cmd::kInactiveView)->trigger();
    EXPECT_TRUE(ran);
}

TEST_F(StatusViewDialogTest, PrintShowsTheViewInTheReportViewAndOpensThePrintDialog) {
    bool printAsked = false;
    OnNextDialog<StatusViewDialog>([&](StatusViewDialog& dialog) {
        Child<QComboBox>(dialog, "monthCombo")->setCurrentIndex(1);
        OnNextDialog<QPrintDialog>([&](QPrintDialog& print) {
            printAsked = true;
            print.reject();
        });
        Child<QPushButton>(dialog, "printButton")->click();
    });
    m_frame->Action(cmd::kMissingReports)->trigger();
    EXPECT_TRUE(printAsked);
    ASSERT_EQ(m_view->Mode(), ViewMode::Report);
    EXPECT_EQ(m_view->Kind(), ReportKind::StatusNoReport);
    EXPECT_EQ(m_view->StatusReportQuery().month, 0);
    ASSERT_NE(m_view->CurrentReport(), nullptr);
    RecordingCanvas canvas(96, 96);
    m_view->CurrentReport()->Draw(canvas, m_view->ScreenEnvironment());
    EXPECT_NE(canvas.Find("Brak raportu dla styczeń  ( 2 )"), nullptr);
    EXPECT_NE(canvas.Find("Nowak, Piotr"), nullptr);
    EXPECT_NE(canvas.Find("Wiśniewski, Adam"), nullptr);
    EXPECT_EQ(canvas.Find("Adamski, Jan"), nullptr);

    // The report follows the data: a report entered for Wiśniewski drops him from the view at once.
    {
        DocumentChange change(m_doc.Changes(), "Sprawozdanie");
        change.Touch(DataArea::Register);
        Person(m_wisniewski).SetRow(MonthRow::Hours, 0, 0, 2);
        change.Commit();
    }
    RecordingCanvas after(96, 96);
    m_view->CurrentReport()->Draw(after, m_view->ScreenEnvironment());
    EXPECT_EQ(after.Find("Wiśniewski, Adam"), nullptr);
    EXPECT_NE(after.Find("Brak raportu dla styczeń  ( 1 )"), nullptr);
}

TEST_F(StatusViewDialogTest, DialAndPrintGoThroughTheirActions) {
    std::string dialled, called;
    std::optional<StatusQuery> printed;
    StatusViewDialog::Actions actions;
    actions.dial = [&](const std::string& number, const std::string& name) {
        dialled = number;
        called = name;
    };
    actions.print = [&](const StatusQuery& query) { printed = query; };
    StatusViewDialog dialog(StatusViewPresenter(StatusDataOf(m_doc), GroupNamesOf(m_doc)), actions);
    Child<QComboBox>(dialog, "monthCombo")->setCurrentIndex(1);
    auto* list = Child<QTreeWidget>(dialog, "lineList");
    list->setCurrentItem(list->topLevelItem(0));
    Child<QPushButton>(dialog, "dialButton")->click();
    EXPECT_EQ(dialled, "601 222 333");
    EXPECT_EQ(called, "Nowak, Piotr");

    Child<QComboBox>(dialog, "kindCombo")->setCurrentIndex(4);
    Child<QComboBox>(dialog, "periodCombo")->setCurrentIndex(3); // over 12 months
    Child<QPushButton>(dialog, "printButton")->click();
    ASSERT_TRUE(printed);
    EXPECT_EQ(printed->kind, StatusViewKind::Inactive);
    EXPECT_EQ(printed->period, StatusPeriod::OverTwelveMonths);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(StatusViewDialogTest, QuickResultsListThePersonsBehindAFigure) {
    bool ran = false;
    OnNextDialog<QuickResultsDialog>([&](QuickResultsDialog& dialog) {
        ran = true;
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Szybki podgląd wyników"));
        auto* persons = Child<QTreeWidget>(dialog, "personsList");
        EXPECT_EQ(persons->topLevelItemCount(), 0);
        QPushButton* active = dialog.FigureButton(0);
        ASSERT_NE(active, nullptr);
        EXPECT_EQ(active->text().trimmed(), QStringLiteral("3"));
        active->click();
        EXPECT_EQ(Column(persons, 0), (QStringList{QStringLiteral("Adamski, Jan"), QStringLiteral("Nowak, Piotr"),
                                                   QStringLiteral("Wiśniewski, Adam")}));
        for (const QString& reason : Column(persons, 1))
            EXPECT_FALSE(reason.isEmpty());
        EXPECT_EQ(Child<QLabel>(dialog, "personsTitle")->text(), QStringLiteral("luty Aktywn. głos.: (3)"));
        // Figures with nobody behind them cannot be opened.
        int disabled = 0;
        for (int i = 0; i < static_cast<int>(dialog.Presenter().Figures().size()); ++i)
            if (!dialog.FigureButton(i)->isEnabled()) {
                ++disabled;
                EXPECT_TRUE(dialog.Presenter().Figures()[static_cast<std::size_t>(i)].persons.empty());
            }
        EXPECT_GT(disabled, 0);
        Child<QPushButton>(dialog, "closeButton")->click();
    });
    m_frame->Panel().ButtonFor(cmd::kQuickResults)->click();
    EXPECT_TRUE(ran);
}

TEST_F(StatusViewDialogTest, CommandsAreEnabledAndNamedFromTheData) {
    for (const int id : {cmd::kQuickResults, cmd::kMissingReports, cmd::kIrregular, cmd::kNewPublishers,
                         cmd::kReactivated, cmd::kInactiveView, cmd::kMovedView, cmd::kRecentlyBaptized,
                         cmd::kAuxiliaryPioneersView, cmd::kStudyConductors, cmd::kUnbaptized, cmd::kInterestedView,
                         cmd::kTimeTallyForm, cmd::kPrivilegesView, cmd::kConsentsView, cmd::kNoConsentView})
        EXPECT_TRUE(m_frame->Router().StateOf(id).enabled) << id;
    for (const int id : {cmd::kMissingReports, cmd::kQuickResults, cmd::kIrregular, cmd::kNewPublishers,
                         cmd::kReactivated, cmd::kRecentlyBaptized})
        EXPECT_TRUE(m_frame->Panel().ButtonFor(id)->isEnabled()) << id;
    EXPECT_FALSE(m_frame->Action(cmd::kSpecialNeedsView)->isVisible());
    EXPECT_FALSE(m_frame->Action(cmd::kUserCategoryView)->isVisible());

    {
        DocumentChange change(m_doc.Changes(), "Potrzeby");
        change.Touch(DataArea::Register);
        Person(m_nowak).SetNeedsFlags(2);
        change.Commit();
    }
    m_frame->UpdateCommands();
    EXPECT_TRUE(m_frame->Action(cmd::kSpecialNeedsView)->isVisible());
    EXPECT_EQ(m_frame->Action(cmd::kSpecialNeedsView)->text(), QStringLiteral("Niewidomi"));
    bool ran = false;
    OnNextDialog<StatusViewDialog>([&](StatusViewDialog& dialog) {
        ran = true;
        EXPECT_EQ(dialog.Presenter().Kind(), StatusViewKind::SpecialNeeds);
        EXPECT_EQ(Column(Child<QTreeWidget>(dialog, "lineList"), 0), QStringList{QStringLiteral("Nowak, Piotr")});
        dialog.reject();
    });
    m_frame->Action(cmd::kSpecialNeedsView)->trigger();
    EXPECT_TRUE(ran);
}

TEST_F(StatusViewDialogTest, PanelCountsFollowEveryChange) {
    auto* counts = m_frame->Panel().findChild<QLabel*>(QStringLiteral("statusCounts"));
    ASSERT_NE(counts, nullptr);
    EXPECT_TRUE(counts->text().startsWith(QStringLiteral("Aktywni: 3   ")));
    EXPECT_TRUE(counts->text().contains(QStringLiteral("Nieczynni: 1   ")));
    EXPECT_TRUE(counts->text().contains(QStringLiteral("Zainteresowani: 1   ")));
    {
        DocumentChange change(m_doc.Changes(), "Nieczynny");
        change.Touch(DataArea::Register);
        Person(m_wisniewski).SetCategory(PublisherCategory::Inactive);
        m_doc.Database().RebuildIndex();
        change.Commit();
    }
    EXPECT_TRUE(counts->text().startsWith(QStringLiteral("Aktywni: 2   "))) << counts->text().toStdString();
    EXPECT_TRUE(counts->text().contains(QStringLiteral("Nieczynni: 2   ")));
}

} // namespace
} // namespace vardo
