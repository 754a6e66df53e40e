#pragma once

#include <QPointer>
#include <QWidget>

#include "core/platform/Prompter.h"

namespace vardo {

/// The desktop's Prompter: modal message boxes over a parent window, titled "Vardo".
class GuiPrompter final : public Prompter {
public:
    explicit GuiPrompter(QWidget* parent = nullptr) : m_parent(parent) {}

    void SetParent(QWidget* parent) { m_parent = parent; }

    void Message(std::string_view text, Severity severity = Severity::Information) override;
    Answer Ask(std::string_view text, Buttons buttons, Answer defaultAnswer) override;

private:
    QPointer<QWidget> m_parent;
};

} // namespace vardo
