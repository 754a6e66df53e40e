#include "gui/reports/CardPdfExport.h"

#include <algorithm>

#include <QDir>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include "core/platform/Strings.h"
#include "gui/app/QtText.h"
#include "render/QPainterCanvas.h"

namespace vardo {

Result<int> WritePdfFile(const Report& report, const ReportEnvironment& environment, const std::filesystem::path& path,
                         const PdfRun& run) {
    InstallFontSubstitutions();
    const QString name = QString::fromStdString(path.string());
    const std::string failure = FormatArgs(Str(StrId::CannotCreateFile), {path.string()});
    if (!path.parent_path().empty() && !QDir().mkpath(QString::fromStdString(path.parent_path().string())))
        return Result<int>::Fail(Failure::Io, failure);
    // The pages go to a temporary file beside the target; only a finished run replaces the target.
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly))
        return Result<int>::Fail(Failure::Io, failure);
    const ReportEnvironment printing = ForPrinting(environment, run.a4);
    int pages = 0;
    bool stopped = false;
    bool failed = false;
    {
        QPdfWriter writer(&file);
        writer.setResolution(run.dpi);
        writer.setPageLayout(QPageLayout(QPageSize(run.a4 ? QPageSize::A4 : QPageSize::Letter), QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0)));
        writer.setTitle(ToQt(run.title));
        writer.setCreator(QStringLiteral("Vardo"));
        QPainter painter;
        if (!painter.begin(&writer)) {
            file.cancelWriting();
            return Result<int>::Fail(Failure::Io, failure);
        }
        QPainterCanvas canvas(painter, Resolution{run.dpi, run.dpi});
        const PageRun pageRun(report, canvas, printing);
        pages = std::max(report.CountPages(canvas, printing), 1);
        for (int page = 1; page <= pages; ++page) {
            if (page > 1 && !writer.newPage()) {
                failed = true;
                break;
            }
            DrawReportPage(report, canvas, printing, page);
            if (run.progress && !run.progress(page, pages)) {
                stopped = true;
                break;
            }
        }
        painter.end();
    }
    if (stopped || failed) {
        file.cancelWriting();
        if (stopped)
            return Result<int>::Fail(Failure::Cancelled, std::string(Str(StrId::CardsPdfCancelled)));
        return Result<int>::Fail(Failure::Io, failure);
    }
    if (!file.commit())
        return Result<int>::Fail(Failure::Io, failure);
    return pages;
}

} // namespace vardo
