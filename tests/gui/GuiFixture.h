#pragma once

// A document opened on a temporary data folder with a pinned date and scripted answers.

#include <string_view>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "GuiTestSupport.h"
#include "Persons.h"
#include "TempDataFolder.h"
#include "core/doc/CVardoDoc.h"
#include "core/platform/Clock.h"
#include "core/platform/Prompter.h"

namespace vardo::test {

class DocumentTest : public TempDataFolderTest {
protected:
    /// Opens the document (today 2024-03-10: working month February 2024) without the start-up note.
    void Open() {
        StartupOptions options;
        options.showStartupNote = false;
        const Status loaded = m_doc.Load(m_folder, m_clock, m_prompter, options);
        ASSERT_TRUE(loaded) << loaded.message();
    }

    /// Adds a person straight into the register (sorted, index rebuilt, modified flag left as it was).
    PublisherId AddPerson(std::string_view first, std::string_view last,
                          PublisherCategory category = PublisherCategory::Publisher) {
        return test::AddPersonTo(m_doc.Database(), first, last, m_prompter, category);
    }

    PublisherRecord& Person(PublisherId id) { return *m_doc.Database().FindById(id); }

    /// Types into a line edit as a user would (every key goes through the edit's signals).
    static void Type(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        TypeText(edit, text);
    }

    FixedClock m_clock{Date{2024, 3, 10}};
    ScriptedPrompter m_prompter;
    CVardoDoc m_doc;
};

} // namespace vardo::test
