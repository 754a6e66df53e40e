#pragma once

#include <memory>
#include <optional>
#include <string>

#include <QDialog>

namespace Ui {
class ExtensionDialog;
}

namespace vardo {

/// The texts of a person's extension record.
struct ExtensionTexts {
    std::string longName;
    std::string email;
    std::string extra;
};

/// The dialog of the long name, the e-mail address and the additional electronic contact.
class ExtensionDialog : public QDialog {
    Q_OBJECT

public:
    ExtensionDialog(const ExtensionTexts& texts, QWidget* parent = nullptr);
    ~ExtensionDialog() override;

    /// The texts entered, or nullopt on Cancel.
    static std::optional<ExtensionTexts> Run(QWidget* parent, const ExtensionTexts& texts);

    ExtensionTexts Texts() const;
    Ui::ExtensionDialog& Widgets() { return *m_ui; }

private:
    std::unique_ptr<Ui::ExtensionDialog> m_ui;
};

} // namespace vardo
