// Whole-file writes against what a user's file system holds: the old file's
// permissions kept, a file the user may not write left alone, standard
// output and its aliases written straight into, nothing made in /dev, and a
// write cut short leaving no temporary file.
#include "platform/file_output.h"
#include "tests/temp_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {
const std::uint8_t payload[] = {'n', 'e', 'w', '\n'};

bool write(const std::filesystem::path& path, std::string& error)
{
    return writeFileBytes(path.string(), payload, error);
}

std::string contents(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void makeFile(const std::filesystem::path& path, const std::string& text, mode_t mode)
{
    std::ofstream(path, std::ios::binary) << text;
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
}

mode_t modeOf(const std::filesystem::path& path)
{
    struct stat status {};
    ::stat(path.c_str(), &status);
    return status.st_mode & 07777;
}

// Points descriptor 1 at a new file of the folder for the life of the object.
class StandardOutputToFile {
public:
    explicit StandardOutputToFile(const std::filesystem::path& path)
    {
        std::fflush(stdout);
        saved = ::dup(STDOUT_FILENO);
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(fd, STDOUT_FILENO);
        ::close(fd);
    }
    ~StandardOutputToFile()
    {
        std::fflush(stdout);
        ::dup2(saved, STDOUT_FILENO);
        ::close(saved);
    }

private:
    int saved;
};
} // namespace

TEST(FileOutput, AReplacedFileKeepsItsPermissionsAndANewOneGetsTheUsualOnes)
{
    TempFolder folder;
    const std::filesystem::path secret = folder.path / "secret.png";
    makeFile(secret, "old", 0600);
    std::string error;
    ASSERT_TRUE(write(secret, error)) << error;
    EXPECT_EQ(contents(secret), "new\n");
    EXPECT_EQ(modeOf(secret), 0600u);

    const mode_t mask = ::umask(022);
    const std::filesystem::path fresh = folder.path / "fresh.bin";
    ASSERT_TRUE(write(fresh, error)) << error;
    ::umask(mask);
    EXPECT_EQ(modeOf(fresh), 0644u);
}

TEST(FileOutput, NobodyElseCanReadTheFileWhileItIsWritten)
{
    TempFolder folder;
    const std::filesystem::path target = folder.path / "out.bin";
    mode_t seen = 0;
    std::string error;
    ASSERT_TRUE(writeFileWith(
        target.string(),
        [&](std::FILE* file, std::string&) {
            for (const auto& entry : std::filesystem::directory_iterator(folder.path))
                seen = modeOf(entry.path());
            return std::fputs("x", file) >= 0;
        },
        error));
    EXPECT_EQ(seen, 0600u);
}

TEST(FileOutput, AWriteProtectedFileIsRefusedAndLeftAsItIs)
{
    TempFolder folder;
    const std::filesystem::path kept = folder.path / "kept.png";
    makeFile(kept, "keep me", 0444);
    std::string error;
    EXPECT_FALSE(write(kept, error));
    EXPECT_NE(error.find("left as it is"), std::string::npos) << error;
    EXPECT_FALSE(canWriteFile(kept.string(), error));
    EXPECT_EQ(contents(kept), "keep me");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(FileOutput, AFolderIsNoFileToReplace)
{
    TempFolder folder;
    std::string error;
    EXPECT_FALSE(write(folder.path, error));
    EXPECT_EQ(error, "it is a folder");
    EXPECT_FALSE(canWriteFile(".", error));
    EXPECT_TRUE(std::filesystem::is_directory(folder.path));
}

TEST(FileOutput, StandardOutputAndItsAliasesAreWrittenStraightInto)
{
    TempFolder folder;
    const std::filesystem::path captured = folder.path / "stdout.txt";
    for (const char* name : {"-", "/dev/stdout", "/dev/fd/1", "/proc/self/fd/1"}) {
        {
            StandardOutputToFile redirect(captured);
            std::string error;
            EXPECT_TRUE(canWriteFile(name, error)) << name << ": " << error;
            EXPECT_TRUE(writeFileBytes(name, payload, error)) << name << ": " << error;
        }
        EXPECT_EQ(contents(captured), "new\n") << name;
    }
    // The system's names are untouched: still the links they were.
    EXPECT_TRUE(std::filesystem::is_symlink("/dev/stdout"));
    EXPECT_TRUE(std::filesystem::is_symlink("/dev/fd"));
}

TEST(FileOutput, NothingIsMadeInTheSystemsFolders)
{
    std::string error;
    const std::string made = "/dev/undercroft-output-test";
    EXPECT_FALSE(writeFileBytes(made, payload, error));
    EXPECT_NE(error.find("/dev"), std::string::npos) << error;
    EXPECT_FALSE(std::filesystem::exists(made));
    EXPECT_FALSE(writeFileBytes("/proc/self/fd/987", payload, error)); // no such descriptor
    EXPECT_TRUE(writeFileBytes("/dev/null", payload, error)) << error;  // a device takes it
}

TEST(FileOutput, AWriteEndedHalfwayLeavesNoTemporaryFile)
{
    TempFolder folder;
    const std::filesystem::path target = folder.path / "world.bin";
    std::string error;
    // What a signal handler does when Ctrl+C arrives in the middle of a write.
    writeFileWith(
        target.string(),
        [](std::FILE* file, std::string&) {
            std::fputs("half", file);
            removeUnfinishedOutput();
            return true;
        },
        error);
    EXPECT_FALSE(std::filesystem::exists(target));
    EXPECT_TRUE(std::filesystem::is_empty(folder.path));
}
