#include "gui/registry/FamilyDialog.h"

#include "core/platform/Strings.h"
#include "gui/app/QtText.h"
#include "gui/registry/PersonPickerDialog.h"
#include "ui_FamilyDialog.h"

namespace vardo {

FamilyDialog::FamilyDialog(RegistryContext& context, const PublisherRecord& person, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::FamilyDialog>()), m_context(context), m_family(context, person) {
    m_ui->setupUi(this);
    setWindowTitle(ToQt(m_family.Title()));
    m_ui->headLabel->setText(ToQt(m_family.HeadName()));
    m_ui->addButton->setVisible(m_family.Editable());
    m_ui->removeButton->setVisible(m_family.Editable());
    connect(m_ui->addButton, &QPushButton::clicked, this, [this] {
        const auto id = PersonPickerDialog::Run(this, std::string(Str(StrId::FamilyPickerCaption)),
                                                m_family.Candidates(), FamilyPickerLegend());
        if (!id)
            return;
        if (const Status added = m_family.Add(*id); !added)
            m_context.prompter.Message(added.message(), Severity::Warning);
        Fill();
    });
    connect(m_ui->removeButton, &QPushButton::clicked, this, [this] {
        const int row = m_ui->memberList->currentRow();
        if (row < 0 || row >= static_cast<int>(m_members.size()))
            return;
        if (const Status removed = m_family.Remove(m_members[static_cast<std::size_t>(row)].id); !removed)
            m_context.prompter.Message(removed.message(), Severity::Warning);
        Fill();
    });
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QDialog::accept);
    Fill();
}

FamilyDialog::~FamilyDialog() = default;

void FamilyDialog::Fill() {
    m_members = m_family.Members();
    m_ui->memberList->clear();
    for (const PickerItem& member : m_members)
        m_ui->memberList->addItem(ToQt(member.text));
    m_ui->memberList->setCurrentRow(m_members.empty() ? -1 : 0);
    m_ui->removeButton->setEnabled(!m_members.empty());
}

void FamilyDialog::Run(QWidget* parent, RegistryContext& context, const PublisherRecord& person) {
    FamilyDialog dialog(context, person, parent);
    dialog.exec();
}

} // namespace vardo
