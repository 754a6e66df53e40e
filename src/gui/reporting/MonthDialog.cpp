#include "gui/reporting/MonthDialog.h"

#include "core/platform/Prompter.h"
#include "core/platform/Strings.h"
#include "gui/app/QtText.h"
#include "ui_MonthDialog.h"

namespace vardo {

MonthDialog::MonthDialog(const MonthDialogInput& input, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::MonthDialog>()), m_presenter(input), m_prompter(prompter) {
    m_ui->setupUi(this);
    const std::string month = std::string(MonthName(MonthIndexOf(input.monthCount))) + " " +
                              std::to_string(2000 + YearIndexOf(input.monthCount));
    m_ui->monthLabel->setText(ToQt(FormatArgs(Str(StrId::WorkingMonthStatus), {month})).trimmed());
    m_ui->warningButton->setVisible(m_presenter.ShowsWarning());
    m_ui->continueButton->setVisible(m_presenter.ShowsContinue());
    m_ui->continueButton->setText(ToQt(m_presenter.ContinueText()));
    m_ui->startButton->setText(ToQt(m_presenter.StartText()));
    m_ui->earlyButton->setVisible(m_presenter.ShowsEarlyStart());
    m_ui->earlyButton->setText(ToQt(m_presenter.EarlyStartText()));

    // Enter presses the button with the focus; the first shown button of the three has it at the start.
    if (m_presenter.ShowsContinue()) {
        m_ui->continueButton->setFocus();
    } else {
        m_ui->continueButton->setDefault(false);
        m_ui->startButton->setDefault(true);
        m_ui->startButton->setFocus();
    }
    for (QPushButton* button :
         {m_ui->continueButton, m_ui->startButton, m_ui->earlyButton, m_ui->warningButton, m_ui->cancelButton})
        button->setAutoDefault(true);

    connect(m_ui->warningButton, &QPushButton::clicked, this,
            [this] { m_prompter.Message(MonthDialogPresenter::WarningText(), Severity::Warning); });
    connect(m_ui->continueButton, &QPushButton::clicked, this, [this] { Finish(m_presenter.Continue()); });
    connect(m_ui->startButton, &QPushButton::clicked, this, [this] { Finish(m_presenter.Start(m_prompter)); });
    connect(m_ui->earlyButton, &QPushButton::clicked, this, [this] { Finish(m_presenter.StartEarly(m_prompter)); });
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    adjustSize();
}

MonthDialog::~MonthDialog() = default;

void MonthDialog::Finish(std::optional<MonthChoice> choice) {
    // A cancelled confirmation keeps the dialog open with nothing changed.
    if (!choice)
        return;
    m_choice = std::move(choice);
    accept();
}

std::optional<MonthChoice> MonthDialog::Run(QWidget* parent, const MonthDialogInput& input, Prompter& prompter) {
    MonthDialog dialog(input, prompter, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Choice();
}

} // namespace vardo
