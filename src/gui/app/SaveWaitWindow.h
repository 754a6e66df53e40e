#pragma once

#include <memory>

#include <QDialog>

namespace Ui {
class SaveWaitWindow;
}

namespace vardo {

/// The small modeless window shown while the data is saved (or other short work is done); it is painted before the save
/// starts and closes with the object.
class SaveWaitWindow : public QDialog {
    Q_OBJECT

public:
    explicit SaveWaitWindow(QWidget* parent = nullptr);
    /// The same window with another text (the backup dialog's "checking backups").
    SaveWaitWindow(const QString& text, QWidget* parent);
    ~SaveWaitWindow() override;

private:
    std::unique_ptr<Ui::SaveWaitWindow> m_ui;
};

} // namespace vardo
