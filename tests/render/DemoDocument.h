#pragma once

// The demo congregation written into a temporary folder and opened as a document, for the tests that print
// its reports to PDF.

#include <gtest/gtest.h>

#include "TempDataFolder.h"
#include "core/doc/CVardoDoc.h"
#include "core/doc/DemoCongregation.h"
#include "core/platform/Clock.h"

namespace vardo::test {

class DemoDocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(WriteDemoCongregation(m_folder, m_clock, DemoOptions{}, m_prompter).ok());
        StartupOptions startup;
        startup.showStartupNote = false;
        ASSERT_TRUE(m_doc.Load(m_folder, m_clock, m_prompter, startup).ok());
    }

    TempDir m_dir;
    const DataFolder m_folder{m_dir.Path() / "zbor"};
    const FixedClock m_clock{Date{2024, 3, 5}};
    ScriptedPrompter m_prompter;
    CVardoDoc m_doc;
};

} // namespace vardo::test
