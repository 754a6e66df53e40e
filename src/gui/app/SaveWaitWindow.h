#pragma once

#include <memory>

#include <QDialog>

namespace Ui {
class SaveWaitWindow;
}

namespace vardo {

/// The small modeless window shown while the data is saved; it is painted before the save starts and
/// closes with the object.
class SaveWaitWindow : public QDialog {
    Q_OBJECT

public:
    explicit SaveWaitWindow(QWidget* parent = nullptr);
    ~SaveWaitWindow() override;

private:
    std::unique_ptr<Ui::SaveWaitWindow> m_ui;
};

} // namespace vardo
