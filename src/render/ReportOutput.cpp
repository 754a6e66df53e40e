#include "render/ReportOutput.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <system_error>

#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QString>

#include "render/QPainterCanvas.h"

namespace vardo {
namespace {

QPageSize PaperSize(bool a4) {
    return QPageSize(a4 ? QPageSize::A4 : QPageSize::Letter);
}

QString ToQString(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

} // namespace

Result<int> RenderReportToPdf(const Report& report, const ReportEnvironment& environment,
                              const std::filesystem::path& path, const OutputOptions& options) {
    if (options.dpi <= 0)
        return Result<int>::Fail("Nieprawidłowa rozdzielczość wydruku.");
    InstallFontSubstitutions();
    const ReportEnvironment printing = ForPrinting(environment, options.a4);
    std::error_code error;
    const std::filesystem::path parent = path.parent_path();
    if (!parent.empty() && !std::filesystem::is_directory(parent, error))
        return Result<int>::Fail("Nie mogę utworzyć pliku PDF: " + path.string());
    std::filesystem::remove(path, error);

    QPdfWriter writer(ToQString(path));
    writer.setResolution(options.dpi);
    writer.setPageLayout(QPageLayout(PaperSize(options.a4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    writer.setTitle(QString::fromStdString(options.title));
    writer.setCreator(QStringLiteral("Vardo"));
    QPainter painter;
    if (!painter.begin(&writer))
        return Result<int>::Fail("Nie mogę utworzyć pliku PDF: " + path.string());
    QPainterCanvas canvas(painter, Resolution{options.dpi, options.dpi});
    const PageRun run(report, canvas, printing);
    const int pages = std::max(report.CountPages(canvas, printing), 1);
    for (int page = 1; page <= pages; ++page) {
        if (page > 1 && !writer.newPage()) {
            painter.end();
            return Result<int>::Fail("Nie mogę zapisać pliku PDF: " + path.string());
        }
        DrawReportPage(report, canvas, printing, page);
        if (options.progress)
            options.progress(page, pages);
    }
    if (!painter.end() || !std::filesystem::exists(path, error))
        return Result<int>::Fail("Nie mogę zapisać pliku PDF: " + path.string());
    return pages;
}

Result<std::vector<std::filesystem::path>> RenderReportToPng(const Report& report, const ReportEnvironment& environment,
                                                             const std::filesystem::path& folder,
                                                             const std::string& baseName,
                                                             const OutputOptions& options) {
    using Files = std::vector<std::filesystem::path>;
    if (options.dpi <= 0)
        return Result<Files>::Fail("Nieprawidłowa rozdzielczość wydruku.");
    InstallFontSubstitutions();
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        return Result<Files>::Fail("Nie mogę utworzyć folderu: " + folder.string());
    const ReportEnvironment printing = ForPrinting(environment, options.a4);
    const QSize size = PaperSize(options.a4).sizePixels(options.dpi);
    const int dotsPerMeter = static_cast<int>(options.dpi / 0.0254 + 0.5);

    QImage image(size, QImage::Format_RGB32);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    int pages = 1;
    std::optional<PageRun> run;
    {
        image.fill(Qt::white);
        QPainter painter(&image);
        QPainterCanvas canvas(painter, Resolution{options.dpi, options.dpi});
        run.emplace(report, canvas, printing);
        pages = std::max(report.CountPages(canvas, printing), 1);
    }
    Files files;
    for (int page = 1; page <= pages; ++page) {
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            QPainterCanvas canvas(painter, Resolution{options.dpi, options.dpi});
            DrawReportPage(report, canvas, printing, page);
        }
        char number[16];
        std::snprintf(number, sizeof number, "-%03d.png", page);
        const std::filesystem::path file = folder / (baseName + number);
        if (!image.save(ToQString(file), "PNG"))
            return Result<Files>::Fail("Nie mogę zapisać pliku: " + file.string());
        files.push_back(file);
        if (options.progress)
            options.progress(page, pages);
    }
    return files;
}

struct RenderRuntime::Impl {
    int argc = 1;
    char name[16] = "vardo-cli";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QGuiApplication> application;
};

RenderRuntime::RenderRuntime() : m_impl(std::make_unique<Impl>()) {
    if (QCoreApplication::instance() != nullptr)
        return;
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    m_impl->application = std::make_unique<QGuiApplication>(m_impl->argc, m_impl->argv);
}

RenderRuntime::~RenderRuntime() = default;

} // namespace vardo
