#pragma once

#include <memory>
#include <optional>
#include <vector>

#include <QDialog>

#include "core/registry/PublisherEditor.h"
#include "gui/registry/RegistryHooks.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace Ui {
class PublisherEditorDialog;
}

namespace vardo {

/// Dialog "Informacje o głosicielu": the publisher editor.
class PublisherEditorDialog : public QDialog {
    Q_OBJECT

public:
    /// Opens on the chooser's person at `position`, or on a new person when nullopt.
    PublisherEditorDialog(RegistryContext& context, PublisherChooser& chooser, std::optional<int> position,
                          const RegistryHooks& hooks = {}, QWidget* parent = nullptr);
    ~PublisherEditorDialog() override;

    /// Runs the editor modally; true when something was stored or removed.
    static bool Run(QWidget* parent, RegistryContext& context, PublisherChooser& chooser, std::optional<int> position,
                    const RegistryHooks& hooks = {});

    PublisherEditor& Editor() { return m_editor; }
    Ui::PublisherEditorDialog& Widgets() { return *m_ui; }
    /// Something was stored or removed while the dialog was open.
    bool Changed() const { return m_changed; }

    /// The buttons' actions (also reached through the buttons).
    void OnOk();
    void OnMove(int step);
    void OnCopy();
    void OnDelete();
    void OnStatus();
    void OnGroup();
    void OnExtension();
    void OnPrivileges();
    /// The interested-person mode's "Wybierz prowadzącego studium Biblii".
    void OnChooseConductor();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct TextBinding {
        QLineEdit* edit;
        EditorText field;
    };
    struct BoxBinding {
        QCheckBox* box;
        EditorBox value;
    };

    void Bind();
    void ShowInterestedMode();
    void ShowAll();
    void ShowBoxes();
    void ShowState();
    void TakeTexts();
    /// Runs the status dialog first for a new person, then stores. True when stored.
    bool StoreWithStatus();

    std::unique_ptr<Ui::PublisherEditorDialog> m_ui;
    QLabel* m_statusLine = nullptr; ///< where the person stands and why
    RegistryContext& m_context;
    PublisherChooser& m_chooser;
    PublisherEditor m_editor;
    RegistryHooks m_hooks;
    std::vector<TextBinding> m_texts;
    std::vector<BoxBinding> m_boxes;
    bool m_changed = false;
};

} // namespace vardo
