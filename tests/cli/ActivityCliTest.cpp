// vardo-cli activity and the statistics and activity report kinds, run on a demo folder.

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>

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

std::string Quote(const std::string& arg) {
    std::string quoted = "'";
    for (char c : arg)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

int Count(const std::string& text, const std::string& part) {
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++count;
    return count;
}

class ActivityCli : public test::TempDataFolderTest {
protected:
    void SetUp() override {
        const CliRun demo = Cli({"--today", "2024-03-03", "demo", m_dir.Path().string(), "--people", "40"});
        ASSERT_EQ(demo.exitCode, 0) << demo.err;
    }
    CliRun Cli(const std::vector<std::string>& args) {
        std::string command = Quote(VARDO_CLI_PATH);
        for (const std::string& arg : args)
            command += " " + Quote(arg);
        command += " >" + Quote((m_output.Path() / "out").string()) + " 2>" +
                   Quote((m_output.Path() / "err").string()) + " </dev/null";
        const int status = std::system(command.c_str());
        CliRun run;
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.out = m_output.ReadFile("out");
        run.err = m_output.ReadFile("err");
        return run;
    }
    // On the demo folder, working month February 2024.
    CliRun OnDemo(std::vector<std::string> args) {
        args.insert(args.begin(), {"--data", m_dir.Path().string(), "--today", "2024-03-03"});
        return Cli(args);
    }
    std::string Output(const std::string& name) const { return (m_output.Path() / name).string(); }

    test::TempDir m_output;
};

TEST_F(ActivityCli, JsonHasTwelveMonthsOldestFirstWithSumsAndAverages) {
    const CliRun run = OnDemo({"activity", "--json"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(run.out.starts_with("{\"months\": [{\"month\": \"2023-03\", \"participated\": ")) << run.out;
    EXPECT_EQ(Count(run.out, "{\"month\": "), 12);
    EXPECT_LT(run.out.find("\"2023-12\""), run.out.find("\"2024-01\""));
    EXPECT_NE(run.out.find("{\"month\": \"2024-02\", \"participated\": "), std::string::npos);
    EXPECT_NE(run.out.find("], \"sums\": {\"participated\": "), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("}, \"averages\": {\"participated\": "), std::string::npos) << run.out;
    EXPECT_EQ(Count(run.out, "null"), 0) << run.out;
    EXPECT_TRUE(run.out.ends_with("}}\n"));

    // The studies' average is the sum over twelve months.
    const std::size_t sums = run.out.find("\"sums\": ");
    const int studies = std::atoi(run.out.c_str() + run.out.find("\"studies\": ", sums) + 11);
    const std::size_t averages = run.out.find("\"averages\": ");
    const double average = std::atof(run.out.c_str() + run.out.find("\"studies\": ", averages) + 11);
    EXPECT_GT(studies, 0);
    EXPECT_NEAR(average, studies / 12.0, 0.051);
}

TEST_F(ActivityCli, PublishersHaveNoHoursAndThePeriodEmptiesOlderMonths) {
    const CliRun publishers = OnDemo({"activity", "--category", "publishers", "--json"});
    ASSERT_EQ(publishers.exitCode, 0) << publishers.err;
    EXPECT_EQ(Count(publishers.out, "\"hours\": null"), 14); // twelve months, the sum and the average
    const CliRun six = OnDemo({"activity", "--period", "six", "--source", "branch", "--json"});
    ASSERT_EQ(six.exitCode, 0) << six.err;
    EXPECT_NE(six.out.find("{\"month\": \"2023-08\", \"participated\": null, \"studies\": null, \"hours\": null}"),
              std::string::npos)
        << six.out;
    EXPECT_EQ(six.out.find("{\"month\": \"2023-09\", \"participated\": null"), std::string::npos) << six.out;
}

TEST_F(ActivityCli, TableLinesAndBadOptions) {
    const CliRun lines = OnDemo({"activity", "--category", "2"});
    ASSERT_EQ(lines.exitCode, 0) << lines.err;
    std::istringstream in(lines.out);
    std::vector<std::string> rows;
    for (std::string line; std::getline(in, line);)
        rows.push_back(line);
    ASSERT_EQ(rows.size(), 16u) << lines.out;
    EXPECT_EQ(rows[0], "month\tparticipated\tstudies\thours");
    EXPECT_TRUE(rows[1].starts_with("2023-03\t"));
    EXPECT_TRUE(rows[13].starts_with("sums\t"));
    EXPECT_TRUE(rows[14].starts_with("averages\t"));
    EXPECT_EQ(rows[15], "# Sum/śred. dla 12 ost. mies. (12)");

    const CliRun badSource = OnDemo({"activity", "--source", "office"});
    EXPECT_EQ(badSource.exitCode, 2);
    EXPECT_NE(badSource.err.find("--source takes register|branch"), std::string::npos) << badSource.err;
    EXPECT_EQ(OnDemo({"activity", "--category"}).exitCode, 2);
    EXPECT_EQ(OnDemo({"activity", "--json", "extra"}).exitCode, 2);
}

TEST_F(ActivityCli, StatisticsAndActivityRenderToPdfAndPng) {
    const CliRun statistics = OnDemo({"report", "statistics", "--dates", "--pdf", Output("s.pdf")});
    ASSERT_EQ(statistics.exitCode, 0) << statistics.err;
    EXPECT_EQ(statistics.out, Output("s.pdf") + ": 1 page(s)\n");
    EXPECT_GT(fs::file_size(Output("s.pdf")), 1000u);
    EXPECT_EQ(OnDemo({"report", "20", "--pdf", Output("s20.pdf")}).exitCode, 0);

    const CliRun activity = OnDemo({"report", "--pdf", Output("a.pdf"), "activity", "--chart", "studies"});
    ASSERT_EQ(activity.exitCode, 0) << activity.err;
    EXPECT_GT(fs::file_size(Output("a.pdf")), 1000u);
    const CliRun png = OnDemo({"report", "activity", "--source", "branch", "--png", Output("png"), "--dpi", "60"});
    ASSERT_EQ(png.exitCode, 0) << png.err;
    EXPECT_TRUE(fs::exists(Output("png/activity-001.png"))) << png.out;

    EXPECT_EQ(OnDemo({"report", "activity", "--chart", "visits", "--pdf", Output("x.pdf")}).exitCode, 2);
    EXPECT_EQ(OnDemo({"report", "activity"}).exitCode, 2);
    EXPECT_EQ(OnDemo({"report", "activity", "--pdf", Output("x.pdf"), "--png", Output("x")}).exitCode, 2);
}

} // namespace
} // namespace vardo
