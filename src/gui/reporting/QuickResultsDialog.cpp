#include "gui/reporting/QuickResultsDialog.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "core/platform/Strings.h"
#include "gui/app/QtText.h"
#include "ui_QuickResultsDialog.h"

namespace vardo {

QuickResultsDialog::QuickResultsDialog(QuickResultsPresenter presenter, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::QuickResultsDialog>()), m_presenter(std::move(presenter)) {
    m_ui->setupUi(this);
    setWindowTitle(ToQt(Str(StrId::QuickResultsTitle)));
    m_ui->closeButton->setText(ToQt(Str(StrId::Close)));
    m_ui->personsList->setHeaderLabels({ToQt(Str(StrId::StatusColumnName)), ToQt(Str(StrId::StatusColumnReason))});
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QDialog::reject);
    BuildBoxes();
    ShowPersons();
}

QuickResultsDialog::~QuickResultsDialog() = default;

void QuickResultsDialog::Run(QWidget* parent, QuickResultsPresenter presenter) {
    QuickResultsDialog dialog(std::move(presenter), parent);
    dialog.exec();
}

QPushButton* QuickResultsDialog::FigureButton(int index) const {
    return index >= 0 && index < static_cast<int>(m_figureButtons.size())
               ? m_figureButtons[static_cast<std::size_t>(index)]
               : nullptr;
}

void QuickResultsDialog::BuildBoxes() {
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    m_figureButtons.assign(m_presenter.Figures().size(), nullptr);
    const std::vector<std::string> boxes = m_presenter.Boxes();
    for (std::size_t b = 0; b < boxes.size(); ++b) {
        auto* box = new QGroupBox(ToQt(boxes[b]), this);
        box->setObjectName(QStringLiteral("box%1").arg(b));
        auto* grid = new QGridLayout(box);
        int row = 0;
        for (const int index : m_presenter.FiguresOf(boxes[b])) {
            const QuickFigure& figure = m_presenter.Figures()[static_cast<std::size_t>(index)];
            grid->addWidget(new QLabel(ToQt(figure.label), box), row, 0);
            auto* value = new QPushButton(ToQt(figure.value.empty() ? std::string("—") : figure.value), box);
            value->setObjectName(QStringLiteral("figure%1").arg(index));
            value->setFlat(true);
            value->setFont(fixed);
            value->setEnabled(m_presenter.CanOpen(index));
            value->setToolTip(ToQt(Str(StrId::QuickClickHint)));
            connect(value, &QPushButton::clicked, this, [this, index] { OpenFigure(index); });
            grid->addWidget(value, row, 1);
            m_figureButtons[static_cast<std::size_t>(index)] = value;
            ++row;
        }
        // The month box on the left, the period boxes and the needs box on the right of it.
        m_ui->boxesLayout->addWidget(box, b == 0 ? 0 : static_cast<int>(b) - 1, b == 0 ? 0 : 1,
                                     b == 0 ? static_cast<int>(std::max<std::size_t>(boxes.size() - 1, 1)) : 1, 1);
    }
}

void QuickResultsDialog::OpenFigure(int index) {
    if (!m_presenter.Open(index))
        return;
    for (std::size_t i = 0; i < m_figureButtons.size(); ++i)
        if (m_figureButtons[i] != nullptr) {
            QFont font = m_figureButtons[i]->font();
            font.setBold(static_cast<int>(i) == index);
            m_figureButtons[i]->setFont(font);
        }
    ShowPersons();
}

void QuickResultsDialog::ShowPersons() {
    m_ui->personsList->clear();
    if (m_presenter.Opened() < 0) {
        m_ui->personsTitle->setText(ToQt(Str(StrId::QuickClickHint)));
        return;
    }
    m_ui->personsTitle->setText(ToQt(m_presenter.OpenedTitle()));
    for (const StatusLine& person : m_presenter.Persons()) {
        auto* item = new QTreeWidgetItem(m_ui->personsList, {ToQt(person.name), ToQt(person.reason)});
        item->setToolTip(1, ToQt(person.reason));
    }
    m_ui->personsList->resizeColumnToContents(0);
}

} // namespace vardo
