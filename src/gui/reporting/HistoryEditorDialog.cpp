#include "gui/reporting/HistoryEditorDialog.h"

#include <QKeyEvent>
#include <QSignalBlocker>
#include <QStringList>

#include "core/platform/Strings.h"
#include "gui/app/QtText.h"
#include "ui_HistoryEditorDialog.h"

namespace vardo {
namespace {

void SetText(QLineEdit* edit, const std::string& text) {
    const QString value = ToQt(text);
    if (edit->text() != value) {
        const QSignalBlocker block(edit);
        edit->setText(value);
    }
}

void SetChecked(QCheckBox* box, bool on) {
    const QSignalBlocker block(box);
    box->setChecked(on);
}

} // namespace

HistoryEditorDialog::HistoryEditorDialog(const ReportingContext& context, HistoryEditor::Mode mode, RecordNumber record,
                                         QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::HistoryEditorDialog>()), m_editor(context, mode, record) {
    m_ui->setupUi(this);
    m_ui->hintLabel->setText(ToQt(HistoryEditor::TotalsHint()));
    Connect();
    Show();
    FocusFirstField();
}

HistoryEditorDialog::~HistoryEditorDialog() = default;

void HistoryEditorDialog::Run(QWidget* parent, const ReportingContext& context, HistoryEditor::Mode mode,
                              RecordNumber record) {
    HistoryEditorDialog dialog(context, mode, record, parent);
    dialog.exec();
}

void HistoryEditorDialog::Connect() {
    Ui::HistoryEditorDialog& ui = *m_ui;
    connect(ui.personList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0)
            return;
        Collect();
        // Each choice stores the shown month first; a refused store leaves the choice as it was.
        if (m_editor.GetMode() == HistoryEditor::Mode::Totals)
            m_editor.SetTotalsRow(row);
        else
            m_editor.SetPersonChoice(row);
        Show();
    });
    connect(ui.yearList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0)
            return;
        Collect();
        m_editor.SetYearChoice(row);
        Show();
    });
    connect(ui.monthList, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item == nullptr)
            return;
        Collect();
        m_editor.SetMonthChoice(item->data(Qt::UserRole).toInt());
        Show();
    });
    connect(ui.totalsBox, &QCheckBox::toggled, this, [this](bool on) {
        Collect();
        m_editor.SetTotalsMode(on);
        Show();
    });
    const std::pair<QCheckBox*, PioneerCode> kinds[] = {{ui.regularTotalsBox, PioneerCode::Regular},
                                                        {ui.specialTotalsBox, PioneerCode::Special}};
    for (const auto& [box, code] : kinds) {
        const PioneerCode kind = code;
        connect(box, &QCheckBox::toggled, this, [this, kind](bool on) {
            // The two boxes choose one of two kinds: unticking the chosen one keeps it.
            if (on) {
                Collect();
                if (m_editor.SetTotalsPioneerKind(kind))
                    m_totalsKind = kind;
            }
            Show();
        });
    }
    connect(ui.walkPersonsBox, &QCheckBox::toggled, this, [this](bool on) {
        m_editor.SetWalkPersons(on);
        Show();
    });
    connect(ui.walkMonthsBox, &QCheckBox::toggled, this, [this](bool on) {
        m_editor.SetWalkMonths(on);
        Show();
    });

    for (QLineEdit* edit : {ui.placementsEdit, ui.videosEdit, ui.hoursEdit, ui.returnVisitsEdit, ui.studiesEdit,
                            ui.creditEdit, ui.remarkEdit}) {
        connect(edit, &QLineEdit::textEdited, this, [this] {
            Collect();
            ShowFieldState();
        });
    }
    for (QCheckBox* box : {ui.lessThanHourBox, ui.participatedBox, ui.lateBox}) {
        connect(box, &QCheckBox::toggled, this, [this] {
            Collect();
            ShowFieldState();
        });
    }
    // The three pioneer boxes name one code: ticking one clears the others.
    QCheckBox* const pioneerBoxes[] = {ui.auxiliaryBox, ui.regularBox, ui.specialBox};
    for (QCheckBox* box : pioneerBoxes) {
        connect(box, &QCheckBox::toggled, this, [this, box, pioneerBoxes](bool on) {
            if (on)
                for (QCheckBox* other : pioneerBoxes)
                    if (other != box)
                        SetChecked(other, false);
            Collect();
            ShowFieldState();
        });
    }
    connect(ui.storeButton, &QPushButton::clicked, this, [this] {
        Collect();
        if (m_editor.Store())
            Show();
    });
    connect(ui.closeButton, &QPushButton::clicked, this, &HistoryEditorDialog::reject);
}

void HistoryEditorDialog::Collect() {
    const Ui::HistoryEditorDialog& ui = *m_ui;
    HistoryEditor::Fields& fields = m_editor.Edit();
    fields.placements = ToUtf8(ui.placementsEdit->text().trimmed());
    fields.videos = ToUtf8(ui.videosEdit->text().trimmed());
    fields.hours = ToUtf8(ui.hoursEdit->text().trimmed());
    fields.returnVisits = ToUtf8(ui.returnVisitsEdit->text().trimmed());
    fields.studies = ToUtf8(ui.studiesEdit->text().trimmed());
    fields.credit = ToUtf8(ui.creditEdit->text().trimmed());
    if (!m_editor.PersonFieldsVisible())
        return;
    fields.remark = ToUtf8(ui.remarkEdit->text());
    fields.flag = m_editor.NewFormat() ? ui.participatedBox->isChecked() : ui.lessThanHourBox->isChecked();
    fields.auxiliary = ui.auxiliaryBox->isChecked();
    fields.regular = ui.regularBox->isChecked();
    fields.special = ui.specialBox->isChecked();
    fields.late = ui.lateBox->isChecked();
}

void HistoryEditorDialog::Show() {
    Ui::HistoryEditorDialog& ui = *m_ui;
    const bool totals = m_editor.GetMode() == HistoryEditor::Mode::Totals;
    {
        const QSignalBlocker block(ui.personList);
        ui.personList->clear();
        if (totals) {
            for (const std::string& row : HistoryEditor::TotalsRows())
                ui.personList->addItem(ToQt(row));
            ui.personList->setCurrentRow(m_editor.TotalsRow());
        } else {
            for (const HistoryEditor::Item& item : m_editor.Persons())
                ui.personList->addItem(ToQt(item.name));
            ui.personList->setCurrentRow(m_editor.PersonChoice());
        }
    }
    if (totals)
        ui.personLabel->setText(ui.totalsBox->text());
    else
        ui.personLabel->setText(
            ToQt(Str(m_editor.GetMode() == HistoryEditor::Mode::Inactive ? StrId::InactivePublishers
                                                                         : StrId::TotalsPublishers)));
    {
        const QSignalBlocker block(ui.yearList);
        ui.yearList->clear();
        for (const std::string& year : m_editor.YearItems())
            ui.yearList->addItem(ToQt(year));
        ui.yearList->setCurrentRow(m_editor.YearChoice());
    }
    {
        const QSignalBlocker block(ui.monthList);
        ui.monthList->clear();
        for (const MonthIndex month : m_editor.MonthItems()) {
            auto* item = new QListWidgetItem(ToQt(MonthName(month)), ui.monthList);
            item->setData(Qt::UserRole, month);
            if (month == m_editor.MonthChoice())
                ui.monthList->setCurrentItem(item);
        }
    }
    SetChecked(ui.totalsBox, totals);
    SetChecked(ui.walkPersonsBox, m_editor.WalkPersons());
    SetChecked(ui.walkMonthsBox, m_editor.WalkMonths());
    SetChecked(ui.regularTotalsBox, m_totalsKind == PioneerCode::Regular);
    SetChecked(ui.specialTotalsBox, m_totalsKind == PioneerCode::Special);

    const HistoryEditor::Fields& fields = m_editor.View();
    SetText(ui.placementsEdit, fields.placements);
    SetText(ui.videosEdit, fields.videos);
    SetText(ui.hoursEdit, fields.hours);
    SetText(ui.returnVisitsEdit, fields.returnVisits);
    SetText(ui.studiesEdit, fields.studies);
    SetText(ui.creditEdit, fields.credit);
    SetText(ui.remarkEdit, fields.remark);
    SetChecked(ui.lessThanHourBox, fields.flag && !m_editor.NewFormat());
    SetChecked(ui.participatedBox, fields.flag && m_editor.NewFormat());
    SetChecked(ui.auxiliaryBox, fields.auxiliary);
    SetChecked(ui.regularBox, fields.regular);
    SetChecked(ui.specialBox, fields.special);
    SetChecked(ui.lateBox, fields.late);

    const MonthCount count = m_editor.ChosenCount();
    const QString month = ToQt(MonthName(MonthIndexOf(count)));
    const QString year = QString::number(2000 + YearIndexOf(count));
    const StrId format = totals                 ? StrId::HistoryTotalsOf
                         : m_editor.NewFormat() ? StrId::HistoryNewFormat
                                                : StrId::HistoryOldFormat;
    ui.formatLabel->setText(ToQt(FormatArgs(Str(format), {ToUtf8(month), ToUtf8(year)})));
    ShowFieldState();
}

void HistoryEditorDialog::ShowFieldState() {
    Ui::HistoryEditorDialog& ui = *m_ui;
    const bool totals = m_editor.GetMode() == HistoryEditor::Mode::Totals;
    const bool persons = m_editor.PersonFieldsVisible();
    const bool hasPerson = totals || m_editor.Record() != 0;
    const bool counts = m_editor.CountsVisible();
    const bool hours = m_editor.HoursVisible();
    const bool activeRow = totals && m_editor.TotalsRow() == 3;
    const bool enabled = hasPerson && (!totals || m_editor.TotalsFieldsEnabled());

    for (QWidget* widget : {static_cast<QWidget*>(ui.placementsLabel), static_cast<QWidget*>(ui.placementsEdit),
                            static_cast<QWidget*>(ui.videosLabel), static_cast<QWidget*>(ui.videosEdit),
                            static_cast<QWidget*>(ui.returnVisitsLabel), static_cast<QWidget*>(ui.returnVisitsEdit)})
        widget->setVisible(counts && !activeRow);
    ui.hoursLabel->setVisible(hours && !activeRow);
    ui.hoursEdit->setVisible(hours && !activeRow);
    ui.studiesLabel->setVisible(!activeRow);
    ui.studiesEdit->setVisible(!activeRow);
    ui.lessThanHourBox->setVisible(persons && !m_editor.NewFormat());
    ui.participatedBox->setVisible(persons && m_editor.NewFormat());
    for (QWidget* widget : {static_cast<QWidget*>(ui.remarkLabel), static_cast<QWidget*>(ui.remarkEdit),
                            static_cast<QWidget*>(ui.auxiliaryBox), static_cast<QWidget*>(ui.regularBox),
                            static_cast<QWidget*>(ui.specialBox), static_cast<QWidget*>(ui.walkPersonsBox)})
        widget->setVisible(persons);
    ui.lateBox->setVisible(persons && m_editor.LateVisible());
    ui.regularTotalsBox->setVisible(totals);
    ui.specialTotalsBox->setVisible(totals);
    ui.regularTotalsBox->setEnabled(totals && m_editor.TotalsRow() == 2);
    ui.specialTotalsBox->setEnabled(totals && m_editor.TotalsRow() == 2);
    ui.hintLabel->setVisible(totals);
    ui.hintLabel->setText(ToQt(totals && !m_editor.TotalsFieldsEnabled() ? std::string(Str(StrId::HistoryChooseKind))
                                                                         : HistoryEditor::TotalsHint()));

    ui.creditLabel->setText(ToQt(Str(!totals     ? StrId::HistoryCreditLabel
                                     : activeRow ? StrId::TotalsActive
                                                 : StrId::HistoryReportsLabel)));
    const HistoryEditor::Fields& fields = m_editor.View();
    const bool creditEnabled = totals || fields.regular || fields.special;
    for (QWidget* widget : {static_cast<QWidget*>(ui.placementsEdit), static_cast<QWidget*>(ui.videosEdit),
                            static_cast<QWidget*>(ui.hoursEdit), static_cast<QWidget*>(ui.returnVisitsEdit),
                            static_cast<QWidget*>(ui.studiesEdit), static_cast<QWidget*>(ui.lessThanHourBox),
                            static_cast<QWidget*>(ui.participatedBox), static_cast<QWidget*>(ui.remarkEdit),
                            static_cast<QWidget*>(ui.auxiliaryBox), static_cast<QWidget*>(ui.regularBox),
                            static_cast<QWidget*>(ui.specialBox), static_cast<QWidget*>(ui.lateBox),
                            static_cast<QWidget*>(ui.storeButton)})
        widget->setEnabled(enabled);
    ui.creditEdit->setEnabled(enabled && creditEnabled);

    QStringList warnings;
    for (const Warning& warning : m_editor.Warnings())
        warnings << ToQt(Str(StrId::WarningPrefix)) + ToQt(warning.text);
    ui.warningsLabel->setText(warnings.join(QLatin1Char('\n')));
    ui.warningsLabel->setVisible(!warnings.isEmpty());
}

void HistoryEditorDialog::FocusFirstField() {
    Ui::HistoryEditorDialog& ui = *m_ui;
    for (QWidget* widget : {static_cast<QWidget*>(ui.placementsEdit), static_cast<QWidget*>(ui.participatedBox),
                            static_cast<QWidget*>(ui.studiesEdit), static_cast<QWidget*>(ui.creditEdit)}) {
        if (!widget->isHidden() && widget->isEnabled()) {
            widget->setFocus();
            if (auto* edit = qobject_cast<QLineEdit*>(widget))
                edit->selectAll();
            return;
        }
    }
}

void HistoryEditorDialog::OnEnter() {
    Collect();
    if (!m_editor.Enter())
        return;
    Show();
    if (m_editor.WalkPersons() || m_editor.WalkMonths())
        FocusFirstField();
}

void HistoryEditorDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto* button = qobject_cast<QPushButton*>(focusWidget()))
            button->click();
        else
            OnEnter();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void HistoryEditorDialog::reject() {
    Collect();
    if (!m_editor.Close()) {
        Show();
        return;
    }
    QDialog::accept();
}

} // namespace vardo
