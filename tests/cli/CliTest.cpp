#include <algorithm>
#include <array>
#include <filesystem>
#include <vector>
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
    Outcome Invoke(const std::vector<std::string>& args) {
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
    // Runs vardo-cli on the fixture's data folder with the demo's date.
    Outcome OnDemo(std::initializer_list<std::string> args) {
        std::vector<std::string> all{"--data", Data(), "--today", "2024-03-03"};
        all.insert(all.end(), args.begin(), args.end());
        return Invoke(all);
    }

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

// Bytes 200, 201 and 238 of the saved record of a person (found by its id at offset 182).
std::array<int, 3> SavedStatusBytes(const std::string& file, int id) {
    for (std::size_t at = 0; at + 816 <= file.size(); at += 816) {
        const auto u8 = [&](std::size_t offset) { return static_cast<unsigned char>(file[at + offset]); };
        if (u8(182) + 256 * u8(183) == id)
            return {u8(200), u8(201), u8(238)};
    }
    return {-1, -1, -1};
}

TEST_F(VardoCli, StatusLinesEndWithTheReasonAndMovesAreSaved) {
    MakeDemo();
    const auto run = [&](std::initializer_list<std::string> args) { return OnDemo(args); };
    const Outcome collection = run({"status", "collection-form"});
    ASSERT_EQ(collection.exitCode, 0) << collection.err;
    ASSERT_FALSE(collection.out.empty());
    const std::string first = collection.out.substr(0, collection.out.find('\n'));
    EXPECT_EQ(std::count(first.begin(), first.end(), '\t'), 3) << first;
    EXPECT_TRUE(first.ends_with("czynny głosiciel")) << first;
    const int id = std::stoi(first.substr(0, first.find('\t')));

    const Outcome moved = run({"move", std::to_string(id), "to", "inactive", "--month", "2023-11"});
    ASSERT_EQ(moved.exitCode, 0) << moved.err;
    const std::string register_ = m_dir.ReadFile("tdat9.bin");
    EXPECT_EQ(SavedStatusBytes(register_, id), (std::array<int, 3>{1, 11 * 16, (2023 + 48) % 256}));
    const Outcome inactive = run({"status", "inactive", "--period", "6m"});
    EXPECT_NE(inactive.out.find(std::to_string(id) + "\t"), std::string::npos);
    EXPECT_NE(inactive.out.find("nieczynny od 2023-11, okno 6 mies.\n"), std::string::npos) << inactive.out;

    const Outcome back = run({"move", std::to_string(id), "to", "active", "--month", "2024-01"});
    ASSERT_EQ(back.exitCode, 0) << back.err;
    EXPECT_EQ(SavedStatusBytes(m_dir.ReadFile("tdat9.bin"), id), (std::array<int, 3>{0, 1 * 16 + 2, 1 * 16 + 2}));
    const Outcome reactivated = run({"status", "reactivated"});
    EXPECT_NE(reactivated.out.find("uaktywniony od 2024-01, okno 6 mies."), std::string::npos) << reactivated.out;

    // Bad usage and refusals.
    EXPECT_EQ(run({"status", "nonsense"}).exitCode, 2);
    EXPECT_EQ(run({"status", "irregular", "--period", "24m"}).exitCode, 2);
    EXPECT_EQ(run({"move", std::to_string(id), "to", "inactive", "--month", "2024-05"}).exitCode, 1);
    const Outcome quick = run({"status", "quick"});
    ASSERT_EQ(quick.exitCode, 0);
    EXPECT_EQ(quick.out.rfind("Aktywn. głos.:\t", 0), 0u) << quick.out;
    // Removing asks first: without --yes the default answer keeps the person.
    EXPECT_EQ(run({"remove", std::to_string(id)}).exitCode, 1);
    EXPECT_NE(SavedStatusBytes(m_dir.ReadFile("tdat9.bin"), id)[0], -1);
}

// The saved record of a person: category byte and the NUL-terminated text from offset 240; -1 when absent.
std::pair<int, std::string> SavedInterested(const std::string& file, int id) {
    for (std::size_t at = 0; at + 816 <= file.size(); at += 816) {
        const auto u8 = [&](std::size_t offset) { return static_cast<unsigned char>(file[at + offset]); };
        if (u8(182) + 256 * u8(183) == id)
            return {u8(200), std::string(file.c_str() + at + 240)};
    }
    return {-1, {}};
}

TEST_F(VardoCli, InterestedPersonsAreAddedEditedAndDeleted) {
    MakeDemo();
    const auto run = [&](std::initializer_list<std::string> args) { return OnDemo(args); };
    const Outcome added = run({"interested", "add", "Nowak, Anna", "--address", "Polna 3", "--mobile", "600100200"});
    ASSERT_EQ(added.exitCode, 0) << added.err;
    EXPECT_EQ(added.out, "2000\tNowak, Anna\n");
    EXPECT_EQ(SavedInterested(m_dir.ReadFile("tdat9.bin"), 2000), (std::pair<int, std::string>{2, ""}));

    // The conductor is kept by name, first name first, in the person's own record.
    const Outcome listed = run({"list"});
    const std::string line = listed.out.substr(0, listed.out.find('\n'));
    const std::string conductorId = line.substr(0, line.find('\t'));
    const Outcome edited = run({"interested", "edit", "2000", "--conductor", conductorId, "--first", "Anna Maria"});
    ASSERT_EQ(edited.exitCode, 0) << edited.err;
    EXPECT_EQ(edited.out, "2000\tNowak, Anna Maria\n");
    const auto [category, conductor] = SavedInterested(m_dir.ReadFile("tdat9.bin"), 2000);
    EXPECT_EQ(category, 2);
    EXPECT_FALSE(conductor.empty());
    const Outcome interested = run({"status", "interested"});
    EXPECT_NE(interested.out.find("2000\tNowak, Anna Maria"), std::string::npos) << interested.out;
    ASSERT_EQ(run({"interested", "edit", "Nowak, Anna Maria", "--no-conductor"}).exitCode, 0);
    EXPECT_EQ(SavedInterested(m_dir.ReadFile("tdat9.bin"), 2000).second, "");

    // Refusals: a one-letter last name, a publisher edited as interested, an inactive conductor, bad usage.
    const Outcome tooShort = run({"interested", "add", "N, Jan"});
    EXPECT_EQ(tooShort.exitCode, 1);
    EXPECT_NE(tooShort.err.find("co najmniej dwa znaki"), std::string::npos) << tooShort.err;
    EXPECT_EQ(run({"interested", "edit", conductorId, "--phone", "1"}).exitCode, 1);
    EXPECT_EQ(run({"interested", "edit", "2000", "--conductor", "2000"}).exitCode, 1);
    EXPECT_EQ(run({"interested", "edit", "2000", "--conductor", conductorId, "--no-conductor"}).exitCode, 2);
    EXPECT_EQ(run({"interested", "delete", "2000", "--phone", "1"}).exitCode, 2);
    EXPECT_EQ(run({"interested", "rename", "2000"}).exitCode, 2);

    // Deleting asks first (Yes/No): without --yes the person stays.
    EXPECT_EQ(run({"interested", "delete", "2000"}).exitCode, 1);
    EXPECT_EQ(SavedInterested(m_dir.ReadFile("tdat9.bin"), 2000).first, 2);
    const Outcome deleted =
        Invoke({"--data", Data(), "--today", "2024-03-03", "--yes", "interested", "delete", "2000"});
    ASSERT_EQ(deleted.exitCode, 0) << deleted.err;
    EXPECT_EQ(SavedInterested(m_dir.ReadFile("tdat9.bin"), 2000).first, -1);
}

} // namespace
} // namespace vardo

namespace vardo {
namespace {

class VardoCliReporting : public VardoCli {};

TEST_F(VardoCliReporting, TotalsPrintTheBranchRowsAsJson) {
    MakeDemo();
    const Outcome totals = Invoke({"--data", Data(), "--today", "2024-03-03", "totals"});
    ASSERT_EQ(totals.exitCode, 0) << totals.err;
    EXPECT_TRUE(totals.out.starts_with("{\"month\": \"2024-02\", \"active\": ")) << totals.out;
    for (const char* key : {"\"publishers\": {\"reports\": ", "\"auxiliary\": {", "\"regular\": {", "\"special\": {",
                            "\"return_visits\": ", "\"studies\": "})
        EXPECT_NE(totals.out.find(key), std::string::npos) << key;
    EXPECT_NE(totals.out.find("\"publishers\": {\"reports\": "), std::string::npos);
    EXPECT_EQ(Invoke({"--data", Data(), "--today", "2024-03-03", "totals", "extra"}).exitCode, 2);
}

TEST_F(VardoCliReporting, AttendanceSetStoresAndShowsTheRoundedAverage) {
    MakeDemo();
    const Outcome set = Invoke({"--data", Data(), "--today", "2024-03-03", "attendance", "set", "weekend", "2024-02",
                                "120", "131", "0", "0", "0"});
    ASSERT_EQ(set.exitCode, 0) << set.err;
    EXPECT_EQ(set.out, "weekend\t120\t131\t0\t0\t0\t2\t251\t126\n");
    const Outcome shown = Invoke({"--data", Data(), "--today", "2024-03-03", "attendance", "--month", "2024-02"});
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    EXPECT_NE(shown.out.find("\nweekend\t120\t131\t0\t0\t0\t2\t251\t126\n"), std::string::npos) << shown.out;
    EXPECT_TRUE(shown.out.starts_with("midweek\t"));

    EXPECT_EQ(Invoke({"--data", Data(), "--today", "2024-03-03", "attendance", "--month", "2022-02"}).exitCode, 1);
    EXPECT_EQ(
        Invoke({"--data", Data(), "--today", "2024-03-03", "attendance", "set", "weekend", "2024-02", "1"}).exitCode,
        2);
    EXPECT_EQ(Invoke({"--data", Data(), "--today", "2024-03-03", "attendance", "set", "friday", "2024-02", "1", "1",
                      "1", "1", "1"})
                  .exitCode,
              2);
}

TEST_F(VardoCliReporting, ExportAttendanceWritesFortyNineLines) {
    MakeDemo();
    const Outcome exported = Invoke({"--data", Data(), "--today", "2024-03-03", "export", "attendance"});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    const std::string csv = m_dir.ReadFile("Exports/Frekwencja.csv");
    std::size_t lines = 0;
    for (std::size_t at = csv.find("\r\n"); at != std::string::npos; at = csv.find("\r\n", at + 2))
        ++lines;
    EXPECT_EQ(lines, 49u);
    EXPECT_NE(csv.find("\"Odw.\",\"2024-02\""), std::string::npos);
}

TEST_F(VardoCli, GroupsCommandsKeepTheEditorsLimitsAndTheCountRule) {
    MakeDemo();
    const auto run = [&](std::initializer_list<std::string> args) { return OnDemo(args); };
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

namespace vardo {
namespace {

TEST_F(VardoCliReporting, CardTotalsLabelsAndAttendanceRecordRenderToPdf) {
    MakeDemo();
    const auto pdf = [&](const char* name) { return (m_output.Path() / name).string(); };
    const Outcome totals = OnDemo({"report", "card", "--totals", "pioneers", "--reported", "--pdf", pdf("t.pdf")});
    ASSERT_EQ(totals.exitCode, 0) << totals.err;
    EXPECT_EQ(totals.out, pdf("t.pdf") + ": 1 page(s)\n");
    // The whole active list from the last label of the first sheet.
    const Outcome labels = OnDemo({"report", "card-labels", "--first", "20", "--pdf", pdf("l.pdf")});
    ASSERT_EQ(labels.exitCode, 0) << labels.err;
    EXPECT_EQ(labels.out, pdf("l.pdf") + ": 2 page(s)\n");
    const Outcome chosen = OnDemo(
        {"report", "30", "--person", "101", "--person", "102", "--first", "20", "--sorted", "--pdf", pdf("l.pdf")});
    ASSERT_EQ(chosen.exitCode, 0) << chosen.err;
    EXPECT_EQ(chosen.out, pdf("l.pdf") + ": 2 page(s)\n");
    const Outcome record = OnDemo({"report", "attendance-record", "--letter", "--pdf", pdf("a.pdf")});
    ASSERT_EQ(record.exitCode, 0) << record.err;
    EXPECT_GT(fs::file_size(pdf("a.pdf")), 1000u);

    EXPECT_EQ(OnDemo({"report", "card", "--totals", "elders", "--pdf", pdf("x.pdf")}).exitCode, 2);
    EXPECT_EQ(OnDemo({"report", "card", "--reported", "--person", "101", "--pdf", pdf("x.pdf")}).exitCode, 2);
    EXPECT_EQ(OnDemo({"report", "card-labels", "--first", "21", "--pdf", pdf("x.pdf")}).exitCode, 2);
    EXPECT_EQ(OnDemo({"report", "phone", "--sorted", "--pdf", pdf("x.pdf")}).exitCode, 2);
    EXPECT_EQ(OnDemo({"report", "attendance-record", "--group", "2", "--pdf", pdf("x.pdf")}).exitCode, 2);
    EXPECT_EQ(OnDemo({"report", "card-labels", "--previous-year", "--pdf", pdf("x.pdf")}).exitCode, 2);
    EXPECT_EQ(OnDemo({"report", "card", "--totals", "pioneers", "--person", "101", "--pdf", pdf("x.pdf")}).exitCode, 2);
    EXPECT_EQ(OnDemo({"report", "card-labels", "--person", "Nikt, Nikogo", "--pdf", pdf("x.pdf")}).exitCode, 1);
}

TEST_F(VardoCliReporting, CardsOfTheLastTwelveOrTwentyFourMonths) {
    MakeDemo();
    const auto pdf = [&](const char* name) { return (m_output.Path() / name).string(); };
    const Outcome twelve = OnDemo({"report", "card", "--person", "101", "--months", "12", "--pdf", pdf("c.pdf")});
    ASSERT_EQ(twelve.exitCode, 0) << twelve.err;
    EXPECT_EQ(twelve.out, pdf("c.pdf") + ": 1 page(s)\n");
    const Outcome both = OnDemo(
        {"report", "card", "--totals", "publishers", "--months", "12", "--previous-year", "--pdf", pdf("t.pdf")});
    ASSERT_EQ(both.exitCode, 0) << both.err;
    EXPECT_EQ(both.out, pdf("t.pdf") + ": 1 page(s)\n");
    EXPECT_EQ(OnDemo({"report", "card", "--person", "101", "--months", "6", "--pdf", pdf("x.pdf")}).exitCode, 2);
    EXPECT_EQ(OnDemo({"report", "card-labels", "--months", "12", "--pdf", pdf("x.pdf")}).exitCode, 2);
    EXPECT_EQ(OnDemo({"report", "phone", "--months", "12", "--pdf", pdf("x.pdf")}).exitCode, 2);
}

TEST_F(VardoCliReporting, ExportThirdPartyAndEmergencyWriteTheEmergencyContacts) {
    MakeDemo();
    const Outcome thirdParty = Invoke({"--data", Data(), "--today", "2024-03-03", "export", "third-party"});
    ASSERT_EQ(thirdParty.exitCode, 0) << thirdParty.err;
    EXPECT_NE(thirdParty.out.find("3rdparty.tsv"), std::string::npos);
    const std::string tsv = m_dir.ReadFile("Exports/3rdparty.tsv");
    ASSERT_TRUE(tsv.starts_with("\xEF\xBB\xBFImię i nazwisko \t")) << tsv.substr(0, 80);
    const std::size_t firstLineEnd = tsv.find("\r\n");
    ASSERT_NE(firstLineEnd, std::string::npos);
    EXPECT_EQ(std::count(tsv.begin(), tsv.begin() + static_cast<std::ptrdiff_t>(firstLineEnd), '\t'), 13);
    EXPECT_GT(std::count(tsv.begin(), tsv.end(), '\n'), 1) << "the demo's publishers are listed";

    const Outcome emergency =
        Invoke({"--data", Data(), "--today", "2024-03-03", "export", "emergency", "--out", m_output.Path().string()});
    ASSERT_EQ(emergency.exitCode, 0) << emergency.err;
    EXPECT_EQ(m_output.ReadFile("3rdparty.tsv"), tsv) << "one export under two names";
    EXPECT_EQ(Invoke({"--data", Data(), "--today", "2024-03-03", "export", "emergency", "extra"}).exitCode, 2);
}

TEST_F(VardoCli, StatusViewsPrintAsReportsWithTheirChoices) {
    MakeDemo();
    const std::string pdf = (m_output.Path() / "inactive.pdf").string();
    const Outcome printed = OnDemo({"report", "status-inactive", "--period", "over-12m", "--pdf", pdf});
    ASSERT_EQ(printed.exitCode, 0) << printed.err;
    EXPECT_EQ(printed.out, pdf + ": 1 page(s)\n");
    EXPECT_TRUE(std::filesystem::file_size(pdf) > 0);
    const Outcome byNumber =
        OnDemo({"report", "201", "--pdf", (m_output.Path() / "irregular.pdf").string()}); // status-irregular
    EXPECT_EQ(byNumber.exitCode, 0) << byNumber.err;
    const Outcome png = OnDemo({"report", "status-no-report", "--group", "1", "--month", "2024-01", "--png",
                                (m_output.Path() / "png").string(), "--dpi", "60"});
    ASSERT_EQ(png.exitCode, 0) << png.err;
    EXPECT_NE(png.out.find("status-no-report-001.png"), std::string::npos) << png.out;

    // A period the view does not have, an unknown view, a month outside the twelve, no output: refused.
    EXPECT_EQ(OnDemo({"report", "status-irregular", "--period", "12m", "--pdf", pdf}).exitCode, 2);
    const Outcome unknown = OnDemo({"report", "status-nonsense", "--pdf", pdf});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_NE(unknown.err.find("status-nonsense"), std::string::npos) << unknown.err;
    EXPECT_EQ(OnDemo({"report", "status-no-report", "--month", "2022-01", "--pdf", pdf}).exitCode, 1);
    EXPECT_EQ(OnDemo({"report", "status-moved"}).exitCode, 2);
    EXPECT_EQ(OnDemo({"report", "status-moved", "--group", "21", "--pdf", pdf}).exitCode, 2);
    // The status command's own output is untouched by the printed form.
    const Outcome lines = OnDemo({"status", "inactive", "--period", "over-12m"});
    EXPECT_EQ(lines.exitCode, 0);
}

} // namespace
} // namespace vardo
