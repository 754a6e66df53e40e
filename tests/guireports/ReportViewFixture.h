#pragma once

// A demo congregation opened in a document, with a report view over it.

#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QTimer>

#include <gtest/gtest.h>

#include "TempDataFolder.h"
#include "core/doc/CVardoDoc.h"
#include "core/doc/DemoCongregation.h"
#include "core/platform/Clock.h"
#include "core/platform/Prompter.h"
#include "gui/reports/CVardoView.h"

namespace vardo::test {

/// Runs `action` on the next modal dialog of type T (polled every 10 ms; after five seconds a test failure
/// and the open dialog is rejected).
template <class T>
void OnNextDialog(std::function<void(T&)> action) {
    auto* timer = new QTimer();
    auto waited = std::make_shared<int>(0);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, waited, action] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            action(*dialog);
            return;
        }
        if (++*waited > 500) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "no dialog of type " << T::staticMetaObject.className();
            if (auto* open = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                open->reject();
        }
    });
    timer->start();
}

/// Share of pixels that are not white.
inline double InkShare(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    long long ink = 0;
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            if (qGray(rgb.pixel(x, y)) < 200)
                ++ink;
    return rgb.isNull() ? 0.0 : static_cast<double>(ink) / (static_cast<double>(rgb.width()) * rgb.height());
}

/// Output of a command line, or nullopt when it fails.
inline std::optional<std::string> CommandOutput(const std::string& command) {
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return std::nullopt;
    std::string out;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    return pclose(pipe) == 0 ? std::optional<std::string>(out) : std::nullopt;
}

/// The text of each page of a PDF (pdftotext -layout); nullopt without pdftotext.
inline std::optional<std::vector<std::string>> PdfPages(const std::filesystem::path& pdf) {
    const auto text = CommandOutput("pdftotext -layout '" + pdf.string() + "' - 2>/dev/null");
    if (!text)
        return std::nullopt;
    std::vector<std::string> pages;
    std::size_t start = 0;
    for (std::size_t end = text->find('\f'); end != std::string::npos; end = text->find('\f', start)) {
        pages.push_back(text->substr(start, end - start));
        start = end + 1;
    }
    return pages;
}

class ReportViewTest : public ::testing::Test {
protected:
    void SetUp() override { Open(Demo()); }
    virtual DemoOptions Demo() const { return DemoOptions{}; }

    void Open(const DemoOptions& options) {
        const DataFolder folder(m_dir.Path() / "zbor");
        ASSERT_TRUE(WriteDemoCongregation(folder, m_clock, options, m_prompter).ok());
        StartupOptions startup;
        startup.showStartupNote = false;
        ASSERT_TRUE(m_doc.Load(folder, m_clock, m_prompter, startup).ok());
        m_view = std::make_unique<CVardoView>(m_doc, m_prompter, m_clock);
        m_view->resize(800, 600);
        m_view->LoadReportFonts();
    }

    TempDir m_dir;
    FixedClock m_clock{Date{2024, 3, 10}};
    ScriptedPrompter m_prompter;
    CVardoDoc m_doc;
    std::unique_ptr<CVardoView> m_view;
};

} // namespace vardo::test
