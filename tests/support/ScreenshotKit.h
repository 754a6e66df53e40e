// The pieces every screenshot program shares: reading its arguments, making a demo folder, opening a data
// folder without the start-up note, and grabbing a window into a PNG file. Header-only, for the programs
// under tests/*/screenshots (they link Qt Widgets; the test support library stays Qt-free).
#pragma once

#include <cstdio>
#include <filesystem>
#include <optional>

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QString>
#include <QWidget>

#include "core/doc/CVardoDoc.h"
#include "core/doc/DemoCongregation.h"
#include "core/platform/Clock.h"
#include "core/platform/Prompter.h"

namespace vardo::screenshots {

// How a window is readied before it is grabbed, and whether it stays on screen afterwards.
enum class Fit { Activate, AdjustSize };
enum class After { Keep, Hide };

// Shows `widget`, lets it settle, grabs it into `folder`/`name` and prints "path (WxH)"; a file that cannot
// be written is said on stderr.
inline void Save(QWidget& widget, const QString& folder, const char* name, After after = After::Keep,
                 Fit fit = Fit::Activate) {
    widget.show();
    if (fit == Fit::Activate)
        widget.activateWindow();
    else
        widget.adjustSize();
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    const QString path = QDir(folder).filePath(QString::fromLatin1(name));
    if (!widget.grab().save(path))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    else
        std::printf("%s (%dx%d)\n", qPrintable(path), widget.width(), widget.height());
    if (after == After::Hide)
        widget.hide();
}

inline void SaveAndHide(QWidget& widget, const QString& folder, const char* name) {
    Save(widget, folder, name, After::Hide);
}

inline void SaveAdjusted(QWidget& widget, const QString& folder, const char* name) {
    Save(widget, folder, name, After::Keep, Fit::AdjustSize);
}

// Lets pending events run once and grabs `widget` into `file`; false when the file cannot be written.
inline bool GrabTo(QWidget& widget, const std::filesystem::path& file) {
    QApplication::processEvents();
    return widget.grab().save(QString::fromStdString(file.string()));
}

// The output folder at argv[outIndex] of a program called as `NAME [DIR] OUT_DIR ...`, made when missing;
// nullopt after "Usage: `usage`" on stderr when the arguments stop short of it (exit 2).
inline std::optional<QString> ReadOutFolder(int argc, char** argv, int outIndex, const char* usage) {
    if (argc <= outIndex) {
        std::fprintf(stderr, "Usage: %s\n", usage);
        return std::nullopt;
    }
    QString out = QString::fromLocal8Bit(argv[outIndex]);
    QDir().mkpath(out);
    return out;
}

// The output folder and the day of a program called as `NAME [DATA_DIR] OUT_DIR [YYYY-MM-DD]`.
struct Arguments {
    QString out;
    Date today;
};

// ReadOutFolder and the optional day after the output folder, `fallbackDay` when absent; nullopt also on a
// day that does not parse (exit 2).
inline std::optional<Arguments> ReadArguments(int argc, char** argv, int outIndex, const char* usage,
                                              const char* fallbackDay) {
    std::optional<QString> out = ReadOutFolder(argc, argv, outIndex, usage);
    if (!out)
        return std::nullopt;
    const auto today = Date::Parse(argc > outIndex + 1 ? argv[outIndex + 1] : fallbackDay);
    if (!today)
        return std::nullopt;
    return Arguments{*out, *today};
}

// The output folder of a program called as `NAME OUTPUT_DIR`, made when missing; nullopt after the usage
// line when it is not given (exit 2).
inline std::optional<std::filesystem::path> OutputFolder(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
        return std::nullopt;
    }
    std::filesystem::path out = argv[1];
    std::filesystem::create_directories(out);
    return out;
}

// Writes a demo congregation into `folder`; false after the reason on stderr.
inline bool WriteDemo(const DataFolder& folder, const Clock& clock, Prompter& prompter, DemoOptions options = {}) {
    if (const Status written = WriteDemoCongregation(folder, clock, options, prompter); !written) {
        std::fprintf(stderr, "%s\n", written.message().c_str());
        return false;
    }
    return true;
}

// The demo congregation kept in `out`/zbor, written on the first run only.
inline std::optional<DataFolder> KeptDemo(const std::filesystem::path& out, const Clock& clock, Prompter& prompter) {
    DataFolder folder(out / "zbor");
    if (!std::filesystem::exists(out / "zbor" / "tdat9.bin") && !WriteDemo(folder, clock, prompter))
        return std::nullopt;
    return folder;
}

// Loads `folder` into `doc` as the program does at start-up, without the start-up note.
inline Status LoadQuietly(CVardoDoc& doc, const DataFolder& folder, const Clock& clock, Prompter& prompter) {
    StartupOptions options;
    options.showStartupNote = false;
    return doc.Load(folder, clock, prompter, options);
}

// LoadQuietly on the folder named `path`; false after "cannot open PATH: reason" on stderr.
inline bool Open(CVardoDoc& doc, const char* path, const Clock& clock, Prompter& prompter) {
    if (const Status loaded = LoadQuietly(doc, DataFolder(path), clock, prompter); !loaded) {
        std::fprintf(stderr, "cannot open %s: %s\n", path, loaded.message().c_str());
        return false;
    }
    return true;
}

// What a program over a data folder given on its command line works with, bound in main as
// `auto& [app, out, clock, prompter, doc] = run;`. The application comes first: every widget needs it.
struct FolderRun {
    FolderRun(int& argc, char** argv) : app(argc, argv) {}

    // Reads `NAME [DATA_DIR] OUT_DIR [YYYY-MM-DD]` with the output folder at argv[outIndex]; 0, or the exit
    // code (2) after the usage line or on a bad day.
    int Read(int argc, char** argv, int outIndex, const char* usage, const char* fallbackDay) {
        const auto args = ReadArguments(argc, argv, outIndex, usage, fallbackDay);
        if (!args)
            return 2;
        out = args->out;
        clock = FixedClock(args->today);
        return 0;
    }

    // Read for `NAME DATA_DIR OUT_DIR [YYYY-MM-DD]`, then the data folder opened into `doc`; 0, or the exit code
    // (2 bad usage, 1 the folder did not open, said on stderr).
    int Open(int argc, char** argv, const char* usage, const char* fallbackDay) {
        if (const int failed = Read(argc, argv, 2, usage, fallbackDay))
            return failed;
        return screenshots::Open(doc, argv[1], clock, prompter) ? 0 : 1;
    }

    QApplication app;
    QString out;
    FixedClock clock{Date{2024, 1, 1}};
    ScriptedPrompter prompter;
    CVardoDoc doc;
};

// What a program over the demo congregation kept in its output folder works with, bound in main as
// `auto& [app, out, clock, prompter, folder, doc] = run;`.
struct DemoRun {
    DemoRun(int& argc, char** argv, const Date& today) : app(argc, argv), clock(today) {}

    // Reads `NAME OUTPUT_DIR` and writes the demo congregation there on the first run; 0, or the exit code
    // (2 bad usage, 1 the demo could not be written).
    int Prepare(int argc, char** argv) {
        const auto output = OutputFolder(argc, argv);
        if (!output)
            return 2;
        out = *output;
        const auto demo = KeptDemo(out, clock, prompter);
        if (!demo)
            return 1;
        folder = *demo;
        return 0;
    }

    // Prepare, then the demo loaded into `doc` without the start-up note; 1 when it does not load.
    int Start(int argc, char** argv) {
        if (const int failed = Prepare(argc, argv))
            return failed;
        return LoadQuietly(doc, folder, clock, prompter).ok() ? 0 : 1;
    }

    QApplication app;
    std::filesystem::path out;
    FixedClock clock;
    ScriptedPrompter prompter;
    DataFolder folder;
    CVardoDoc doc;
};

} // namespace vardo::screenshots
