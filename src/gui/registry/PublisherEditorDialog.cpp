#include "gui/registry/PublisherEditorDialog.h"

#include <QKeyEvent>
#include <QLabel>

#include "core/platform/Strings.h"
#include "core/registry/PersonRemoval.h"
#include "core/registry/PublisherChooser.h"
#include "gui/app/QtText.h"
#include "gui/registry/DeleteDialog.h"
#include "gui/registry/ExtensionDialog.h"
#include "gui/registry/GroupChooserDialog.h"
#include "gui/registry/PrivilegesDialog.h"
#include "gui/registry/PublisherChooserDialog.h"
#include "gui/registry/StatusDialog.h"
#include "ui_PublisherEditorDialog.h"

namespace vardo {

PublisherEditorDialog::PublisherEditorDialog(RegistryContext& context, PublisherChooser& chooser,
                                             std::optional<int> position, const RegistryHooks& hooks, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::PublisherEditorDialog>()), m_context(context), m_chooser(chooser),
      m_editor(context, chooser), m_hooks(hooks) {
    m_ui->setupUi(this);
    m_statusLine = new QLabel(this);
    m_statusLine->setObjectName(QStringLiteral("statusLineLabel"));
    m_statusLine->setWordWrap(true);
    m_statusLine->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_ui->mainLayout->insertWidget(m_ui->mainLayout->count() - 1, m_statusLine);
    if (position)
        m_editor.Load(*position);
    else
        m_editor.LoadNew();
    for (DatePickerWidget* picker : {m_ui->birthPicker, m_ui->baptismPicker, m_ui->consentPicker})
        picker->SetYears(m_editor.Years());
    Bind();
    if (m_editor.Interested())
        ShowInterestedMode();
    else
        m_ui->conductorGroup->hide();
    ShowAll();
    m_ui->firstNameEdit->setFocus();
}

void PublisherEditorDialog::ShowInterestedMode() {
    setWindowTitle(ToQt(m_editor.Caption()));
    // What only publishers have: appointments and pioneer service, hope, dates, status, walking the list and
    // copying.
    for (QWidget* w : std::initializer_list<QWidget*>{
             m_ui->privilegesBox, m_ui->anointedBox, m_ui->birthLabel, m_ui->birthPicker, m_ui->birthSummaryLabel,
             m_ui->baptismLabel, m_ui->baptismPicker, m_ui->baptismSummaryLabel, m_ui->statusButton,
             m_ui->previousButton, m_ui->nextButton, m_ui->copyButton, m_ui->clearCopyButton})
        w->hide();
    m_ui->chooseConductorButton->setText(ToQt(Str(StrId::ChooseConductor)));
    m_ui->removeConductorButton->setText(ToQt(Str(StrId::RemoveConductors)));
    connect(m_ui->chooseConductorButton, &QPushButton::clicked, this, &PublisherEditorDialog::OnChooseConductor);
    connect(m_ui->removeConductorButton, &QPushButton::clicked, this, [this] {
        m_editor.RemoveConductor();
        ShowState();
    });
}

void PublisherEditorDialog::OnChooseConductor() {
    if (const auto id = PublisherChooserDialog::Pick(this, m_context, PublisherCategory::Publisher)) {
        if (const Status chosen = m_editor.ChooseConductor(*id); !chosen)
            m_context.prompter.Message(chosen.message(), Severity::Warning);
        ShowState();
    }
}

PublisherEditorDialog::~PublisherEditorDialog() = default;

void PublisherEditorDialog::Bind() {
    m_texts = {
        {m_ui->firstNameEdit, EditorText::FirstName},
        {m_ui->lastNameEdit, EditorText::LastName},
        {m_ui->addressEdit, EditorText::Address},
        {m_ui->phoneHomeEdit, EditorText::PhoneHome},
        {m_ui->phoneMobileEdit, EditorText::PhoneMobile},
        {m_ui->phoneWorkEdit, EditorText::PhoneWork},
        {m_ui->emailEdit, EditorText::Email},
    };
    for (const auto& [edit, field] : m_texts) {
        edit->setMaxLength(MaxLength(field));
        const EditorText f = field;
        QLineEdit* e = edit;
        if (f == EditorText::FirstName || f == EditorText::LastName) {
            connect(e, &QLineEdit::textEdited, this, [this, e, f](const QString& text) {
                const auto changed = m_editor.NameTyped(f, ToUtf8(text));
                if (!changed)
                    return;
                const int caret = e->cursorPosition();
                e->setText(ToQt(changed->text));
                e->setCursorPosition(changed->cut ? static_cast<int>(e->text().size()) : caret);
            });
        } else {
            connect(e, &QLineEdit::textEdited, this,
                    [this, f](const QString& text) { m_editor.SetText(f, ToUtf8(text)); });
        }
    }

    m_boxes = {
        {m_ui->elderBox, EditorBox::Elder},
        {m_ui->servantBox, EditorBox::MinisterialServant},
        {m_ui->baptizedBrotherBox, EditorBox::BaptizedBrother},
        {m_ui->regularPioneerBox, EditorBox::RegularPioneer},
        {m_ui->continuousAuxiliaryBox, EditorBox::ContinuousAuxiliary},
        {m_ui->specialPioneerBox, EditorBox::SpecialPioneer},
        {m_ui->anointedBox, EditorBox::Anointed},
        {m_ui->maleBox, EditorBox::Male},
        {m_ui->femaleBox, EditorBox::Female},
        {m_ui->headOfFamilyBox, EditorBox::HeadOfFamily},
        {m_ui->userCategoryBox, EditorBox::UserCategory},
        {m_ui->consentBox, EditorBox::Consent},
        {m_ui->deafBox, EditorBox::Deaf},
        {m_ui->blindBox, EditorBox::Blind},
        {m_ui->confinedBox, EditorBox::Confined},
        {m_ui->specialFullTimeBox, EditorBox::SpecialFullTime},
        {m_ui->fieldMissionaryBox, EditorBox::FieldMissionary},
    };
    for (const auto& [box, value] : m_boxes) {
        const EditorBox v = value;
        connect(box, &QCheckBox::toggled, this, [this, v](bool on) {
            m_editor.SetBox(v, on);
            ShowBoxes();
            ShowState();
        });
    }

    const std::pair<DatePickerWidget*, EditorDate> pickers[] = {
        {m_ui->birthPicker, EditorDate::Birth},
        {m_ui->baptismPicker, EditorDate::Baptism},
        {m_ui->consentPicker, EditorDate::Consent},
    };
    for (const auto& [picker, date] : pickers) {
        const EditorDate d = date;
        DatePickerWidget* p = picker;
        connect(p, &DatePickerWidget::Changed, this, [this, p, d] {
            m_editor.SetDate(d, p->Date());
            ShowState();
        });
    }

    connect(m_ui->okButton, &QPushButton::clicked, this, &PublisherEditorDialog::OnOk);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->previousButton, &QPushButton::clicked, this, [this] { OnMove(-1); });
    connect(m_ui->nextButton, &QPushButton::clicked, this, [this] { OnMove(1); });
    connect(m_ui->deleteButton, &QPushButton::clicked, this, &PublisherEditorDialog::OnDelete);
    connect(m_ui->statusButton, &QPushButton::clicked, this, &PublisherEditorDialog::OnStatus);
    connect(m_ui->groupButton, &QPushButton::clicked, this, &PublisherEditorDialog::OnGroup);
    connect(m_ui->longNameButton, &QPushButton::clicked, this, &PublisherEditorDialog::OnExtension);
    connect(m_ui->privilegesButton, &QPushButton::clicked, this, &PublisherEditorDialog::OnPrivileges);
    connect(m_ui->copyButton, &QPushButton::clicked, this, &PublisherEditorDialog::OnCopy);
    connect(m_ui->clearCopyButton, &QPushButton::clicked, this, [this] { m_editor.ClearCopySource(); });
    connect(m_ui->familyButton, &QPushButton::clicked, this, [this] {
        if (m_hooks.family) {
            TakeTexts();
            m_hooks.family(this, m_editor);
            ShowState();
        }
    });
    connect(m_ui->emergencyButton, &QPushButton::clicked, this, [this] {
        if (m_hooks.emergencyContact) {
            TakeTexts();
            m_hooks.emergencyContact(this, m_editor);
        }
    });
    connect(m_ui->importantInfoButton, &QPushButton::clicked, this, [this] {
        if (m_hooks.importantInformation) {
            TakeTexts();
            m_hooks.importantInformation(this, m_editor);
            ShowBoxes();
        }
    });
}

void PublisherEditorDialog::ShowAll() {
    for (const auto& [edit, field] : m_texts)
        edit->setText(ToQt(m_editor.Text(field)));
    m_ui->birthPicker->SetDate(m_editor.Date(EditorDate::Birth));
    m_ui->baptismPicker->SetDate(m_editor.Date(EditorDate::Baptism));
    m_ui->consentPicker->SetDate(m_editor.Date(EditorDate::Consent));
    ShowBoxes();
    ShowState();
}

void PublisherEditorDialog::ShowBoxes() {
    for (const auto& [box, value] : m_boxes) {
        const QSignalBlocker block(box);
        box->setChecked(m_editor.Box(value));
    }
}

void PublisherEditorDialog::ShowState() {
    const std::string statusLine = m_editor.StatusLine();
    m_statusLine->setVisible(!statusLine.empty());
    m_statusLine->setText(ToQt(statusLine));
    m_ui->groupButton->setText(ToQt(m_editor.GroupButtonText()));
    const auto family = m_editor.FamilyButtonText();
    m_ui->familyButton->setVisible(family.has_value());
    m_ui->familyButton->setText(family ? ToQt(*family) : QString());
    m_ui->familyButton->setEnabled(static_cast<bool>(m_hooks.family));
    m_ui->emergencyButton->setEnabled(static_cast<bool>(m_hooks.emergencyContact));
    m_ui->importantInfoButton->setEnabled(static_cast<bool>(m_hooks.importantInformation));
    m_ui->headOfFamilyBox->setEnabled(m_editor.HeadOfFamilyEnabled());
    m_ui->specialFullTimeBox->setVisible(m_editor.SpecialFullTimeVisible());
    m_ui->fieldMissionaryBox->setVisible(m_editor.FieldMissionaryVisible());
    m_ui->privilegesButton->setVisible(m_editor.PrivilegesVisible());
    m_ui->userCategoryBox->setVisible(m_editor.UserCategoryVisible());
    m_ui->userCategoryBox->setText(ToQt(m_editor.UserCategoryLabel()));
    m_ui->consentPicker->setVisible(m_editor.ConsentDateVisible());
    m_ui->consentDateLabel->setVisible(m_editor.ConsentDateVisible());
    if (m_editor.Interested()) {
        m_ui->deleteButton->setVisible(m_editor.DeleteVisible());
        m_ui->conductorLabel->setVisible(!m_editor.ConductorLabel().empty());
        m_ui->conductorLabel->setText(ToQt(m_editor.ConductorLabel()));
        m_ui->removeConductorButton->setVisible(m_editor.ConductorRemoveVisible());
        m_ui->privilegesButton->hide();
    } else {
        for (QWidget* w : {m_ui->previousButton, m_ui->nextButton, m_ui->deleteButton})
            w->setVisible(m_editor.NavigationVisible());
    }
    m_ui->birthSummaryLabel->setText(ToQt(m_editor.BirthSummary()));
    m_ui->baptismSummaryLabel->setText(ToQt(m_editor.BaptismSummary()));
}

void PublisherEditorDialog::TakeTexts() {
    for (const auto& [edit, field] : m_texts)
        if (m_editor.Text(field) != ToUtf8(edit->text()))
            m_editor.SetText(field, ToUtf8(edit->text()));
}

bool PublisherEditorDialog::StoreWithStatus() {
    TakeTexts();
    if (!m_editor.CanStore()) {
        // An interested person needs two letters of the last name; what was typed stays in the fields.
        if (m_editor.Interested() && !m_editor.Text(EditorText::LastName).empty())
            m_context.prompter.Message(Str(StrId::InterestedNameTooShort), Severity::Warning);
        m_ui->lastNameEdit->setFocus();
        return false;
    }
    if (m_editor.NeedsStatusBeforeStore()) {
        if (const auto choice = StatusDialog::Run(this, m_editor.MakeStatusChoice()))
            m_editor.ApplyStatus(*choice);
        else
            m_editor.MarkStatusAsked();
    }
    if (!m_editor.Store())
        return false;
    m_changed = true;
    return true;
}

void PublisherEditorDialog::OnOk() {
    TakeTexts();
    // A new interested person with nothing typed: nothing to store, the editor just closes.
    if (m_editor.Interested() && m_editor.IsNew() && !m_editor.AnyTextEntered()) {
        reject();
        return;
    }
    if (StoreWithStatus())
        accept();
}

void PublisherEditorDialog::OnMove(int step) {
    TakeTexts();
    const bool moved = step > 0 ? m_editor.Next() : m_editor.Previous();
    if (moved) {
        m_changed = true;
        ShowAll();
    } else if (!m_editor.CanStore()) {
        m_ui->lastNameEdit->setFocus();
    }
}

void PublisherEditorDialog::OnCopy() {
    TakeTexts();
    if (m_editor.CopyPressed() == CopyAction::StoreAndRemember) {
        if (StoreWithStatus()) {
            m_editor.RememberAsCopySource();
            ShowAll();
        }
    } else if (m_editor.PasteFromSource()) {
        ShowAll();
    }
}

void PublisherEditorDialog::OnDelete() {
    if (m_editor.IsNew())
        return;
    if (m_editor.Interested()) {
        const Status deleted = m_editor.DeleteInterested();
        if (deleted) {
            m_changed = true;
            accept();
        } else if (!deleted.cancelled()) {
            m_context.prompter.Message(deleted.message(), Severity::Warning);
        }
        return;
    }
    const std::string name = m_context.database.NameOfId(m_editor.Record().Id(), false);
    const auto choice = DeleteDialog::Run(this, m_context.month, name);
    if (!choice)
        return;
    const Status removed = m_editor.Delete(*choice);
    if (!removed) {
        if (!removed.cancelled())
            m_context.prompter.Message(removed.message(), Severity::Warning);
        return;
    }
    m_changed = true;
    accept();
}

void PublisherEditorDialog::OnStatus() {
    if (const auto choice = StatusDialog::Run(this, m_editor.MakeStatusChoice()))
        m_editor.ApplyStatus(*choice);
}

void PublisherEditorDialog::OnGroup() {
    if (const auto group = GroupChooserDialog::Run(this, m_context, m_editor.Group())) {
        m_editor.SetGroup(*group);
        ShowState();
    }
}

void PublisherEditorDialog::OnExtension() {
    TakeTexts();
    const ExtensionTexts texts{m_editor.Text(EditorText::LongName), m_editor.Text(EditorText::Email),
                               m_editor.Text(EditorText::Extra)};
    if (const auto entered = ExtensionDialog::Run(this, texts)) {
        m_editor.SetText(EditorText::LongName, entered->longName);
        m_editor.SetText(EditorText::Email, entered->email);
        m_editor.SetText(EditorText::Extra, entered->extra);
        m_ui->emailEdit->setText(ToQt(entered->email));
    }
}

void PublisherEditorDialog::OnPrivileges() {
    TakeTexts();
    if (const auto privileges = PrivilegesDialog::Run(this, m_editor.MakePrivilegesInput())) {
        m_editor.ApplyPrivileges(*privileges);
        ShowBoxes();
        ShowState();
    }
}

void PublisherEditorDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Enter in a field moves on to the next control; on a button it presses the button.
        if (auto* button = qobject_cast<QPushButton*>(focusWidget()))
            button->click();
        else
            focusNextChild();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool PublisherEditorDialog::Run(QWidget* parent, RegistryContext& context, PublisherChooser& chooser,
                                std::optional<int> position, const RegistryHooks& hooks) {
    PublisherEditorDialog dialog(context, chooser, position, hooks, parent);
    dialog.exec();
    return dialog.Changed();
}

} // namespace vardo
