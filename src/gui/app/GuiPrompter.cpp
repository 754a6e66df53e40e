#include "gui/app/GuiPrompter.h"

#include <QApplication>
#include <QAbstractButton>
#include <QMessageBox>

namespace vardo {
namespace {

QMessageBox::Icon IconOf(Severity severity) {
    switch (severity) {
    case Severity::Information:
        return QMessageBox::Information;
    case Severity::Warning:
        return QMessageBox::Warning;
    case Severity::Error:
        return QMessageBox::Critical;
    case Severity::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton ButtonOf(Answer answer) {
    switch (answer) {
    case Answer::Ok:
        return QMessageBox::Ok;
    case Answer::Cancel:
        return QMessageBox::Cancel;
    case Answer::Yes:
        return QMessageBox::Yes;
    case Answer::No:
        return QMessageBox::No;
    case Answer::Retry:
        return QMessageBox::Retry;
    }
    return QMessageBox::NoButton;
}

QMessageBox::StandardButtons ButtonsOf(Buttons buttons) {
    switch (buttons) {
    case Buttons::Ok:
        return QMessageBox::Ok;
    case Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Buttons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

// Polish captions for the standard buttons, whatever translations are installed.
void LabelButtons(QMessageBox& box) {
    const std::pair<QMessageBox::StandardButton, const char*> labels[] = {
        {QMessageBox::Ok, "OK"},   {QMessageBox::Cancel, "Anuluj"}, {QMessageBox::Yes, "&Tak"},
        {QMessageBox::No, "&Nie"}, {QMessageBox::Retry, "&Ponów"},
    };
    for (const auto& [button, text] : labels)
        if (QAbstractButton* b = box.button(button))
            b->setText(QString::fromUtf8(text));
}

QWidget* ParentFor(QWidget* parent) {
    if (parent)
        return parent;
    return QApplication::activeModalWidget() ? QApplication::activeModalWidget() : QApplication::activeWindow();
}

} // namespace

void GuiPrompter::Message(std::string_view text, Severity severity) {
    QMessageBox box(IconOf(severity), QStringLiteral("Vardo"),
                    QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), QMessageBox::Ok,
                    ParentFor(m_parent));
    LabelButtons(box);
    box.exec();
}

Answer GuiPrompter::Ask(std::string_view text, Buttons buttons, Answer defaultAnswer) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Vardo"),
                    QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), ButtonsOf(buttons),
                    ParentFor(m_parent));
    box.setDefaultButton(ButtonOf(defaultAnswer));
    LabelButtons(box);
    switch (box.exec()) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Retry:
        return Answer::Retry;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        // Escape or the close box: the safe answer of each question.
        return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
}

} // namespace vardo
