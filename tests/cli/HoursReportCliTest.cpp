// vardo-cli report with the averages and hours kinds: names, --group and --filter, refusals.

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TempDataFolder.h"

namespace vardo {
namespace {

namespace fs = std::filesystem;

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

class HoursReportCli : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_data = new test::TempDir();
        const CliRun demo = Invoke({"--today", "2025-03-03", "demo", (s_data->Path() / "zbor").string()});
        ASSERT_EQ(demo.exitCode, 0) << demo.err;
    }
    static void TearDownTestSuite() {
        delete s_data;
        s_data = nullptr;
    }

    static std::string Quoted(const std::string& arg) {
        std::string quoted = "'";
        for (char c : arg)
            quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return quoted + "'";
    }
    static CliRun Invoke(const std::vector<std::string>& args) {
        static test::TempDir output;
        std::string command = Quoted(VARDO_CLI_PATH);
        for (const std::string& arg : args)
            command += " " + Quoted(arg);
        command += " >" + Quoted((output.Path() / "out").string()) + " 2>" + Quoted((output.Path() / "err").string()) +
                   " </dev/null";
        const int status = std::system(command.c_str());
        CliRun run;
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.out = output.ReadFile("out");
        run.err = output.ReadFile("err");
        return run;
    }
    // `report` on the demo folder with the given arguments and a PDF in the output folder.
    CliRun Report(std::vector<std::string> args) {
        std::vector<std::string> all{"--data", (s_data->Path() / "zbor").string(), "--today", "2025-03-03", "report"};
        all.insert(all.end(), args.begin(), args.end());
        all.push_back("--pdf");
        all.push_back((m_out.Path() / "r.pdf").string());
        return Invoke(all);
    }

    static test::TempDir* s_data;
    test::TempDir m_out;
};

test::TempDir* HoursReportCli::s_data = nullptr;

TEST_F(HoursReportCli, EveryKindAndFilterRendersAPdf) {
    const std::vector<std::vector<std::string>> cases = {
        {"averages"},
        {"averages", "--group", "1"},
        {"averages", "--filter", "pioneers"},
        {"averages", "--filter", "elders"},
        {"averages", "--filter", "servants"},
        {"averages", "--filter", "brothers"},
        {"hours-12"},
        {"hours-12", "--group", "2"},
        {"hours-12", "--filter", "regular"},
        {"hours-12", "--filter", "aux"},
        {"hours-12", "--filter", "elders"},
        {"hours-12", "--filter", "brothers"},
        {"service-year"},
        {"service-year", "--filter", "pioneers"},
        {"service-year", "--filter", "servants"},
        {"pioneer-hours"},
        {"47"},
    };
    for (const auto& args : cases) {
        const CliRun run = Report(args);
        std::string label;
        for (const auto& arg : args)
            label += arg + " ";
        EXPECT_EQ(run.exitCode, 0) << label << run.err;
        EXPECT_NE(run.out.find("page(s)"), std::string::npos) << label;
        EXPECT_GT(fs::file_size(m_out.Path() / "r.pdf"), 1000u) << label;
    }
}

TEST_F(HoursReportCli, CombinationsTheReportDoesNotOfferAreBadUsage) {
    EXPECT_EQ(Report({"averages", "--filter", "aux"}).exitCode, 2);
    EXPECT_EQ(Report({"service-year", "--group", "1"}).exitCode, 2);
    EXPECT_EQ(Report({"service-year", "--filter", "brothers"}).exitCode, 2);
    EXPECT_EQ(Report({"pioneer-hours", "--filter", "elders"}).exitCode, 2);
    EXPECT_EQ(Report({"averages", "--group", "1", "--filter", "elders"}).exitCode, 2);
    const CliRun unknown = Report({"hours-12", "--filter", "sisters"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_NE(unknown.err.find("unknown --filter 'sisters'"), std::string::npos) << unknown.err;
    EXPECT_EQ(Report({"phone", "--filter", "elders"}).exitCode, 2);
}

TEST_F(HoursReportCli, UserCategoryReportNeedsTheCategory) {
    const std::string data = (s_data->Path() / "zbor").string();
    ASSERT_EQ(Invoke({"--data", data, "--today", "2025-03-03", "user-category", "--enable", "no"}).exitCode, 0);
    const CliRun off = Report({"averages", "--filter", "user-category"});
    EXPECT_EQ(off.exitCode, 1);
    EXPECT_NE(off.err.find("user category is switched off"), std::string::npos) << off.err;
    ASSERT_EQ(
        Invoke({"--data", data, "--today", "2025-03-03", "user-category", "--name", "Kierowcy", "--enable", "yes"})
            .exitCode,
        0);
    EXPECT_EQ(Report({"hours-12", "--filter", "user-category"}).exitCode, 0);
}

} // namespace
} // namespace vardo
