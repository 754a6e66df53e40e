// The report settings and record-card options dialogs driven through their widgets, from the menu commands
// to the saved settings file.

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ReportViewFixture.h"
#include "core/platform/IniFile.h"
#include "core/reports/RecordingCanvas.h"
#include "core/store/Settings.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/app/MainPanel.h"
#include "gui/reports/CardOptionsDialog.h"
#include "gui/reports/ReportSettingsDialog.h"

namespace vardo {
namespace {

using test::ReportViewTest;

template <class T>
T* Child(QWidget& dialog, const char* name) {
    T* widget = dialog.findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

void Click(QWidget& dialog, const char* name) {
    Child<QPushButton>(dialog, name)->click();
}

class ReportSettingsTest : public ReportViewTest {
protected:
    IniFile SavedSettings() {
        EXPECT_TRUE(m_doc.Save(m_prompter).ok());
        auto ini = IniFile::Load(m_doc.Folder(), SettingsFileName());
        EXPECT_TRUE(ini.ok());
        return ini.ok() ? ini.value() : IniFile();
    }

    // The texts the report on the screen draws, at the screen's resolution.
    std::vector<std::string> ReportTexts() {
        const Resolution screen = m_view->ScreenResolution();
        RecordingCanvas canvas(screen.x, screen.y);
        m_view->CurrentReport()->Draw(canvas, m_view->ScreenEnvironment());
        return canvas.TextStrings();
    }
};

TEST_F(ReportSettingsTest, OkStoresEveryControlAndTheReportTitleFollowsTheName) {
    m_view->OnCommand(cmd::kPhoneList);
    ASSERT_NE(m_view->CurrentReport(), nullptr);
    ASSERT_FALSE(m_doc.IsModified());
    bool otherTicksBirthDate = false;
    test::OnNextDialog<ReportSettingsDialog>([&](ReportSettingsDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Opcje Drukowania"));
        EXPECT_TRUE(Child<QCheckBox>(dialog, "surnameFirstBox")->isVisibleTo(&dialog));
        auto* name = Child<QLineEdit>(dialog, "congregationNameEdit");
        name->setText(QStringLiteral("  Gdańsk-Oliwa "));
        Child<QCheckBox>(dialog, "birthDateBox")->setChecked(false);
        Child<QCheckBox>(dialog, "otherLabelBox")->setChecked(true);
        otherTicksBirthDate = Child<QCheckBox>(dialog, "birthDateBox")->isChecked();
        Child<QCheckBox>(dialog, "dateStampBox")->setChecked(true);
        Child<QCheckBox>(dialog, "gridLinesBox")->setChecked(true);
        Child<QCheckBox>(dialog, "witnessLineBox")->setChecked(false);
        Child<QCheckBox>(dialog, "surnameFirstBox")->setChecked(true);
        Child<QComboBox>(dialog, "topMarginList")->setCurrentIndex(25);
        // Up from 00 wraps round to 99.
        auto* labelMargin = Child<QComboBox>(dialog, "labelMarginList");
        labelMargin->setCurrentIndex(0);
        QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
        QApplication::sendEvent(labelMargin, &up);
        Click(dialog, "okButton");
    });
    m_view->OnCommand(cmd::kReportSettings);
    EXPECT_TRUE(otherTicksBirthDate);
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_TRUE(m_view->CurrentReportOptions().surnameFirst);

    const std::vector<std::string> texts = ReportTexts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Wykaz telefonów - Gdańsk-Oliwa"), texts.end());

    const IniFile ini = SavedSettings();
    EXPECT_EQ(ini.GetString("Raporty", "CongName", ""), "Gdańsk-Oliwa");
    EXPECT_EQ(ini.GetInt("Raporty", "Górny margines", -1), 25);
    EXPECT_EQ(ini.GetInt("Raporty", "Znacznik daty", -1), 1);
    EXPECT_EQ(ini.GetInt("Raporty", "Linie siatki", -1), 1);
    EXPECT_EQ(ini.GetInt("Raporty", "EmergJw", -1), 0);
    EXPECT_EQ(ini.GetInt("Karty", "Inna etykieta", -1), 1);
    EXPECT_EQ(ini.GetInt("Karty", "Data urodzenia", -1), 1);
    EXPECT_EQ(ini.GetInt("Karty", "Lewy margines", -1), 99);
}

TEST_F(ReportSettingsTest, ANameTheFileCannotHoldKeepsTheDialogOpenAndCancelChangesNothing) {
    const Settings before = m_doc.GetSettings();
    bool stayedOpen = false;
    test::OnNextDialog<ReportSettingsDialog>([&](ReportSettingsDialog& dialog) {
        Child<QLineEdit>(dialog, "congregationNameEdit")->setText(QStringLiteral("Збір"));
        Child<QCheckBox>(dialog, "dateStampBox")->setChecked(true);
        Click(dialog, "okButton");
        stayedOpen = dialog.isVisible() && dialog.result() != QDialog::Accepted;
        EXPECT_EQ(Child<QLineEdit>(dialog, "congregationNameEdit")->text(), QStringLiteral("Збір"));
        Click(dialog, "cancelButton");
    });
    m_view->OnCommand(cmd::kReportSettings);
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(m_prompter.AnyShownContains("Nazwa zboru"));
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_EQ(m_doc.GetSettings(), before);
}

TEST_F(ReportSettingsTest, OkWithoutAChangeLeavesTheDocumentUnmodified) {
    test::OnNextDialog<ReportSettingsDialog>([](ReportSettingsDialog& dialog) { Click(dialog, "okButton"); });
    m_view->OnCommand(cmd::kReportSettings);
    EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(ReportSettingsTest, MainFrameEnablesTheCommandsAndItsHeadingFollowsTheName) {
    CMainFrame frame(m_doc, m_prompter);
    frame.AttachView(*m_view);
    // The frame takes the view into its centre; the fixture keeps owning it.
    const std::unique_ptr<QWidget, void (*)(QWidget*)> giveBack(m_view.get(),
                                                                [](QWidget* view) { view->setParent(nullptr); });
    ASSERT_NE(frame.Action(cmd::kReportSettings), nullptr);
    EXPECT_TRUE(frame.Action(cmd::kReportSettings)->isEnabled());
    EXPECT_TRUE(frame.Action(cmd::kRecordCardOptions)->isEnabled());
    EXPECT_FALSE(frame.Action(cmd::kSave)->isEnabled());

    test::OnNextDialog<ReportSettingsDialog>([](ReportSettingsDialog& dialog) {
        Child<QLineEdit>(dialog, "congregationNameEdit")->setText(QStringLiteral("Sopot Kamienny Potok"));
        Click(dialog, "okButton");
    });
    frame.Action(cmd::kReportSettings)->trigger();
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Sopot Kamienny Potok - Vardo"));
    const auto labels = frame.Panel().findChildren<QLabel*>();
    EXPECT_TRUE(std::any_of(labels.begin(), labels.end(),
                            [](QLabel* label) { return label->text() == QStringLiteral("Sopot Kamienny Potok"); }));
    EXPECT_TRUE(frame.Action(cmd::kSave)->isEnabled());
}

TEST_F(ReportSettingsTest, CardOptionsAreSavedUnderTheirSections) {
    test::OnNextDialog<CardOptionsDialog>([](CardOptionsDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Opcje - Zestawienie Sprawozdań Głosiciela"));
        Child<QCheckBox>(dialog, "onePerPageBox")->setChecked(true);
        Child<QCheckBox>(dialog, "showGroupsBox")->setChecked(true);
        Child<QCheckBox>(dialog, "hideCurrentTotalsBox")->setChecked(true);
        Child<QCheckBox>(dialog, "hidePreviousAveragesBox")->setChecked(true);
        Click(dialog, "okButton");
    });
    m_view->OnCommand(cmd::kRecordCardOptions);
    EXPECT_TRUE(m_doc.IsModified());
    const IniFile ini = SavedSettings();
    EXPECT_EQ(ini.GetInt("OnePerPage", "Włączono", -1), 1);
    EXPECT_EQ(ini.GetInt("PrtGrp", "Włączono", -1), 1);
    EXPECT_EQ(ini.GetInt("HideBir", "Włączono", -1), 0);
    EXPECT_EQ(ini.GetInt("HideAvg", "Włączono", -1), 0b0110);

    test::OnNextDialog<CardOptionsDialog>([](CardOptionsDialog& dialog) {
        EXPECT_TRUE(Child<QCheckBox>(dialog, "hideCurrentTotalsBox")->isChecked());
        Child<QCheckBox>(dialog, "hideBirthDayBox")->setChecked(true);
        Click(dialog, "cancelButton");
    });
    m_view->OnCommand(cmd::kRecordCardOptions);
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_EQ(m_doc.GetSettings().cardHideBirthDay, 0);
}

} // namespace
} // namespace vardo
