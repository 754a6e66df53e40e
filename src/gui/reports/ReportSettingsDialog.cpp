#include "gui/reports/ReportSettingsDialog.h"

#include <QKeyEvent>
#include <QSignalBlocker>

#include "gui/app/QtText.h"
#include "ui_ReportSettingsDialog.h"

namespace vardo {
namespace {

void Check(QCheckBox* box, bool on) {
    const QSignalBlocker block(box);
    box->setChecked(on);
}

void Select(QComboBox* list, int value) {
    const QSignalBlocker block(list);
    list->setCurrentIndex(value);
}

} // namespace

ReportSettingsDialog::ReportSettingsDialog(const ReportOptions& current, bool firstNameFirstOrder, Prompter& prompter,
                                           QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::ReportSettingsDialog>()), m_presenter(current, firstNameFirstOrder),
      m_prompter(prompter) {
    m_ui->setupUi(this);
    for (const std::string& entry : MarginListEntries()) {
        m_ui->topMarginList->addItem(ToQt(entry));
        m_ui->labelMarginList->addItem(ToQt(entry));
    }
    m_ui->topMarginList->installEventFilter(this);
    m_ui->labelMarginList->installEventFilter(this);
    m_ui->surnameFirstBox->setVisible(m_presenter.SurnameFirstVisible());
    m_ui->congregationNameEdit->setMaxLength(ReportSettingsPresenter::kMaxCongregationName);
    m_ui->congregationNameEdit->setText(ToQt(m_presenter.Values().congregationName));

    const auto bind = [this](QCheckBox* box, void (ReportSettingsPresenter::*set)(bool)) {
        connect(box, &QCheckBox::toggled, this, [this, set](bool on) {
            (m_presenter.*set)(on);
            Show();
        });
    };
    bind(m_ui->surnameFirstBox, &ReportSettingsPresenter::SetSurnameFirst);
    bind(m_ui->statisticsDatesBox, &ReportSettingsPresenter::SetDatesInStatistics);
    bind(m_ui->dayFirstBox, &ReportSettingsPresenter::SetDayFirstDates);
    bind(m_ui->birthDateBox, &ReportSettingsPresenter::SetBirthDateOnCards);
    bind(m_ui->otherLabelBox, &ReportSettingsPresenter::SetOtherLabelLayout);
    bind(m_ui->gridLinesBox, &ReportSettingsPresenter::SetGridLines);
    bind(m_ui->missingFramesBox, &ReportSettingsPresenter::SetMissingReportFrames);
    bind(m_ui->dateStampBox, &ReportSettingsPresenter::SetDateStamp);
    bind(m_ui->witnessLineBox, &ReportSettingsPresenter::SetEmergencyWitnessLine);
    connect(m_ui->topMarginList, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_presenter.SetTopMargin(index);
        Show();
    });
    connect(m_ui->labelMarginList, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_presenter.SetLabelLeftMargin(index);
        Show();
    });
    connect(m_ui->congregationNameEdit, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_presenter.SetCongregationName(ToUtf8(text)); });
    connect(m_ui->okButton, &QPushButton::clicked, this, &ReportSettingsDialog::Accept);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    Show();
}

ReportSettingsDialog::~ReportSettingsDialog() = default;

void ReportSettingsDialog::Show() {
    const ReportOptions& v = m_presenter.Values();
    Check(m_ui->surnameFirstBox, v.surnameFirst);
    Check(m_ui->statisticsDatesBox, v.datesInStatistics);
    Check(m_ui->dayFirstBox, v.dayFirstDates);
    Check(m_ui->birthDateBox, v.birthDateOnCards);
    Check(m_ui->otherLabelBox, v.otherLabelLayout);
    Check(m_ui->gridLinesBox, v.gridLines);
    Check(m_ui->missingFramesBox, v.missingReportFrames);
    Check(m_ui->dateStampBox, v.dateStamp);
    Check(m_ui->witnessLineBox, v.emergencyWitnessLine);
    Select(m_ui->topMarginList, v.topMargin);
    Select(m_ui->labelMarginList, v.labelLeftMargin);
}

bool ReportSettingsDialog::eventFilter(QObject* watched, QEvent* event) {
    // Up and down in the margin lists wrap round from 99 to 00 and back.
    auto* list = qobject_cast<QComboBox*>(watched);
    if (list != nullptr && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            list->setCurrentIndex(
                ReportSettingsPresenter::StepMargin(list->currentIndex(), key == Qt::Key_Up ? -1 : 1));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ReportSettingsDialog::Accept() {
    m_presenter.SetCongregationName(ToUtf8(m_ui->congregationNameEdit->text()));
    if (!m_presenter.Validate(m_prompter)) {
        m_ui->congregationNameEdit->setFocus();
        return;
    }
    accept();
}

std::optional<ReportSettingsPresenter> ReportSettingsDialog::Run(QWidget* parent, const ReportOptions& current,
                                                                 bool firstNameFirstOrder, Prompter& prompter) {
    ReportSettingsDialog dialog(current, firstNameFirstOrder, prompter, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Presenter();
}

} // namespace vardo
