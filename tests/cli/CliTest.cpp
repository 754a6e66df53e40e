#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include "TempDataFolder.h"

namespace vardo {
namespace {

namespace fs = std::filesystem;

struct Outcome {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string Quoted(const std::string& arg) {
    std::string quoted = "'";
    for (char c : arg)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

class VardoCli : public test::TempDataFolderTest {
protected:
    // Runs vardo-cli with the data folder of the fixture given first and a fixed date.
    Outcome Invoke(std::initializer_list<std::string> args) {
        std::string command = Quoted(VARDO_CLI_PATH);
        for (const std::string& arg : args)
            command += " " + Quoted(arg);
        command += " >" + Quoted((m_output.Path() / "out").string()) + " 2>" +
                   Quoted((m_output.Path() / "err").string()) + " </dev/null";
        const int status = std::system(command.c_str());
        Outcome run;
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.out = m_output.ReadFile("out");
        run.err = m_output.ReadFile("err");
        return run;
    }
    std::string Data() const { return m_dir.Path().string(); }

    // A data folder with the demo congregation, working month February 2024.
    void MakeDemo() {
        const Outcome demo = Invoke({"--today", "2024-03-03", "demo", Data(), "--people", "12"});
        ASSERT_EQ(demo.exitCode, 0) << demo.err;
    }

    test::TempDir m_output;
};

TEST_F(VardoCli, AnswersAndPasswordAreGlobalOptionsOfEveryCommand) {
    MakeDemo();
    for (const char* command : {"info", "list", "dump", "resave"}) {
        const Outcome yes = Invoke({"--yes", "--data", Data(), "--today", "2024-03-03", command});
        EXPECT_EQ(yes.exitCode, 0) << command << ": " << yes.err;
        const Outcome no = Invoke({"--data", Data(), "--no", "--password", "tajne", "--today", "2024-03-03", command});
        EXPECT_EQ(no.exitCode, 0) << command << ": " << no.err;
    }
    // After the command they are still taken, as before.
    EXPECT_EQ(Invoke({"--data", Data(), "--today", "2024-03-03", "resave", "--yes"}).exitCode, 0);
    EXPECT_EQ(Invoke({"--data", Data(), "--today", "2024-03-03", "info", "--password", "x"}).exitCode, 0);
    EXPECT_EQ(Invoke({"--yes", "--data", Data(), "--today", "2024-03-03", "resave", "--yes"}).exitCode, 0);
}

TEST_F(VardoCli, ContradictoryOrIncompleteGlobalOptionsAreBadUsage) {
    MakeDemo();
    const Outcome both = Invoke({"--yes", "--no", "--data", Data(), "info"});
    EXPECT_EQ(both.exitCode, 2);
    EXPECT_NE(both.err.find("--yes and --no"), std::string::npos) << both.err;
    const Outcome mixed = Invoke({"--no", "--data", Data(), "--today", "2024-03-03", "resave", "--yes"});
    EXPECT_EQ(mixed.exitCode, 2);
    EXPECT_NE(mixed.err.find("--yes and --no"), std::string::npos) << mixed.err;

    const Outcome noPassword = Invoke({"--data", Data(), "--password"});
    EXPECT_EQ(noPassword.exitCode, 2);
    EXPECT_NE(noPassword.err.find("--password needs a value"), std::string::npos) << noPassword.err;
    const Outcome unknown = Invoke({"--yess", "--data", Data(), "info"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_NE(unknown.err.find("--yess"), std::string::npos) << unknown.err;
}

TEST_F(VardoCli, PastTakesOneToSixMonths) {
    MakeDemo();
    for (const char* bad : {"0", "7", "-1", "2x", "", "abc"}) {
        const Outcome run = Invoke({"--past", bad, "--data", Data(), "info"});
        EXPECT_EQ(run.exitCode, 2) << bad;
        EXPECT_NE(run.err.find("--past needs a number of months from 1 to 6"), std::string::npos) << run.err;
    }
    // The demo folder has no snapshots: the month asked for cannot be shown.
    for (const char* command : {"info", "resave"}) {
        const Outcome run = Invoke({"--past", "6", "--data", Data(), "--today", "2024-03-03", command});
        EXPECT_EQ(run.exitCode, 1) << command;
        EXPECT_FALSE(run.err.empty()) << command;
    }
    const Outcome help = Invoke({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* option : {"--yes | --no", "--password TEXT", "--past K", "--data DIR", "--today YYYY-MM-DD"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
}

TEST_F(VardoCli, ResaveLeavesAReadOnlyRegisterAsItIs) {
    MakeDemo();
    const fs::path path = m_dir.Path() / "tdat9.bin";
    const std::string before = m_dir.ReadFile("tdat9.bin");
    ASSERT_FALSE(before.empty());
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    const ino_t inode = st.st_ino;

    const Outcome run = Invoke({"--yes", "--data", Data(), "--today", "2024-03-03", "resave"});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.err.find("Nie mogę utworzyć nowego pliku: " + path.string()), std::string::npos) << run.err;
    EXPECT_EQ(m_dir.ReadFile("tdat9.bin"), before);
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_ino, inode);
}

TEST_F(VardoCli, GroupsCommandsKeepTheEditorsLimitsAndTheCountRule) {
    MakeDemo();
    auto run = [&](std::initializer_list<std::string> args) {
        std::vector<std::string> all{"--data", Data(), "--today", "2024-03-03"};
        all.insert(all.end(), args.begin(), args.end());
        std::string command = Quoted(VARDO_CLI_PATH);
        for (const std::string& arg : all)
            command += " " + Quoted(arg);
        command += " >" + Quoted((m_output.Path() / "out").string()) + " 2>" +
                   Quoted((m_output.Path() / "err").string()) + " </dev/null";
        const int status = std::system(command.c_str());
        return Outcome{WIFEXITED(status) ? WEXITSTATUS(status) : -1, m_output.ReadFile("out"),
                       m_output.ReadFile("err")};
    };
    const Outcome before = run({"groups"});
    ASSERT_EQ(before.exitCode, 0) << before.err;
    const auto lines = static_cast<int>(std::count(before.out.begin(), before.out.end(), '\n'));
    ASSERT_GE(lines, 1);
    const std::string next = std::to_string(lines + 1);

    const Outcome set = run({"group", "set", next, "--overseer", "Jan Obcy", "--place", "Sala B", "--day", "6",
                             "--time", "10:00", "--name", "  Nowa grupa  "});
    ASSERT_EQ(set.exitCode, 0) << set.err;
    EXPECT_EQ(set.out, next + "\tNowa grupa\tJan Obcy\t\tSala B\tniedziela\t10:00\t0\n");
    EXPECT_EQ(run({"group", "set", next, "--time", "123456789"}).exitCode, 2);
    EXPECT_EQ(run({"group", "set", next, "--day", "7"}).exitCode, 2);
    EXPECT_EQ(run({"group", "set", "21"}).exitCode, 2);

    // A group after a gap is stored but not counted.
    const std::string gap = std::to_string(lines + 3);
    const Outcome gapped = run({"group", "set", gap, "--overseer", "Adam Dalej"});
    EXPECT_EQ(gapped.exitCode, 0);
    EXPECT_EQ(gapped.out, "");
    EXPECT_NE(gapped.err.find("nie jest liczona"), std::string::npos);
    const std::string after = run({"groups"}).out;
    EXPECT_EQ(std::count(after.begin(), after.end(), '\n'), lines + 1);

    // Assigning the first listed person moves him into the new group.
    const Outcome list = run({"list"});
    const std::string id = list.out.substr(0, list.out.find('\t'));
    const Outcome assigned = run({"group", "assign", id, next});
    EXPECT_EQ(assigned.exitCode, list.out.find("\tPublisher\t") < list.out.find('\n') ? 0 : 1) << assigned.err;
    EXPECT_EQ(run({"group", "assign", "99999", next}).exitCode, 1);
}

TEST_F(VardoCli, CircuitOverseerAndUserCategory) {
    MakeDemo();
    const std::string today = "2024-03-03";
    const Outcome set = Invoke({"--data", Data(), "--today", today, "circuit-overseer", "--first", "Marek", "--last",
                                "Zieliński", "--mobile", "600100200", "--email", "co@example.org"});
    ASSERT_EQ(set.exitCode, 0) << set.err;
    const Outcome shown = Invoke({"--data", Data(), "--today", today, "circuit-overseer"});
    EXPECT_EQ(shown.out.substr(0, shown.out.find('\t', shown.out.find('\t') + 1)), "Marek\tZieliński");
    EXPECT_NE(shown.out.find("\t600100200\t\tco@example.org\n"), std::string::npos) << shown.out;
    EXPECT_EQ(Invoke({"--data", Data(), "--today", today, "circuit-overseer", "--phone", "123456789012345"}).exitCode,
              2);

    const Outcome named =
        Invoke({"--data", Data(), "--today", today, "user-category", "--name", "Sprzątanie Sali  ", "--enable", "yes"});
    ASSERT_EQ(named.exitCode, 0) << named.err;
    EXPECT_EQ(named.out.substr(0, named.out.rfind('\t')), "Sprzątanie Sali\tyes");
    const Outcome cleared =
        Invoke({"--data", Data(), "--today", today, "user-category", "--name", "Porządki", "--clear-marks"});
    EXPECT_EQ(cleared.out, "Porządki\tyes\t0\n");
    const Outcome off = Invoke({"--data", Data(), "--today", today, "user-category", "--name", ""});
    EXPECT_EQ(off.out, "\tno\t0\n");
    EXPECT_EQ(Invoke({"--data", Data(), "--today", today, "user-category", "--clear-marks"}).exitCode, 2);
}

TEST_F(VardoCli, SafetyReportKindsRenderToPdf) {
    MakeDemo();
    for (const char* kind : {"emergency", "contact-forms", "contact-forms-blank", "special-needs"}) {
        const std::string pdf = (m_output.Path() / (std::string(kind) + ".pdf")).string();
        const Outcome out = Invoke({"--data", Data(), "--today", "2024-03-03", "report", kind, "--pdf", pdf});
        EXPECT_EQ(out.exitCode, 0) << kind << ": " << out.err;
        EXPECT_GT(fs::file_size(pdf), 1000u) << kind;
    }
    EXPECT_EQ(Invoke({"--data", Data(), "--today", "2024-03-03", "report", "emergency-group", "--pdf",
                      (m_output.Path() / "g.pdf").string()})
                  .exitCode,
              2);
}

} // namespace
} // namespace vardo
