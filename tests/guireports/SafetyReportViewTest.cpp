// The safety reports in the report view: the contact forms of the chosen publishers.

#include <QListWidget>
#include <QPushButton>

#include "ReportViewFixture.h"
#include "gui/registry/PersonPickerDialog.h"

namespace vardo {
namespace {

using test::OnNextDialog;
using test::ReportViewTest;

constexpr int kContactForms = 32867;
constexpr int kEmergencyList = 32859;
constexpr int kSpecialNeeds = 32915;

TEST_F(ReportViewTest, SafetyReportsAreOfferedAndShow) {
    for (const int id : {kContactForms, kEmergencyList, kSpecialNeeds})
        EXPECT_TRUE(m_view->IsCommandEnabled(id)) << id;
    m_view->OnCommand(kEmergencyList);
    EXPECT_EQ(m_view->Kind(), ReportKind::EmergencyCongregation);
    EXPECT_GE(m_view->PageCount(), 1);
}

TEST_F(ReportViewTest, ContactFormsOfTheChosenPublishersOrTheBlankForm) {
    OnNextDialog<PersonPickerDialog>([](PersonPickerDialog& picker) {
        auto* list = picker.findChild<QListWidget*>(QStringLiteral("itemList"));
        ASSERT_NE(list, nullptr);
        ASSERT_GE(list->count(), 3);
        list->item(0)->setSelected(true);
        list->item(2)->setSelected(true);
        picker.findChild<QPushButton*>(QStringLiteral("okButton"))->click();
    });
    m_view->OnCommand(kContactForms);
    EXPECT_EQ(m_view->Kind(), ReportKind::EmergencyForms);
    // Two persons: one or two households (a family shares one form).
    EXPECT_GE(m_view->PageCount(), 1);
    EXPECT_LE(m_view->PageCount(), 2);

    OnNextDialog<PersonPickerDialog>(
        [](PersonPickerDialog& picker) { picker.findChild<QPushButton*>(QStringLiteral("okButton"))->click(); });
    m_view->OnCommand(kContactForms);
    EXPECT_EQ(m_view->Kind(), ReportKind::EmergencyBlankForm);
    EXPECT_EQ(m_view->PageCount(), 1);
}

} // namespace
} // namespace vardo
