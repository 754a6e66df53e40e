#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <string>

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

} // namespace
} // namespace vardo

namespace vardo {
namespace {

TEST_F(VardoCli, GroupFileWrittenFilledAndImported) {
    MakeDemo();
    const std::string t09 = (m_output.Path() / "g.t09").string();
    const Outcome written =
        Invoke({"--data", Data(), "--today", "2024-03-03", "group-file", "write", "1", "--out", t09});
    ASSERT_EQ(written.exitCode, 0) << written.err;
    std::string bytes = m_output.ReadFile("g.t09");
    ASSERT_GE(bytes.size(), 2u * 816);
    ASSERT_GE(static_cast<int>(bytes[180]), 1);
    // The overseer's program fills February 2024 (month 1, slot 0) of the first person: participated, 3 studies.
    bytes[816 + 528 + 2 * 3] = 3;
    bytes[816 + 528 + 2 * 3 + 1] = 0x08;
    m_output.WriteFile("g.t19", bytes);
    const std::string t19 = (m_output.Path() / "g.t19").string();

    const Outcome preview =
        Invoke({"--data", Data(), "--today", "2024-03-03", "group-file", "import", t19, "--dry-run"});
    ASSERT_EQ(preview.exitCode, 0) << preview.err;
    ASSERT_NE(preview.out.find("\t2024-02\tno\t"), std::string::npos) << preview.out;
    const std::string person = preview.out.substr(0, preview.out.find('\t'));

    const Outcome imported = Invoke({"--no", "--data", Data(), "--today", "2024-03-03", "group-file", "import", t19});
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    const Outcome history = Invoke({"--data", Data(), "--today", "2024-03-03", "history", person});
    EXPECT_NE(history.out.find("2024-02\tnew\t"), std::string::npos);
    const Outcome again = Invoke({"--data", Data(), "--today", "2024-03-03", "group-file", "import", t19, "--dry-run"});
    EXPECT_EQ(again.out.find(person + "\t2024-02"), std::string::npos) << "nothing new after the import";

    const Outcome wrongMonth = Invoke({"--data", Data(), "--today", "2024-04-03", "group-file", "import", t19});
    EXPECT_EQ(wrongMonth.exitCode, 1);
    EXPECT_NE(wrongMonth.err.find("Zły Miesiąc!"), std::string::npos);
    m_output.WriteFile("bad.t19", "short");
    const Outcome damaged = Invoke(
        {"--data", Data(), "--today", "2024-03-03", "group-file", "import", (m_output.Path() / "bad.t19").string()});
    EXPECT_EQ(damaged.exitCode, 1);
    EXPECT_FALSE(damaged.err.empty());
}

TEST_F(VardoCli, CsvAndXmlImports) {
    MakeDemo();
    const Outcome list = Invoke({"--data", Data(), "--today", "2024-03-03", "list"});
    std::string first, last;
    for (std::size_t at = 0; at < list.out.size();) {
        const std::size_t end = list.out.find('\n', at);
        const std::string line = list.out.substr(at, end - at);
        at = end + 1;
        if (line.find("\tPublisher\t") == std::string::npos)
            continue;
        const std::string name = line.substr(line.find("\tPublisher\t") + 11);
        last = name.substr(0, name.find(", "));
        first = name.substr(name.find(", ") + 2, name.find('\t', name.find(", ")) - name.find(", ") - 2);
        break;
    }
    ASSERT_FALSE(last.empty());
    m_output.WriteFile("r.csv", "Imię;Nazwisko;Głosił(a);Kursy;Godz.;Uwagi\n" + first + ";" + last +
                                    ";1;2;;z arkusza\nNikt;Taki;1;1;;\n");
    const std::string csv = (m_output.Path() / "r.csv").string();
    const Outcome noMap = Invoke({"--data", Data(), "--today", "2024-03-03", "import", "csv", csv});
    EXPECT_EQ(noMap.exitCode, 1) << "without a mapping the names cannot be built";
    const Outcome imported = Invoke({"--no", "--data", Data(), "--today", "2024-03-03", "import", "csv", csv, "--map",
                                     "first=0,last=1,participated=2,studies=3,hours=4,remark=5"});
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_TRUE(imported.out.starts_with(last + ", " + first + "\t2024-02\tno\t")) << imported.out;
    EXPECT_EQ(std::count(imported.out.begin(), imported.out.end(), '\n'), 1);
    EXPECT_NE(imported.err.find("Nikt Taki"), std::string::npos);
    m_output.WriteFile("bad.csv", "a,b\n1,2\n");
    const Outcome bad =
        Invoke({"--data", Data(), "--today", "2024-03-03", "import", "csv", (m_output.Path() / "bad.csv").string()});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_NE(bad.err.find("Plik CSV nie zawiera"), std::string::npos);

    const Outcome exported = Invoke({"--data", Data(), "--today", "2024-03-03", "export", "xml", "active"});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    EXPECT_TRUE(m_dir.Exists("Exports/Active.xml"));
    const Outcome other =
        Invoke({"--today", "2024-03-03", "demo", (m_output.Path() / "other").string(), "--people", "1"});
    ASSERT_EQ(other.exitCode, 0) << other.err;
    const Outcome xml =
        Invoke({"--no", "--data", (m_output.Path() / "other").string(), "--today", "2024-03-03", "import", "xml",
                (m_dir.Path() / "Exports" / "Active.xml").string(), "--list", "active"});
    ASSERT_EQ(xml.exitCode, 0) << xml.err;
    const Outcome history = Invoke(
        {"--data", (m_output.Path() / "other").string(), "--today", "2024-03-03", "history", last + ", " + first});
    EXPECT_NE(history.out.find("z arkusza"), std::string::npos) << history.out << history.err;
}

} // namespace
} // namespace vardo
