// The report window driven by the keyboard: the fields shown per pioneer code, the keys of the number fields,
// the change of month for late reports, the remark with the credit, the messages and the warnings.

#include <optional>

#include <QLabel>
#include <QListWidget>

#include <gtest/gtest.h>

#include "ReportingGuiFixture.h"
#include "core/platform/Strings.h"
#include "gui/reporting/ReportDialog.h"

namespace vardo {
namespace {

using test::Child;

QString Text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

class ReportDialogTest : public test::ReportingGuiTest {
protected:
    void SetUp() override {
        Open();
        m_doc.Database().Header().SetMonthState(1, MonthState::Open);
        m_id = AddPerson("Jan", "Kowalski");
        m_context.emplace(m_doc.MakeReportingContext(m_prompter));
    }

    RecordNumber Record(PublisherId id) const { return m_doc.Database().RecordNumberOfId(id); }
    std::unique_ptr<ReportDialog> OpenReport(PublisherId id) {
        auto dialog = std::make_unique<ReportDialog>(*m_context, Record(id));
        dialog->show();
        return dialog;
    }
    void SetCode(PublisherId id, MonthIndex month, YearSlot slot, PioneerCode code) {
        ReportCell cell = Person(id).Cell(month, slot);
        cell.SetPioneer(code);
        Person(id).SetCell(month, slot, cell);
    }
    static bool Shown(ReportDialog& dialog, const char* name) { return !Child<QWidget>(dialog, name)->isHidden(); }

    PublisherId m_id = 0;
    std::optional<ReportingContext> m_context;
};

TEST_F(ReportDialogTest, PublisherTypesParticipationAndStudiesWithTheKeyboard) {
    auto dialog = OpenReport(m_id);
    ReportDialog& d = *dialog;
    EXPECT_EQ(FocusName(d), QStringLiteral("participationBox"));
    EXPECT_FALSE(Shown(d, "hoursEdit"));
    EXPECT_FALSE(Shown(d, "studiesEdit"));
    EXPECT_TRUE(Shown(d, "auxiliaryBox"));
    EXPECT_FALSE(Shown(d, "pioneerKindLabel"));
    EXPECT_EQ(Child<QLabel>(d, "studiesLabel")->text(), Text(Str(StrId::StudiesLabel)));

    Press(d, Qt::Key_Space);
    EXPECT_TRUE(Shown(d, "studiesEdit"));
    EXPECT_FALSE(Shown(d, "hoursEdit"));
    // Left from the checkbox wraps to the studies, Right from there back to the checkbox.
    Press(d, Qt::Key_Left);
    EXPECT_EQ(FocusName(d), QStringLiteral("studiesEdit"));
    Press(d, Qt::Key_Right);
    EXPECT_EQ(FocusName(d), QStringLiteral("participationBox"));
    Press(d, Qt::Key_Return);
    EXPECT_EQ(FocusName(d), QStringLiteral("auxiliaryBox"));
    Press(d, Qt::Key_Return);
    EXPECT_EQ(FocusName(d), QStringLiteral("studiesEdit"));

    // Letters are not taken, Space gives a selected "0", Delete empties, digits and Backspace work.
    auto* studies = Child<QLineEdit>(d, "studiesEdit");
    Keys(d, QStringLiteral("4x"));
    EXPECT_EQ(studies->text(), QStringLiteral("4"));
    Press(d, Qt::Key_Space);
    EXPECT_EQ(studies->text(), QStringLiteral("0"));
    EXPECT_EQ(studies->selectedText(), QStringLiteral("0"));
    Press(d, Qt::Key_Delete);
    EXPECT_EQ(studies->text(), QString());
    Keys(d, QStringLiteral("37"));
    Press(d, Qt::Key_Backspace);
    EXPECT_EQ(studies->text(), QStringLiteral("3"));
    Press(d, Qt::Key_Return);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(Person(m_id).StudyWord(1, 0), kStudyFlagBit | 3);
    EXPECT_EQ(Person(m_id).Hours(1, 0), 0);
    EXPECT_EQ(m_doc.GetMonthCycle().lastEnteredId, m_id);
    EXPECT_TRUE(m_doc.IsModified());
}

TEST_F(ReportDialogTest, RefusedStudiesKeepTheWindowOpenAndWarningsDoNotBlock) {
    auto dialog = OpenReport(m_id);
    ReportDialog& d = *dialog;
    Press(d, Qt::Key_Space);
    Press(d, Qt::Key_Left);
    Keys(d, QStringLiteral("64"));
    auto* warnings = Child<QLabel>(d, "warningsLabel");
    EXPECT_FALSE(warnings->isHidden());
    EXPECT_TRUE(warnings->text().contains(QStringLiteral("64"))) << warnings->text().toStdString();
    Press(d, Qt::Key_Return);
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(Person(m_id).StudyWord(1, 0), 0);
    ASSERT_FALSE(m_prompter.Shown().empty());
    EXPECT_NE(m_prompter.Shown().back().find("63"), std::string::npos) << m_prompter.Shown().back();
    EXPECT_FALSE(m_doc.IsModified());

    // 25 studies are unusual, and stored all the same.
    auto* studies = Child<QLineEdit>(d, "studiesEdit");
    studies->setFocus();
    Press(d, Qt::Key_Delete);
    Keys(d, QStringLiteral("25"));
    EXPECT_FALSE(warnings->isHidden());
    Press(d, Qt::Key_Return);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(Person(m_id).StudyWord(1, 0), kStudyFlagBit | 25);
}

TEST_F(ReportDialogTest, UntickingParticipationZeroesTheFieldsAndCancelKeepsTheRecord) {
    auto dialog = OpenReport(m_id);
    ReportDialog& d = *dialog;
    Press(d, Qt::Key_Space);
    Press(d, Qt::Key_Left);
    Keys(d, QStringLiteral("5"));
    Press(d, Qt::Key_Right);
    Press(d, Qt::Key_Space);
    EXPECT_FALSE(Shown(d, "studiesEdit"));
    EXPECT_EQ(Child<QLineEdit>(d, "studiesEdit")->text(), QStringLiteral("0"));
    Press(d, Qt::Key_Escape);
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_EQ(Person(m_id).StudyWord(1, 0), 0);
    EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(ReportDialogTest, AuxiliaryPioneerGetsTheHoursField) {
    auto dialog = OpenReport(m_id);
    ReportDialog& d = *dialog;
    Press(d, Qt::Key_Space);
    Press(d, Qt::Key_Return);
    Press(d, Qt::Key_Space); // "Pionier Pomocniczy"
    EXPECT_TRUE(Shown(d, "hoursEdit"));
    Press(d, Qt::Key_Return);
    EXPECT_EQ(FocusName(d), QStringLiteral("hoursEdit"));
    Keys(d, QStringLiteral("31"));
    Press(d, Qt::Key_Return);
    Keys(d, QStringLiteral("2"));
    Press(d, Qt::Key_Return);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(Person(m_id).Pioneer(1, 0), PioneerCode::Auxiliary);
    EXPECT_EQ(Person(m_id).Hours(1, 0), 31);
    EXPECT_EQ(Person(m_id).StudyWord(1, 0), kStudyFlagBit | 2);
}

TEST_F(ReportDialogTest, RegularPioneerCreditComesFromTheRemark) {
    SetCode(m_id, 1, 0, PioneerCode::Regular);
    auto dialog = OpenReport(m_id);
    ReportDialog& d = *dialog;
    EXPECT_TRUE(Shown(d, "pioneerKindLabel"));
    EXPECT_EQ(Child<QLabel>(d, "pioneerKindLabel")->text(), Text(Str(StrId::RegularPioneer)));
    EXPECT_FALSE(Shown(d, "auxiliaryBox"));
    Press(d, Qt::Key_Space);
    Press(d, Qt::Key_Return);
    EXPECT_EQ(FocusName(d), QStringLiteral("hoursEdit"));
    Keys(d, QStringLiteral("50"));
    // The remark button is next after the studies; Enter in the remark works out the credit and moves to
    // OK, Enter on OK stores.
    Press(d, Qt::Key_Tab);
    Press(d, Qt::Key_Tab);
    EXPECT_EQ(FocusName(d), QStringLiteral("remarkButton"));
    Press(d, Qt::Key_Space);
    EXPECT_EQ(FocusName(d), QStringLiteral("remarkEdit"));
    Keys(d, QStringLiteral("10 kurs"));
    Press(d, Qt::Key_Return);
    EXPECT_EQ(FocusName(d), QStringLiteral("okButton"));
    EXPECT_TRUE(Shown(d, "creditLabel"));
    EXPECT_EQ(Child<QLabel>(d, "creditLabel")->text(), Text(CreditLabel(5)));
    Press(d, Qt::Key_Return);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(Person(m_id).Hours(1, 0), 50);
    EXPECT_EQ(Person(m_id).CreditHours(1, 0), 5);
    EXPECT_EQ(Person(m_id).Pioneer(1, 0), PioneerCode::Regular);
    ASSERT_NE(Person(m_id).RemarkNumber(1, 0), 0);
    EXPECT_EQ(m_doc.Side().remarks.Entry(Person(m_id).RemarkNumber(1, 0)).Text(), "10 kurs");

    // Opened again: the stored remark shows, and the message says the month has hours already.
    auto again = OpenReport(m_id);
    EXPECT_TRUE(Shown(*again, "remarkEdit"));
    EXPECT_EQ(Child<QLineEdit>(*again, "remarkEdit")->text(), QStringLiteral("10 kurs"));
    const QString messages = Child<QLabel>(*again, "messagesLabel")->text();
    EXPECT_TRUE(messages.contains(Text(FormatArgs(Str(StrId::AlreadyEntered), {"luty", "Jan Kowalski"}))));
    EXPECT_TRUE(messages.contains(Text(FormatArgs(Str(StrId::VisibleInReport), {"luty"}))));
}

TEST_F(ReportDialogTest, SpecialPioneersAndFieldMissionaries) {
    SetCode(m_id, 1, 0, PioneerCode::Special);
    const PublisherId missionary = AddPerson("Ewa", "Nowak");
    Person(missionary).SetFieldMissionary(true);

    auto special = OpenReport(m_id);
    EXPECT_EQ(Child<QLabel>(*special, "pioneerKindLabel")->text(), Text(Str(StrId::SpecialPioneer)));
    EXPECT_EQ(Child<QLabel>(*special, "messagesLabel")->text(), Text(Str(StrId::SpecialNotIncluded)));

    auto field = OpenReport(missionary);
    EXPECT_EQ(Child<QLabel>(*field, "pioneerKindLabel")->text(), Text(Str(StrId::FieldMissionary)));
    EXPECT_FALSE(Shown(*field, "hoursEdit"));
    Press(*field, Qt::Key_Space);
    EXPECT_TRUE(Shown(*field, "hoursEdit"));
    Press(*field, Qt::Key_Right);
    EXPECT_EQ(FocusName(*field), QStringLiteral("hoursEdit"));
}

TEST_F(ReportDialogTest, LateReportThroughTheMonthChoice) {
    const PublisherId late = AddPerson("Ewa", "Nowak");
    // November lies in the year before February: slot 1. It has hours for Jan already, none for Ewa.
    ReportCell cell;
    cell.hours = 3;
    Person(m_id).SetCell(10, 1, cell);

    auto chooseNovember = [](ReportDialog& d) {
        // The month button is last in the tab order: one back from the participation.
        Press(d, Qt::Key_Backtab);
        EXPECT_EQ(FocusName(d), QStringLiteral("changeMonthButton"));
        Press(d, Qt::Key_Space);
        EXPECT_TRUE(Child<QWidget>(d, "okButton")->isHidden());
        EXPECT_EQ(FocusName(d), QStringLiteral("monthList"));
        EXPECT_EQ(Child<QListWidget>(d, "monthList")->currentRow(), 1);
        for (int i = 0; i < 9; ++i)
            Press(d, Qt::Key_Down);
        Press(d, Qt::Key_Return);
        EXPECT_FALSE(Child<QWidget>(d, "okButton")->isHidden());
    };

    auto dialog = OpenReport(late);
    chooseNovember(*dialog);
    EXPECT_EQ(Child<QLabel>(*dialog, "monthLabel")->text(), QStringLiteral("listopad 2023"));
    EXPECT_EQ(Child<QLabel>(*dialog, "messagesLabel")->text(), Text(FormatArgs(Str(StrId::VisibleInReport), {"luty"})));
    Press(*dialog, Qt::Key_Space);
    Press(*dialog, Qt::Key_Left);
    Keys(*dialog, QStringLiteral("1"));
    Press(*dialog, Qt::Key_Return);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(Person(late).StudyWord(10, 1), kStudyFlagBit | 1);
    EXPECT_EQ(Person(late).StudyWord(1, 0), 0);
    EXPECT_TRUE(m_doc.GetMonthCycle().lateReports.IsLate(late, 10));

    // Jan's November had hours before and is no late report: the change is not added.
    auto over = OpenReport(m_id);
    chooseNovember(*over);
    EXPECT_TRUE(Child<QLabel>(*over, "messagesLabel")
                    ->text()
                    .contains(Text(FormatArgs(Str(StrId::NotAddedToReport), {"luty"}))));
    Press(*over, Qt::Key_Left);
    Keys(*over, QStringLiteral("2"));
    Press(*over, Qt::Key_Return);
    EXPECT_FALSE(over->isVisible());
    EXPECT_EQ(Person(m_id).StudyWord(10, 1), kStudyFlagBit | 2);
    EXPECT_FALSE(m_doc.GetMonthCycle().lateReports.IsLate(m_id, 10));
}

} // namespace
} // namespace vardo
