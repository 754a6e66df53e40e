#include "gui/exchange/CGroupReportDlg.h"

#include <QSignalBlocker>

#include "core/platform/Strings.h"
#include "core/registry/Groups.h"
#include "gui/app/QtText.h"
#include "ui_CGroupReportDlg.h"

namespace vardo {

CGroupReportDlg::CGroupReportDlg(GroupReportContext context, int group, Prompter& prompter, std::string mailDate,
                                 ProgramRunner runner, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::CGroupReportDlg>()), m_presenter(context, group), m_prompter(prompter),
      m_mailDate(std::move(mailDate)), m_runner(std::move(runner)) {
    m_ui->setupUi(this);
    for (int g = 1; g <= context.groups.Count(); ++g)
        m_ui->groupCombo->addItem(ToQt(GroupName(context.groups, g)));
    m_ui->groupCombo->setCurrentIndex(group - 1);
    m_ui->workingMonthRadio->setText(ToQt(m_presenter.WorkingMonthName()));
    m_ui->nextMonthRadio->setText(ToQt(m_presenter.NextMonthName()));
    m_ui->workingMonthRadio->setChecked(true);
    m_ui->emailEdit->setText(ToQt(m_presenter.secretaryEmail));

    connect(m_ui->groupCombo, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_presenter.SetGroup(index + 1);
        Refresh();
    });
    connect(m_ui->nextMonthRadio, &QRadioButton::toggled, this, [this](bool on) {
        m_presenter.SetNextMonth(on);
        Refresh();
    });
    connect(m_ui->blankBox, &QCheckBox::toggled, this, [this](bool on) {
        m_presenter.blank = on;
        Refresh();
    });
    connect(m_ui->assistantBox, &QCheckBox::toggled, this, [this](bool on) {
        m_presenter.SetSendToAssistant(on);
        Refresh();
    });
    connect(m_ui->emailEdit, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_presenter.secretaryEmail = ToUtf8(text); });
    connect(m_ui->saveButton, &QPushButton::clicked, this, &CGroupReportDlg::Save);
    connect(m_ui->sendButton, &QPushButton::clicked, this, &CGroupReportDlg::Send);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QDialog::accept);
    Refresh();
}

CGroupReportDlg::~CGroupReportDlg() = default;

void CGroupReportDlg::Refresh() {
    setWindowTitle(ToQt(m_presenter.Caption()));
    m_ui->overseerLabel->setText(ToQt(m_presenter.OverseerText()));
    m_ui->membersLabel->setText(ToQt(m_presenter.MembersText()));
    m_ui->missingLabel->setText(ToQt(m_presenter.MissingText()));
    {
        const QSignalBlocker blocker(m_ui->blankBox);
        m_ui->blankBox->setText(ToQt(m_presenter.BlankText()));
        m_ui->blankBox->setChecked(m_presenter.blank);
        m_ui->blankBox->setVisible(m_presenter.BlankVisible());
    }
    {
        const QSignalBlocker blocker(m_ui->assistantBox);
        m_ui->assistantBox->setVisible(m_presenter.AssistantChoiceVisible());
        m_ui->assistantBox->setChecked(m_presenter.SendToAssistant());
    }
    m_ui->sendButton->setText(ToQt(m_presenter.SendButtonText()));
    m_ui->sendButton->setEnabled(m_presenter.SendEnabled());
    m_ui->saveButton->setText(ToQt(m_presenter.SaveButtonText()));
    m_ui->saveButton->setEnabled(m_presenter.SaveEnabled());
}

void CGroupReportDlg::Save() {
    const Result<std::string> path = m_presenter.CreateAndSave();
    if (!path) {
        m_prompter.Message(path.error(), Severity::Error);
        return;
    }
    m_prompter.Message(FormatArgs(Str(StrId::GroupFileSaved), {path.value()}), Severity::Information);
    Refresh();
}

void CGroupReportDlg::Send() {
    const Result<MailOutcome> sent = m_presenter.CreateAndSend(m_mailDate, m_runner);
    if (!sent) {
        m_prompter.Message(sent.error(), Severity::Error);
        return;
    }
    m_prompter.Message(sent.value().text,
                       sent.value().kind == MailOutcome::Kind::HandedOver ? Severity::Information : Severity::Warning);
    Refresh();
}

} // namespace vardo
