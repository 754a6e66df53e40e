// The pieces the benchmarks over a demo data folder share: writing the folder and loading it as the program
// does at start-up, without the start-up note.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>
#include <utility>

#include <unistd.h>

#include "core/doc/CVardoDoc.h"
#include "core/doc/DemoCongregation.h"
#include "core/platform/Clock.h"
#include "core/platform/Prompter.h"

namespace vardo::bench {

inline StartupOptions Quiet() {
    StartupOptions options;
    options.showStartupNote = false;
    return options;
}

// Writes a demo congregation of `people` persons into `path`, emptied first; false when it cannot be written.
inline bool WriteDemoFolder(const std::filesystem::path& path, int people, const Clock& clock, Prompter& prompter) {
    std::filesystem::remove_all(path);
    DemoOptions options;
    options.people = people;
    return WriteDemoCongregation(DataFolder(path), clock, options, prompter).ok();
}

// The folder `prefix` and the process id in the temporary folder, so that runs side by side do not meet.
inline std::filesystem::path ProcessTempFolder(const std::string& prefix) {
    return std::filesystem::temp_directory_path() / (prefix + std::to_string(::getpid()));
}

// A demo folder of `people` persons in ProcessTempFolder(prefix); the run is aborted when it cannot be written.
inline std::filesystem::path MakeDemoFolder(const std::string& prefix, int people, const Date& today) {
    const std::filesystem::path path = ProcessTempFolder(prefix);
    ScriptedPrompter prompter;
    if (!WriteDemoFolder(path, people, FixedClock(today), prompter))
        std::abort();
    return path;
}

// A demo folder written at `path` and loaded, removed again at the end; throws when either step fails.
class LoadedDemo {
public:
    LoadedDemo(std::filesystem::path path, int people, const Date& today) : m_path(std::move(path)), m_clock(today) {
        if (!WriteDemoFolder(m_path, people, m_clock, m_prompter))
            throw std::runtime_error("demo folder");
        if (!m_doc.Load(DataFolder(m_path), m_clock, m_prompter, Quiet()))
            throw std::runtime_error("load");
    }
    ~LoadedDemo() {
        m_doc.Close();
        std::error_code error;
        std::filesystem::remove_all(m_path, error);
    }
    LoadedDemo(const LoadedDemo&) = delete;
    LoadedDemo& operator=(const LoadedDemo&) = delete;

    CVardoDoc& Doc() { return m_doc; }
    const CVardoDoc& Doc() const { return m_doc; }
    Prompter& Prompts() { return m_prompter; }
    const Clock& Today() const { return m_clock; }

private:
    std::filesystem::path m_path;
    FixedClock m_clock;
    ScriptedPrompter m_prompter;
    CVardoDoc m_doc;
};

} // namespace vardo::bench
