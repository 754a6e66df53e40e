#include "gui/reporting/AttendanceDialog.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "core/doc/CVardoDoc.h"
#include "core/platform/Strings.h"
#include "gui/app/QtText.h"
#include "ui_AttendanceDialog.h"

namespace vardo {
namespace {

MeetingKind KindOf(int field) {
    return field < 5 ? MeetingKind::Midweek : MeetingKind::Weekend;
}

} // namespace

AttendanceDialog::AttendanceDialog(CVardoDoc& doc, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::AttendanceDialog>()),
      m_presenter(doc.Side().attendance, doc.Changes(), doc.GetWorkingMonth()) {
    m_ui->setupUi(this);
    m_fields = {m_ui->edit165, m_ui->edit166, m_ui->edit167, m_ui->edit168, m_ui->edit169,
                m_ui->edit172, m_ui->edit174, m_ui->edit176, m_ui->edit177, m_ui->edit178};
    for (int field = 0; field < kWeekFieldCount; ++field) {
        QLineEdit* edit = WeekField(field);
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textChanged, this, [this, field](const QString& text) {
            if (m_filling)
                return;
            m_presenter.SetWeek(KindOf(field), field % 5, WeekFieldValue(ToUtf8(text)));
            ShowFigures();
        });
    }
    m_ui->boxMidweek->setTitle(QStringLiteral(" %1 ").arg(ToQt(Str(StrId::MidweekMeeting))));
    m_ui->boxWeekend->setTitle(QStringLiteral(" %1 ").arg(ToQt(Str(StrId::WeekendMeeting))));

    for (const int year : m_presenter.Years())
        m_ui->list1060->addItem(QString::number(year));
    m_ui->list1060->setCurrentRow(m_presenter.SelectedYearRow());
    m_ui->check1126->setVisible(m_presenter.NextMonthOffered());
    m_ui->check1126->setText(ToQt(m_presenter.NextMonthText()));
    FillMonths();

    connect(m_ui->list1060, &QListWidget::currentRowChanged, this, [this](int row) {
        if (m_filling || row < 0)
            return;
        m_presenter.SelectYear(row);
        FillMonths();
    });
    connect(m_ui->list175, &QListWidget::currentRowChanged, this, [this](int row) {
        if (m_filling || row < 0)
            return;
        m_presenter.SelectMonth(row);
        ShowMonth();
    });
    connect(m_ui->check1126, &QCheckBox::toggled, this, [this](bool on) {
        m_presenter.SetNextMonth(on);
        m_ui->list1060->setVisible(!on);
        m_ui->list175->setVisible(!on);
        ShowMonth();
    });
    connect(m_ui->button1, &QPushButton::clicked, this, &QDialog::accept);
    Focus(0);
}

AttendanceDialog::~AttendanceDialog() = default;

void AttendanceDialog::Run(QWidget* parent, CVardoDoc& doc) {
    AttendanceDialog dialog(doc, parent);
    dialog.exec();
}

void AttendanceDialog::done(int result) {
    // "Gotowe" and Escape alike keep what was typed.
    m_presenter.Store();
    QDialog::done(result);
}

void AttendanceDialog::FillMonths() {
    m_filling = true;
    m_ui->list175->clear();
    for (const MonthIndex month : m_presenter.Months())
        m_ui->list175->addItem(ToQt(MonthName(month)));
    m_ui->list175->setCurrentRow(m_presenter.SelectedMonthRow());
    m_filling = false;
    ShowMonth();
}

void AttendanceDialog::ShowMonth() {
    m_filling = true;
    for (int field = 0; field < kWeekFieldCount; ++field) {
        const std::uint16_t value = m_presenter.Weeks(KindOf(field))[static_cast<std::size_t>(field % 5)];
        WeekField(field)->setText(QString::number(value));
    }
    m_filling = false;
    setWindowTitle(ToQt(m_presenter.Caption()));
    ShowFigures();
}

void AttendanceDialog::ShowFigures() {
    const MeetingFigures midweek = m_presenter.Figures(MeetingKind::Midweek);
    const MeetingFigures weekend = m_presenter.Figures(MeetingKind::Weekend);
    m_ui->edit170->setText(QString::number(midweek.total));
    m_ui->edit173->setText(QString::number(midweek.average));
    m_ui->edit179->setText(QString::number(weekend.total));
    m_ui->edit180->setText(QString::number(weekend.average));
}

void AttendanceDialog::Focus(int field) {
    QLineEdit* edit = WeekField(field);
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}

int AttendanceDialog::FieldOf(QObject* object) const {
    for (int field = 0; field < kWeekFieldCount; ++field)
        if (m_fields[static_cast<std::size_t>(field)] == object)
            return field;
    return -1;
}

bool AttendanceDialog::eventFilter(QObject* watched, QEvent* event) {
    const int field = FieldOf(watched);
    if (field < 0 || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    QLineEdit* edit = WeekField(field);
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        ShowFigures();
        Focus(NextWeekFieldOnEnter(field));
        return true;
    case Qt::Key_Down:
        Focus(WeekFieldBelow(field));
        return true;
    case Qt::Key_Up:
        Focus(WeekFieldAbove(field));
        return true;
    default:
        break;
    }
    const QString text = key->text();
    if (text.size() != 1 || !text.at(0).isPrint() ||
        key->modifiers().testAnyFlags(Qt::ControlModifier | Qt::AltModifier))
        return QDialog::eventFilter(watched, event);
    const char typed = text.at(0).unicode() < 128 ? static_cast<char>(text.at(0).unicode()) : '\0';
    switch (ClassifyWeekKey(ToUtf8(edit->text()), typed)) {
    case WeekKey::Insert:
        return false;
    case WeekKey::RestartWithDigit:
        edit->setText(text);
        return true;
    case WeekKey::ZeroSelected:
        edit->setText(QStringLiteral("0"));
        edit->selectAll();
        return true;
    case WeekKey::Ignore:
        return true;
    }
    return true;
}

} // namespace vardo
