// vardo: the desktop program.

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include <QApplication>
#include <QStringList>

#include "core/doc/CVardoDoc.h"
#include "core/platform/Clock.h"
#include "core/platform/DataFolder.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandSet.h"
#include "gui/app/GuiPrompter.h"
#include "gui/app/SingleInstance.h"
#include "gui/exchange/ExchangeCommands.h"
#include "gui/reports/CVardoView.h"

namespace {

struct Options {
    std::filesystem::path dataFolder;
    std::optional<vardo::Date> today;
    bool showHelp = false;
    bool showVersion = false;
};

// Also the source of the manual page vardo(1): cmake/help-to-man.sh turns "Usage:" into the synopsis and every
// "Title:" block into a section of two-column entries.
constexpr char kUsage[] = "Usage: vardo [DIR | --data DIR] [--today YYYY-MM-DD]\n\n"
                          "Options:\n"
                          "  DIR, --data DIR       the data folder (default: the current directory)\n"
                          "  --today YYYY-MM-DD    take this date as today\n"
                          "  --help                show this help\n"
                          "  --version             show the version\n";

// Parses the arguments; nullopt (after a message) for bad usage.
std::optional<Options> ParseArguments(const QStringList& args) {
    Options options;
    std::optional<QString> folder;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            options.showHelp = true;
            return options;
        }
        if (arg == QLatin1String("--version")) {
            options.showVersion = true;
            return options;
        }
        if (arg == QLatin1String("--data") || arg == QLatin1String("--today")) {
            if (i + 1 >= args.size()) {
                std::fprintf(stderr, "vardo: %s needs a value\n", qPrintable(arg));
                return std::nullopt;
            }
            const QString value = args[++i];
            if (arg == QLatin1String("--data")) {
                folder = value;
            } else {
                options.today = vardo::Date::Parse(value.toStdString());
                if (!options.today) {
                    std::fprintf(stderr, "vardo: --today needs a date as YYYY-MM-DD\n");
                    return std::nullopt;
                }
            }
        } else if (arg.startsWith(QLatin1String("--"))) {
            std::fprintf(stderr, "vardo: unknown option %s\n%s", qPrintable(arg), kUsage);
            return std::nullopt;
        } else if (!folder) {
            folder = arg;
        } else {
            std::fprintf(stderr, "vardo: more than one data folder given\n");
            return std::nullopt;
        }
    }
    std::error_code error;
    const std::filesystem::path path =
        folder ? std::filesystem::path(folder->toStdString()) : std::filesystem::current_path(error);
    options.dataFolder = std::filesystem::absolute(path, error);
    if (error)
        options.dataFolder = path;
    return options;
}

} // namespace

int main(int argc, char** argv) {
    // The arguments are read before Qt starts, so that --help and bad usage need no display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const auto options = ParseArguments(arguments);
    if (!options)
        return 2;
    if (options->showHelp) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (options->showVersion) {
        std::printf("vardo %s\n", VARDO_VERSION);
        return 0;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vardo"));
    QApplication::setApplicationVersion(QStringLiteral(VARDO_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("vardo"));

    // A second start only brings the running program to the front.
    vardo::SingleInstance instance(vardo::SingleInstance::ServerName());
    if (instance.RaiseRunningInstance())
        return 0;
    instance.Listen();

    vardo::GuiPrompter prompter;
    vardo::CVardoDoc doc;
    vardo::CMainFrame frame(doc, prompter);
    prompter.SetParent(&frame);
    QObject::connect(&instance, &vardo::SingleInstance::RaiseRequested, &frame, [&frame] {
        if (frame.isMinimized())
            frame.showNormal();
        frame.show();
        frame.raise();
        frame.activateWindow();
    });

    vardo::SystemClock systemClock;
    std::optional<vardo::FixedClock> fixedClock;
    if (options->today)
        fixedClock.emplace(*options->today);
    const vardo::Clock& clock = fixedClock ? static_cast<const vardo::Clock&>(*fixedClock) : systemClock;

    vardo::CVardoView view(doc, prompter, clock, &frame);
    frame.AttachView(view);
    vardo::RegisterEveryCommand(frame, doc, prompter, clock, view);

    // Messages of the start-up come before the window shows.
    prompter.SetParent(nullptr);
    if (!frame.OpenDocument(vardo::DataFolder(options->dataFolder), clock))
        return 1;
    vardo::CleanUpExportsAtStartup(nullptr, doc, prompter);
    prompter.SetParent(&frame);
    view.LoadReportFonts();
    frame.UpdateCommands();
    frame.show();
    return QApplication::exec();
}
