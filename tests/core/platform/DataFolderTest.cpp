#include "core/platform/DataFolder.h"

#include <csignal>
#include <cstdlib>
#include <random>
#include <string>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "TempDataFolder.h"

namespace vardo {
namespace {

namespace fs = std::filesystem;

using DataFolderTest = test::TempDataFolderTest;

std::string Pattern(std::size_t size, char seed) {
    std::string s(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        s[i] = static_cast<char>(seed + static_cast<char>(i % 251));
    return s;
}

ino_t Inode(const fs::path& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

TEST_F(DataFolderTest, NamesResolveCaseInsensitivelyComponentByComponent) {
    m_dir.WriteFile("tdat9.bin", "db");
    m_dir.WriteFile("Roll/Vd9_3/x", "snapshot");
    m_dir.WriteFile("Kopia Zapasowa Łódź/plik.dat", "backup");

    EXPECT_EQ(m_folder.Resolve("TDAT9.BIN"), m_dir.Path() / "tdat9.bin");
    EXPECT_EQ(m_folder.Resolve("roll/vd9_3/x"), m_dir.Path() / "Roll" / "Vd9_3" / "x");
    EXPECT_EQ(m_folder.Resolve("ROLL\\VD9_3\\X"), m_dir.Path() / "Roll" / "Vd9_3" / "x");
    EXPECT_EQ(m_folder.ReadAll("KOPIA ZAPASOWA ŁÓDŹ/PLIK.DAT").value_or(""), "backup");
    EXPECT_EQ(m_folder.ReadAll("TDAT9.BIN").value_or(""), "db");
    EXPECT_EQ(m_folder.Sub("roll").ReadAll("VD9_3/x").value_or(""), "snapshot");
    EXPECT_TRUE(m_folder.Exists("roll/VD9_3"));
    EXPECT_TRUE(m_folder.IsFolder("roll/VD9_3"));
    EXPECT_FALSE(m_folder.IsFolder("Tdat9.bin"));

    // What does not exist keeps the spelling given, below the part that does.
    EXPECT_EQ(m_folder.Resolve("ROLL/Vd9_300/tdat9.bin"), m_dir.Path() / "Roll" / "Vd9_300" / "tdat9.bin");
    EXPECT_FALSE(m_folder.Exists("Roll/Vd9_300/tdat9.bin"));
    EXPECT_EQ(m_folder.Resolve(""), m_dir.Path());
    EXPECT_EQ(m_folder.Resolve("/etc/hostname"), fs::path("/etc/hostname"));
}

TEST_F(DataFolderTest, ExactSpellingWinsOverOtherCaseVariants) {
    m_dir.WriteFile("Data.bin", "upper");
    m_dir.WriteFile("data.bin", "lower");
    m_dir.WriteFile("DATA.BIN", "capitals");
    EXPECT_EQ(m_folder.ReadAll("data.bin").value_or(""), "lower");
    EXPECT_EQ(m_folder.ReadAll("DATA.BIN").value_or(""), "capitals");
    EXPECT_EQ(m_folder.ReadAll("dATA.bin").value_or(""), "capitals"); // byte-wise smallest: "DATA.BIN"
}

TEST_F(DataFolderTest, WriteAtomicReplacesTheExistingFileUnderItsOwnName) {
    m_dir.WriteFile("tdat9.bin", "old content");
    ::chmod((m_dir.Path() / "tdat9.bin").c_str(), 0640);
    const std::string content = Pattern(100000, 'a');
    ASSERT_TRUE(m_folder.WriteAtomic("TDAT9.BIN", content));
    EXPECT_EQ(m_dir.ReadFile("tdat9.bin"), content);
    struct stat st {};
    ASSERT_EQ(::stat((m_dir.Path() / "tdat9.bin").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    // One file, no temporary left behind.
    EXPECT_EQ(m_folder.List().value_or({}), std::vector<std::string>{"tdat9.bin"});

    ASSERT_TRUE(m_folder.WriteAtomic("new.dat", ""));
    EXPECT_TRUE(m_dir.Exists("new.dat"));
    EXPECT_EQ(m_folder.Size("new.dat").value_or(99), 0u);

    const Status missingFolder = m_folder.WriteAtomic("NoSuchFolder/a.dat", "x");
    EXPECT_FALSE(missingFolder);
    EXPECT_NE(missingFolder.message().find("NoSuchFolder/a.dat"), std::string::npos) << missingFolder.message();
}

// Renaming over a file needs only the folder's permission, and the superuser passes every access check: a file
// without write permission must still be left alone by every kind of write.
TEST_F(DataFolderTest, FileWithoutWritePermissionIsNeitherReplacedNorWritten) {
    m_dir.WriteFile("tdat9.bin", "kept");
    const fs::path path = m_dir.Path() / "tdat9.bin";
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    const ino_t inode = Inode(path);

    const Status replaced = m_folder.WriteAtomic("TDAT9.BIN", "new content");
    EXPECT_FALSE(replaced);
    EXPECT_NE(replaced.message().find("tdat9.bin"), std::string::npos) << replaced.message();
    EXPECT_FALSE(m_folder.WriteAt("tdat9.bin", 0, "XX"));
    EXPECT_FALSE(m_folder.Append("tdat9.bin", "more"));
    EXPECT_EQ(m_dir.ReadFile("tdat9.bin"), "kept");
    EXPECT_EQ(Inode(path), inode);
    EXPECT_EQ(m_folder.List().value_or({}), std::vector<std::string>{"tdat9.bin"}); // no temporary left

    // Any write permission at all lets the file be written; new files are created as before.
    ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
    EXPECT_TRUE(m_folder.WriteAt("tdat9.bin", 0, "K"));
    EXPECT_TRUE(m_folder.Append("tdat9.bin", "!"));
    EXPECT_EQ(m_dir.ReadFile("tdat9.bin"), "Kept!");
    ASSERT_EQ(::chmod(path.c_str(), 0200), 0);
    EXPECT_TRUE(m_folder.WriteAtomic("tdat9.bin", "replaced"));
    ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
    EXPECT_EQ(m_dir.ReadFile("tdat9.bin"), "replaced");
    EXPECT_TRUE(m_folder.WriteAtomic("new.dat", "n"));
    EXPECT_TRUE(m_folder.Append("other.dat", "o"));
}

// A child writes a large file and is killed at a random moment; the file is then the old or the new one.
TEST_F(DataFolderTest, KilledAtomicWriteLeavesOldOrNewFileNeverAMix) {
    const std::string oldContent = Pattern(1 << 20, 'o');
    const std::string newContent = Pattern(2 << 20, 'n');
    m_dir.WriteFile("tdat9.bin", oldContent);
    constexpr int kRounds = 16;
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> delayMicroseconds(0, 8000);
    for (int round = 0; round < kRounds; ++round) {
        const pid_t child = ::fork();
        ASSERT_NE(child, -1);
        if (child == 0) {
            const bool ok = static_cast<bool>(m_folder.WriteAtomic("tdat9.bin", newContent));
            ::_exit(ok ? 0 : 1);
        }
        ::usleep(static_cast<useconds_t>(delayMicroseconds(random)));
        ::kill(child, SIGKILL);
        int waitStatus = 0;
        ASSERT_EQ(::waitpid(child, &waitStatus, 0), child);
        if (WIFEXITED(waitStatus)) {
            EXPECT_EQ(WEXITSTATUS(waitStatus), 0);
        }

        const std::string now = m_dir.ReadFile("tdat9.bin");
        if (now == newContent) {
            m_dir.WriteFile("tdat9.bin", oldContent);
        } else {
            ASSERT_EQ(now.size(), oldContent.size()) << "round " << round;
            ASSERT_TRUE(now == oldContent) << "round " << round;
        }
    }
}

// The write fails half-way (file size limit): the old file stays whole and the temporary file is gone.
TEST_F(DataFolderTest, FailedAtomicWriteKeepsOldFileAndCleansUp) {
    m_dir.WriteFile("tdat9.bin", "old content");
    const pid_t child = ::fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1 << 16, 1 << 16};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const Status status = m_folder.WriteAtomic("tdat9.bin", Pattern(1 << 20, 'n'));
        const bool namesFile = status.message().find("tdat9.bin") != std::string::npos;
        ::_exit(!status && namesFile ? 0 : 1);
    }
    int waitStatus = 0;
    ASSERT_EQ(::waitpid(child, &waitStatus, 0), child);
    ASSERT_TRUE(WIFEXITED(waitStatus));
    EXPECT_EQ(WEXITSTATUS(waitStatus), 0) << "the write should have failed with a message naming the file";
    EXPECT_EQ(m_dir.ReadFile("tdat9.bin"), "old content");
    EXPECT_EQ(m_folder.List().value_or({}), std::vector<std::string>{"tdat9.bin"});
}

TEST_F(DataFolderTest, WriteAtChangesBytesInPlace) {
    m_dir.WriteFile("Tdat9.bin", "0123456789");
    const ino_t before = Inode(m_dir.Path() / "Tdat9.bin");
    ASSERT_TRUE(m_folder.WriteAt("tdat9.BIN", 3, "XY"));
    EXPECT_EQ(m_dir.ReadFile("Tdat9.bin"), "012XY56789");
    ASSERT_TRUE(m_folder.WriteAt("tdat9.bin", 12, "Z"));
    EXPECT_EQ(m_dir.ReadFile("Tdat9.bin"), std::string("012XY56789\0\0Z", 13));
    EXPECT_EQ(Inode(m_dir.Path() / "Tdat9.bin"), before);

    const Status missing = m_folder.WriteAt("brak.dat", 0, "x");
    EXPECT_FALSE(missing);
    EXPECT_NE(missing.message().find("brak.dat"), std::string::npos);
    EXPECT_FALSE(m_dir.Exists("brak.dat"));
}

TEST_F(DataFolderTest, AppendCreatesThenExtends) {
    ASSERT_TRUE(m_folder.Append("log.txt", "one\n"));
    m_dir.WriteFile("Log.txt.keep", "");
    ASSERT_TRUE(m_folder.Append("LOG.TXT", "two\n"));
    EXPECT_EQ(m_dir.ReadFile("log.txt"), "one\ntwo\n");
}

TEST_F(DataFolderTest, CopyOverwritesAndKeepsTheModificationTime) {
    m_dir.WriteFile("Remark9.dat", "remarks");
    m_dir.WriteFile("backup/remark9.dat", "stale and longer");
    const fs::path source = m_dir.Path() / "Remark9.dat";
    const timespec times[2] = {{1000000000, 0}, {1000000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, source.c_str(), times, 0), 0);

    ASSERT_TRUE(m_folder.Copy("remark9.dat", "BACKUP/REMARK9.DAT"));
    EXPECT_EQ(m_dir.ReadFile("backup/remark9.dat"), "remarks");
    EXPECT_EQ(m_folder.ModificationTime("backup/remark9.dat").value_or({}),
              m_folder.ModificationTime("remark9.dat").value_or(DataFolder::FileTime::max()));

    const fs::path absolute = m_dir.Path() / "abs.dat";
    ASSERT_TRUE(m_folder.Copy("remark9.dat", absolute.string()));
    EXPECT_EQ(m_dir.ReadFile("abs.dat"), "remarks");

    const Status missing = m_folder.Copy("brak.dat", "x.dat");
    EXPECT_FALSE(missing);
    EXPECT_NE(missing.message().find("brak.dat"), std::string::npos);
    EXPECT_FALSE(m_dir.Exists("x.dat"));
    EXPECT_FALSE(m_folder.Copy("backup", "folder-copy"));
}

TEST_F(DataFolderTest, RemoveAndRename) {
    m_dir.WriteFile("Emerg.dat", "e");
    EXPECT_TRUE(m_folder.Remove("brak.dat"));
    ASSERT_TRUE(m_folder.Remove("EMERG.DAT"));
    EXPECT_FALSE(m_dir.Exists("Emerg.dat"));

    m_dir.WriteFile("tdat7.bin", "seven");
    ASSERT_TRUE(m_folder.Rename("TDAT7.BIN", "tdat7.old"));
    EXPECT_EQ(m_dir.ReadFile("tdat7.old"), "seven");
    // A change of case renames rather than doing nothing.
    ASSERT_TRUE(m_folder.Rename("tdat7.old", "TDAT7.OLD"));
    EXPECT_EQ(m_folder.List().value_or({}), std::vector<std::string>{"TDAT7.OLD"});

    const Status missing = m_folder.Rename("brak.dat", "x.dat");
    EXPECT_FALSE(missing);
    EXPECT_NE(missing.message().find("brak.dat"), std::string::npos);
}

TEST_F(DataFolderTest, FoldersAreCreatedListedAndRemoved) {
    m_dir.WriteFile("Roll/Vd9_1/tdat9.bin", "1");
    ASSERT_TRUE(m_folder.CreateFolder("roll/Vd9_2/sub"));
    ASSERT_TRUE(m_folder.CreateFolder("ROLL/VD9_2")); // existing: fine
    EXPECT_EQ(m_folder.List("ROLL").value_or({}), (std::vector<std::string>{"Vd9_1", "Vd9_2"}));
    EXPECT_FALSE(m_dir.Exists("roll"));
    EXPECT_FALSE(m_folder.CreateFolder("roll/vd9_1/tdat9.bin"));

    EXPECT_FALSE(m_folder.RemoveFolder("roll/vd9_1", false)); // not empty
    ASSERT_TRUE(m_folder.RemoveFolder("roll/vd9_2/SUB", false));
    ASSERT_TRUE(m_folder.RemoveFolder("roll/vd9_1", true));
    EXPECT_EQ(m_folder.List("Roll").value_or({}), std::vector<std::string>{"Vd9_2"});
    EXPECT_TRUE(m_folder.RemoveFolder("roll/brak", true));
    EXPECT_FALSE(m_folder.RemoveFolder("", true));
    EXPECT_TRUE(m_dir.Exists("Roll"));

    const auto missing = m_folder.List("brak");
    ASSERT_FALSE(missing);
    EXPECT_NE(missing.error().find("brak"), std::string::npos);
}

TEST_F(DataFolderTest, SizeTimeAndReadFailuresNameTheFile) {
    m_dir.WriteFile("Tcard.dat", std::string(816, 'x'));
    EXPECT_EQ(m_folder.Size("tcard.dat").value_or(0), 816u);
    EXPECT_TRUE(m_folder.ModificationTime("TCARD.DAT"));

    ASSERT_TRUE(m_folder.CreateFolder("Roll"));
    for (const char* name : {"brak.dat", "Roll"}) {
        const auto read = m_folder.ReadAll(name);
        ASSERT_FALSE(read) << name;
        EXPECT_NE(read.error().find(name), std::string::npos) << read.error();
        EXPECT_FALSE(m_folder.Size(name)) << name;
    }
    EXPECT_FALSE(m_folder.ModificationTime("brak.dat"));
}

TEST_F(DataFolderTest, ChecksumTellsCopiesFromChangedFiles) {
    const std::string bytes = Pattern(100003, 'c');
    m_dir.WriteFile("a.dat", bytes);
    ASSERT_TRUE(m_folder.Copy("a.dat", "b.dat"));
    ASSERT_TRUE(m_folder.Checksum("a.dat"));
    EXPECT_EQ(m_folder.Checksum("a.dat").value(), m_folder.Checksum("b.dat").value());
    for (const std::size_t at : {std::size_t{0}, std::size_t{65535}, std::size_t{65536}, bytes.size() - 1}) {
        std::string changed = bytes;
        changed[at] = static_cast<char>(changed[at] ^ 1);
        m_dir.WriteFile("b.dat", changed);
        EXPECT_NE(m_folder.Checksum("a.dat").value(), m_folder.Checksum("b.dat").value()) << "byte " << at;
    }
    // Trailing zeros change the length, and the length counts.
    m_dir.WriteFile("z1", std::string(3, '\0'));
    m_dir.WriteFile("z2", std::string(4, '\0'));
    EXPECT_NE(m_folder.Checksum("z1").value(), m_folder.Checksum("z2").value());
    EXPECT_FALSE(m_folder.Checksum("missing.dat"));
    EXPECT_TRUE(m_folder.SyncFolder());
    EXPECT_FALSE(m_folder.SyncFolder("missing"));
}

int g_steps = 0;

TEST_F(DataFolderTest, StepHookSeesEveryChangeOnDisk) {
    DataFolder::SetStepHook([] { ++g_steps; });
    g_steps = 0;
    ASSERT_TRUE(m_folder.WriteAtomic("a.dat", "x")); // temporary file, then rename
    EXPECT_EQ(g_steps, 2);
    ASSERT_TRUE(m_folder.CreateFolder("f"));
    ASSERT_TRUE(m_folder.Rename("a.dat", "f/a.dat"));
    ASSERT_TRUE(m_folder.Remove("f/a.dat"));
    ASSERT_TRUE(m_folder.RemoveFolder("f", false));
    EXPECT_EQ(g_steps, 6);
    (void)m_folder.ReadAll("missing");
    (void)m_folder.List();
    EXPECT_EQ(g_steps, 6) << "reads are no steps";
    DataFolder::SetStepHook(nullptr);
    ASSERT_TRUE(m_folder.WriteAtomic("b.dat", "x"));
    EXPECT_EQ(g_steps, 6);
}

} // namespace
} // namespace vardo

namespace vardo {
namespace {

TEST_F(DataFolderTest, StaleTemporariesOfDeadProcessesAreRemoved) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        ::_exit(0);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    const std::string dead = ".vardo-" + std::to_string(child) + "-7.tmp";
    const std::string mine = ".vardo-" + std::to_string(::getpid()) + "-1.tmp";
    for (const std::string& name : {dead, mine, std::string(".vardo-notes.tmp"), std::string("tdat9.bin")})
        m_dir.WriteFile(name, "x");

    EXPECT_EQ(m_folder.RemoveStaleTemporaries(), 1);
    EXPECT_FALSE(m_dir.Exists(dead));
    EXPECT_TRUE(m_dir.Exists(mine)) << "a running process may still rename its file into place";
    EXPECT_TRUE(m_dir.Exists(".vardo-notes.tmp"));
    EXPECT_TRUE(m_dir.Exists("tdat9.bin"));
}

} // namespace
} // namespace vardo
