// Dialog 109 driven with the keyboard, and dialog 135 showing and printing the attendance record.

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "PdfText.h"
#include "ReportViewFixture.h"
#include "core/reporting/Attendance.h"
#include "gui/reporting/AttendanceDialog.h"
#include "gui/reporting/AttendanceRecordDialog.h"

namespace vardo::test {
namespace {

constexpr MonthIndex kFebruary = 1;
constexpr YearSlot kSlot2024 = 0;

class AttendanceDialogTest : public ReportViewTest {
protected:
    void SetUp() override {
        ReportViewTest::SetUp();
        // Start from an empty February so that the figures below are the dialog's alone.
        for (const MeetingKind kind : {MeetingKind::Midweek, MeetingKind::Weekend})
            StoreAttendanceMonth(m_doc.Side().attendance, kind, kFebruary, kSlot2024, {});
        m_dialog = std::make_unique<AttendanceDialog>(m_doc);
        m_dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_dialog.get()));
        m_dialog->activateWindow();
    }
    QWidget* Focused() const { return QApplication::focusWidget(); }
    void Type(const QString& text) {
        for (const QChar c : text)
            QTest::keyClick(Focused(), c.toLatin1());
    }
    void Press(Qt::Key key) { QTest::keyClick(Focused(), key); }
    struct Controls {
        QListWidget* list1060 = nullptr;
        QListWidget* list175 = nullptr;
        QCheckBox* check1126 = nullptr;
        QLineEdit* edit170 = nullptr;
        QLineEdit* edit173 = nullptr;
        QLineEdit* edit179 = nullptr;
        QLineEdit* edit180 = nullptr;
        QPushButton* button1 = nullptr;
    };
    Controls W() const {
        Controls w;
        w.list1060 = (*m_dialog).findChild<QListWidget*>(QStringLiteral("list1060"));
        w.list175 = (*m_dialog).findChild<QListWidget*>(QStringLiteral("list175"));
        w.check1126 = (*m_dialog).findChild<QCheckBox*>(QStringLiteral("check1126"));
        w.edit170 = (*m_dialog).findChild<QLineEdit*>(QStringLiteral("edit170"));
        w.edit173 = (*m_dialog).findChild<QLineEdit*>(QStringLiteral("edit173"));
        w.edit179 = (*m_dialog).findChild<QLineEdit*>(QStringLiteral("edit179"));
        w.edit180 = (*m_dialog).findChild<QLineEdit*>(QStringLiteral("edit180"));
        w.button1 = (*m_dialog).findChild<QPushButton*>(QStringLiteral("button1"));
        return w;
    }

    std::unique_ptr<AttendanceDialog> m_dialog;
};

TEST_F(AttendanceDialogTest, OpensOnTheWorkingMonthWithItsCaption) {
    EXPECT_EQ(m_dialog->windowTitle(), QStringLiteral("Frekwencja - luty - 2024"));
    EXPECT_EQ(W().list1060->count(), 3);
    EXPECT_EQ(W().list1060->currentItem()->text(), QStringLiteral("2024"));
    EXPECT_EQ(W().list175->count(), 2);
    EXPECT_EQ(W().list175->currentItem()->text(), QStringLiteral("luty"));
    EXPECT_EQ(Focused(), m_dialog->WeekField(0));
}

TEST_F(AttendanceDialogTest, EnterSumsTheWeeksAndGoesOnToTheNextMeeting) {
    Type("120");
    Press(Qt::Key_Return);
    EXPECT_EQ(Focused(), m_dialog->WeekField(1));
    Type("131");
    Press(Qt::Key_Return);
    EXPECT_EQ(W().edit170->text(), QStringLiteral("251"));
    EXPECT_EQ(W().edit173->text(), QStringLiteral("126"));
    Press(Qt::Key_Down);
    Press(Qt::Key_Down);
    EXPECT_EQ(Focused(), m_dialog->WeekField(4));
    Press(Qt::Key_Down); // wraps within the meeting
    EXPECT_EQ(Focused(), m_dialog->WeekField(0));
    Press(Qt::Key_Up);
    EXPECT_EQ(Focused(), m_dialog->WeekField(4));
    Press(Qt::Key_Return); // midweek week 5 goes on to weekend week 1
    EXPECT_EQ(Focused(), m_dialog->WeekField(5));
    Type("10");
    Press(Qt::Key_Return);
    Type("11");
    Press(Qt::Key_Return);
    Type("11");
    Press(Qt::Key_Return);
    EXPECT_EQ(W().edit179->text(), QStringLiteral("32"));
    EXPECT_EQ(W().edit180->text(), QStringLiteral("11"));
    Press(Qt::Key_Return);
    Press(Qt::Key_Return);
    EXPECT_EQ(Focused(), m_dialog->WeekField(0)); // weekend week 5 back to midweek week 1
}

TEST_F(AttendanceDialogTest, AFourthCharacterStartsAgainSpaceGivesZeroAndLettersAreRefused) {
    auto* field = m_dialog->WeekField(0);
    Type("123");
    QTest::keyClick(field, Qt::Key_End);
    Type("7");
    EXPECT_EQ(field->text(), QStringLiteral("7"));
    Type("x");
    EXPECT_EQ(field->text(), QStringLiteral("7"));
    QTest::keyClick(field, Qt::Key_Space);
    EXPECT_EQ(field->text(), QStringLiteral("0"));
    EXPECT_EQ(field->selectedText(), QStringLiteral("0"));
    Type("5");
    EXPECT_EQ(field->text(), QStringLiteral("5"));
}

TEST_F(AttendanceDialogTest, GotoweStoresTheMonthAndMarksTheDocumentModified) {
    ASSERT_FALSE(m_doc.IsModified());
    Type("90");
    Press(Qt::Key_Return);
    W().button1->click();
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_EQ(StoredFigures(m_doc.Side().attendance, MeetingKind::Midweek, kFebruary, kSlot2024),
              (MeetingFigures{1, 90, 90}));
}

TEST_F(AttendanceDialogTest, EscapeKeepsWhatWasTypedAndAnUntouchedMonthLeavesTheDocumentAlone) {
    Press(Qt::Key_Escape);
    EXPECT_FALSE(m_doc.IsModified());

    AttendanceDialog again(m_doc);
    again.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&again));
    again.WeekField(6)->setText(QStringLiteral("44"));
    QTest::keyClick(again.WeekField(6), Qt::Key_Escape);
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_EQ(WeeksOf(m_doc.Side().attendance, MeetingKind::Weekend, kFebruary, kSlot2024)[1], 44);
}

TEST_F(AttendanceDialogTest, ChoosingAnotherMonthStoresTheShownOneFirst) {
    Type("70");
    W().list175->setCurrentRow(0);
    EXPECT_EQ(m_dialog->windowTitle(), QStringLiteral("Frekwencja - styczeń - 2024"));
    EXPECT_EQ(WeeksOf(m_doc.Side().attendance, MeetingKind::Midweek, kFebruary, kSlot2024)[0], 70);
    W().list1060->setCurrentRow(0); // 2022 has March..December only
    EXPECT_EQ(W().list175->count(), 10);
    EXPECT_EQ(m_dialog->windowTitle(), QStringLiteral("Frekwencja - marzec - 2022"));
}

TEST_F(AttendanceDialogTest, TheMonthInProgressIsEditedInItsOwnSlot) {
    ASSERT_FALSE(W().check1126->isHidden());
    EXPECT_EQ(W().check1126->text(), QStringLiteral("marzec - 2024"));
    W().check1126->click();
    EXPECT_TRUE(W().list175->isHidden());
    EXPECT_EQ(m_dialog->windowTitle(), QStringLiteral("Frekwencja - marzec - 2024"));
    m_dialog->WeekField(0)->setText(QStringLiteral("88"));
    W().button1->click();
    EXPECT_EQ(WeeksOf(m_doc.Side().attendance, MeetingKind::Midweek, 2, 2)[0], 88);
}

class AttendanceRecordDialogTest : public ReportViewTest {};

TEST_F(AttendanceRecordDialogTest, ShowsTheChosenMeetingAndPrintsBoth) {
    StoreAttendanceMonth(m_doc.Side().attendance, MeetingKind::Midweek, 8, 1, {100, 101, 0, 0, 0});
    StoreAttendanceMonth(m_doc.Side().attendance, MeetingKind::Weekend, 8, 1, {200, 0, 0, 0, 0});
    AttendanceRecordDialog dialog(m_doc, m_prompter);
    struct {
        QTableWidget* recordTable;
        QComboBox* list219;
    } ui{dialog.findChild<QTableWidget*>(QStringLiteral("recordTable")),
         dialog.findChild<QComboBox*>(QStringLiteral("list219"))};
    ASSERT_NE(ui.recordTable, nullptr);
    ASSERT_NE(ui.list219, nullptr);
    ASSERT_EQ(ui.recordTable->rowCount(), 13);
    EXPECT_EQ(ui.recordTable->item(0, 0)->text(), QStringLiteral("wrzesień"));
    EXPECT_EQ(ui.recordTable->item(0, 6)->text(), QStringLiteral("100,50"));
    EXPECT_TRUE(ui.recordTable->horizontalHeaderItem(4)->text().startsWith(QStringLiteral("Rok służbowy 2024\n")));
    ui.list219->setCurrentIndex(1);
    EXPECT_EQ(dialog.Meeting(), MeetingKind::Weekend);
    EXPECT_EQ(ui.recordTable->item(0, 6)->text(), QStringLiteral("200,00"));

    const std::filesystem::path pdf = m_dir.Path() / "record.pdf";
    dialog.SetPrinterChooser([pdf](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf.string()));
        return true;
    });
    ASSERT_TRUE(dialog.Print());
    const auto text = PdfToText(pdf);
    if (!text)
        GTEST_SKIP() << "pdftotext is not installed";
    EXPECT_NE(text->find("ZESTAWIENIE OBECNOŚCI NA ZEBRANIACH ZBOROWYCH"), std::string::npos);
    const std::size_t midweek = text->find("Zebranie w tygodniu");
    const std::size_t weekend = text->find("Zebranie w weekend");
    ASSERT_NE(midweek, std::string::npos);
    ASSERT_NE(weekend, std::string::npos);
    EXPECT_LT(midweek, weekend);
    EXPECT_NE(text->find("100,50"), std::string::npos);
    EXPECT_NE(text->find("200,00"), std::string::npos);
    // The drawn record: both meetings on one page, each closed by the mean of its monthly averages.
    EXPECT_EQ(std::count(text->begin(), text->end(), '\f'), 1);
    const std::string meanLine = "Śr. obecności w każdym miesiącu";
    const std::size_t firstMean = text->find(meanLine);
    ASSERT_NE(firstMean, std::string::npos);
    EXPECT_GT(firstMean, midweek);
    EXPECT_LT(firstMean, weekend);
    EXPECT_NE(text->find(meanLine, firstMean + meanLine.size()), std::string::npos);
}

} // namespace
} // namespace vardo::test
