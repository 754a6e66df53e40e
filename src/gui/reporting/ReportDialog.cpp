#include "gui/reporting/ReportDialog.h"

#include <QKeyEvent>
#include <QSignalBlocker>

#include "core/platform/Strings.h"
#include "gui/app/QtText.h"
#include "ui_ReportDialog.h"

namespace vardo {
namespace {

using Control = ReportEntry::Control;

bool IsEnter(const QKeyEvent& key) {
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

QString MonthAndYear(MonthCount count) {
    return ToQt(MonthName(MonthIndexOf(count))) + QStringLiteral(" ") + QString::number(2000 + YearIndexOf(count));
}

} // namespace

ReportDialog::ReportDialog(const ReportingContext& context, RecordNumber record, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::ReportDialog>()), m_entry(context, record) {
    m_ui->setupUi(this);
    setWindowTitle(ToQt(m_entry.Name()));
    m_ui->nameLabel->setText(ToQt(m_entry.Name()));
    m_ui->groupLabel->setText(ToQt(m_entry.GroupText()));
    m_ui->appointmentLabel->setText(ToQt(m_entry.AppointmentText()));
    m_ui->participationBox->setToolTip(ToQt(Str(StrId::ParticipationTip)));
    m_ui->hoursLabel->setText(ToQt(Str(StrId::HoursLabel)));
    m_ui->studiesLabel->setText(ToQt(Str(StrId::StudiesLabel)));
    m_ui->changeMonthButton->setText(ToQt(Str(StrId::ChangeMonth)));
    for (MonthIndex m = 0; m < kMonthsPerYear; ++m)
        m_ui->monthList->addItem(ToQt(MonthName(m)));
    ShowMonthChoice(false);

    for (QWidget* widget : {static_cast<QWidget*>(m_ui->participationBox), static_cast<QWidget*>(m_ui->auxiliaryBox),
                            static_cast<QWidget*>(m_ui->hoursEdit), static_cast<QWidget*>(m_ui->studiesEdit),
                            static_cast<QWidget*>(m_ui->okButton), static_cast<QWidget*>(m_ui->remarkEdit),
                            static_cast<QWidget*>(m_ui->monthList)})
        widget->installEventFilter(this);
    // Enter is taken by the event filter on the controls of the report; the other buttons take it as a click.
    for (QPushButton* button : {m_ui->remarkButton, m_ui->changeMonthButton, m_ui->cancelButton, m_ui->monthOkButton})
        button->setAutoDefault(true);
    m_ui->okButton->setAutoDefault(false);

    connect(m_ui->participationBox, &QCheckBox::toggled, this, [this](bool on) {
        m_entry.SetParticipation(on);
        if (!on) {
            const QSignalBlocker hours(m_ui->hoursEdit), studies(m_ui->studiesEdit);
            m_ui->hoursEdit->setText(ToQt(m_entry.HoursText()));
            m_ui->studiesEdit->setText(ToQt(m_entry.StudiesText()));
        }
        ShowVisibility();
        ShowWarnings();
    });
    connect(m_ui->auxiliaryBox, &QCheckBox::toggled, this, [this](bool on) {
        m_entry.SetAuxiliary(on);
        ShowVisibility();
        ShowWarnings();
    });
    connect(m_ui->hoursEdit, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_entry.SetHoursText(ToUtf8(text));
        ShowWarnings();
    });
    connect(m_ui->studiesEdit, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_entry.SetStudiesText(ToUtf8(text));
        ShowWarnings();
    });
    connect(m_ui->remarkButton, &QPushButton::clicked, this, [this] { ShowRemarkEdit(); });
    connect(m_ui->changeMonthButton, &QPushButton::clicked, this, [this] { ShowMonthChoice(true); });
    connect(m_ui->monthOkButton, &QPushButton::clicked, this, [this] { ChooseMonth(); });
    connect(m_ui->monthList, &QListWidget::itemDoubleClicked, this, [this] { ChooseMonth(); });
    connect(m_ui->okButton, &QPushButton::clicked, this, [this] { StoreAndClose(); });
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    ShowAll();
    m_ui->remarkEdit->setVisible(!m_entry.Remark().empty());
    FocusControl(Control::Participation);
}

ReportDialog::~ReportDialog() = default;

void ReportDialog::ShowAll() {
    m_ui->monthLabel->setText(MonthAndYear(m_entry.Count()));
    m_ui->pioneerKindLabel->setText(ToQt(m_entry.PioneerKindText()));
    {
        const QSignalBlocker participation(m_ui->participationBox), auxiliary(m_ui->auxiliaryBox),
            hours(m_ui->hoursEdit), studies(m_ui->studiesEdit), remark(m_ui->remarkEdit);
        m_ui->participationBox->setChecked(m_entry.Participation());
        m_ui->auxiliaryBox->setChecked(m_entry.Auxiliary());
        m_ui->hoursEdit->setText(ToQt(m_entry.HoursText()));
        m_ui->studiesEdit->setText(ToQt(m_entry.StudiesText()));
        m_ui->remarkEdit->setText(ToQt(m_entry.Remark()));
    }
    QStringList messages;
    for (const std::string& line : m_entry.Messages())
        messages << ToQt(line);
    m_ui->messagesLabel->setText(messages.join(QLatin1Char('\n')));
    m_ui->messagesLabel->setVisible(!messages.isEmpty());
    ShowVisibility();
    ShowWarnings();
}

void ReportDialog::ShowVisibility() {
    m_ui->pioneerKindLabel->setVisible(m_entry.PioneerKindVisible());
    m_ui->auxiliaryBox->setVisible(m_entry.AuxiliaryVisible());
    m_ui->hoursLabel->setVisible(m_entry.HoursVisible());
    m_ui->hoursEdit->setVisible(m_entry.HoursVisible());
    m_ui->studiesLabel->setVisible(m_entry.StudiesVisible());
    m_ui->studiesEdit->setVisible(m_entry.StudiesVisible());
    ShowCredit();
}

void ReportDialog::ShowCredit() {
    m_ui->creditLabel->setText(ToQt(m_entry.CreditText()));
    m_ui->creditLabel->setVisible(m_entry.CreditVisible() && m_entry.HoursVisible());
}

void ReportDialog::ShowWarnings() {
    QStringList lines;
    for (const Warning& warning : m_entry.Warnings())
        lines << ToQt(std::string(Str(StrId::WarningPrefix)) + warning.text);
    m_ui->warningsLabel->setText(lines.join(QLatin1Char('\n')));
    m_ui->warningsLabel->setVisible(!lines.isEmpty());
}

void ReportDialog::SetField(Control control, const QString& text) {
    QLineEdit* edit = control == Control::Hours ? m_ui->hoursEdit : m_ui->studiesEdit;
    edit->setText(text);
    edit->selectAll();
    if (control == Control::Hours)
        m_entry.SetHoursText(ToUtf8(text));
    else
        m_entry.SetStudiesText(ToUtf8(text));
    ShowWarnings();
}

void ReportDialog::FocusControl(Control control) {
    switch (control) {
    case Control::Participation:
        m_ui->participationBox->setFocus(Qt::TabFocusReason);
        break;
    case Control::Auxiliary:
        m_ui->auxiliaryBox->setFocus(Qt::TabFocusReason);
        break;
    case Control::Hours:
        m_ui->hoursEdit->setFocus(Qt::TabFocusReason);
        m_ui->hoursEdit->selectAll();
        break;
    case Control::Studies:
        m_ui->studiesEdit->setFocus(Qt::TabFocusReason);
        m_ui->studiesEdit->selectAll();
        break;
    case Control::Ok:
        m_ui->okButton->setFocus(Qt::TabFocusReason);
        break;
    }
}

bool ReportDialog::ControlOf(const QObject* widget, Control& control) const {
    if (widget == m_ui->participationBox)
        control = Control::Participation;
    else if (widget == m_ui->auxiliaryBox)
        control = Control::Auxiliary;
    else if (widget == m_ui->hoursEdit)
        control = Control::Hours;
    else if (widget == m_ui->studiesEdit)
        control = Control::Studies;
    else if (widget == m_ui->okButton)
        control = Control::Ok;
    else
        return false;
    return true;
}

// The keys of the report's controls; true when the key was taken.
bool ReportDialog::FieldKey(Control control, const QKeyEvent& key) {
    const bool plain = (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) == 0;
    if (IsEnter(key)) {
        if (m_entry.EnterStores(control))
            StoreAndClose();
        else
            FocusControl(m_entry.NextOnEnter(control));
        return true;
    }
    if (control == Control::Ok)
        return false;
    if (plain && (key.key() == Qt::Key_Left || key.key() == Qt::Key_Right)) {
        FocusControl(m_entry.Neighbour(control, key.key() == Qt::Key_Right));
        return true;
    }
    if (control != Control::Hours && control != Control::Studies)
        return false;
    if (plain && key.key() == Qt::Key_Space) {
        SetField(control, ToQt(ReportEntry::ApplyFieldKey(ReportEntry::FieldKey::Space)));
        return true;
    }
    if (plain && key.key() == Qt::Key_Delete) {
        SetField(control, ToQt(ReportEntry::ApplyFieldKey(ReportEntry::FieldKey::Delete)));
        return true;
    }
    if (key.key() == Qt::Key_Backspace || !plain)
        return false;
    // Printable keys other than digits and the point are not taken; moving and closing keys pass.
    const QString text = key.text();
    if (text.size() == 1 && text.front().isPrint())
        return !ReportEntry::AcceptsCharacter(
            static_cast<char>(text.front().unicode() < 128 ? text.front().unicode() : 0));
    return false;
}

bool ReportDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_ui->remarkEdit && event->type() == QEvent::FocusOut) {
        TakeRemark();
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (watched == m_ui->remarkEdit) {
        if (!IsEnter(key))
            return false;
        // Enter in the remark: the credit again from the hours as they stand, then on to OK.
        TakeRemark();
        m_entry.RecomputeCredit();
        ShowCredit();
        FocusControl(Control::Ok);
        return true;
    }
    if (watched == m_ui->monthList) {
        if (!IsEnter(key))
            return false;
        ChooseMonth();
        return true;
    }
    Control control = Control::Participation;
    if (!ControlOf(watched, control))
        return false;
    return FieldKey(control, key);
}

void ReportDialog::TakeRemark() {
    const std::string text = ToUtf8(m_ui->remarkEdit->text());
    if (text == m_entry.Remark())
        return;
    m_entry.SetRemark(text);
    const QSignalBlocker blocker(m_ui->remarkEdit);
    m_ui->remarkEdit->setText(ToQt(m_entry.Remark()));
    ShowCredit();
}

void ReportDialog::ShowRemarkEdit() {
    m_ui->remarkEdit->setText(ToQt(m_entry.Remark()));
    m_ui->remarkEdit->setVisible(true);
    m_ui->remarkEdit->setFocus(Qt::TabFocusReason);
    m_ui->remarkEdit->selectAll();
}

void ReportDialog::ShowMonthChoice(bool on) {
    for (QWidget* button : {m_ui->okButton, m_ui->cancelButton, m_ui->remarkButton, m_ui->changeMonthButton})
        button->setVisible(!on);
    m_ui->monthList->setVisible(on);
    m_ui->monthOkButton->setVisible(on);
    if (on) {
        m_ui->monthList->setCurrentRow(m_entry.Month());
        m_ui->monthList->setFocus();
    }
}

void ReportDialog::ChooseMonth() {
    const int row = m_ui->monthList->currentRow();
    if (row >= 0)
        m_entry.ChooseMonth(static_cast<MonthIndex>(row));
    ShowMonthChoice(false);
    ShowAll();
    m_ui->remarkEdit->setVisible(!m_entry.Remark().empty());
    FocusControl(Control::Participation);
}

void ReportDialog::StoreAndClose() {
    if (m_ui->remarkEdit->isVisible())
        TakeRemark();
    // A refused value (studies beyond 63, hours that are no number) has been told; the window stays open.
    if (m_entry.Store())
        accept();
}

bool ReportDialog::Run(QWidget* parent, const ReportingContext& context, RecordNumber record) {
    ReportDialog dialog(context, record, parent);
    return dialog.exec() == QDialog::Accepted && dialog.Entry().Changed();
}

} // namespace vardo
