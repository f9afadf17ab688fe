#include "ContentPaths.h"
#include "DesktopIcon.h"
#include "app/BuildInfo.h"
#include "app/CommandLine.h"
#include "core/FilePaths.h"
#include "support/BestRunReplay.h"
#include "support/BuildPaths.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <regex>
#include <sstream>
#include <sys/wait.h>

namespace qv {
namespace {

namespace fs = std::filesystem;

struct CommandResult {
    int status = -1;    // the exit code; -1 when the command did not exit on its own
    std::string output; // standard output and error together
};

CommandResult runCommand(const std::string& command) {
    CommandResult result;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr)
        return result;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        result.output.append(buffer, n);
    const int status = pclose(pipe);
    if (WIFEXITED(status))
        result.status = WEXITSTATUS(status);
    return result;
}

// Built by appending: GCC 12 warns falsely (-Wrestrict) on "'" + string in optimised builds.
std::string quoted(const fs::path& path) {
    std::string text(1, '\'');
    text += path.string();
    text += '\'';
    return text;
}

// A missing validator fails the test like a failed validation (the shell's 127): every one
// of them comes with scripts/install-deps.
void expectClean(const CommandResult& result, const std::string& tool) {
    EXPECT_NE(result.status, 127) << tool << " is not installed; scripts/install-deps installs it";
    EXPECT_EQ(result.status, 0) << tool << ":\n" << result.output;
}

std::string contents(const fs::path& path) {
    std::string data;
    EXPECT_TRUE(readFile(path.string(), data)) << path;
    return data;
}

// Every regular file below a folder, by its path relative to it.
std::vector<std::string> filesBelow(const fs::path& root) {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file())
            files.push_back(fs::relative(entry.path(), root).generic_string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// The value of KEY in a desktop entry; empty when it has none.
std::string desktopValue(const std::string& entry, const std::string& key) {
    std::istringstream lines(entry);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(key + "=", 0) == 0)
            return line.substr(key.size() + 1);
    }
    return "";
}

// The text of the first <TAG ...>text</TAG>; empty when there is none.
std::string xmlText(const std::string& xml, const std::string& tag) {
    std::smatch match;
    return std::regex_search(xml, match, std::regex("<" + tag + "(\\s[^>]*)?>([^<]*)</" + tag + ">"))
               ? match[2].str()
               : "";
}

// Width and height from a PNG's header; zero when the file is not a PNG.
std::pair<uint32_t, uint32_t> pngSize(const fs::path& path) {
    const std::string png = contents(path);
    if (png.size() < 24 || png.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0)
        return {0, 0};
    auto bigEndian = [&png](size_t at) {
        uint32_t value = 0;
        for (size_t i = 0; i < 4; ++i)
            value = (value << 8) | static_cast<uint8_t>(png[at + i]);
        return value;
    };
    return {bigEndian(16), bigEndian(20)};
}

// The build installed once as a package would be: `cmake --install --prefix /usr` into a
// temporary DESTDIR.
class InstalledTree : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        prefix_ = std::make_unique<test::TempDir>();
        install_ = runCommand("DESTDIR=" + quoted(prefix_->path()) + " " + quoted(test::cmakeCommand()) +
                              " --install " + quoted(test::buildDir()) + " --prefix /usr");
    }
    static void TearDownTestSuite() { prefix_.reset(); }

    void SetUp() override { ASSERT_EQ(install_.status, 0) << install_.output; }

    // The one installed file of that name; fails the test unless there is exactly one.
    static fs::path installed(const std::string& namePattern) {
        const std::regex name(namePattern);
        std::vector<fs::path> found;
        for (const auto& entry : fs::recursive_directory_iterator(prefix_->path())) {
            if (entry.is_regular_file() && std::regex_match(entry.path().filename().string(), name))
                found.push_back(entry.path());
        }
        EXPECT_EQ(found.size(), 1u) << "installed files named " << namePattern;
        return found.empty() ? fs::path() : found.front();
    }
    static fs::path binary() { return installed("qorvex"); }
    static fs::path desktopEntry() { return installed(".*\\.desktop"); }

    static std::unique_ptr<test::TempDir> prefix_;
    static CommandResult install_;
};

std::unique_ptr<test::TempDir> InstalledTree::prefix_;
CommandResult InstalledTree::install_;

TEST_F(InstalledTree, GameFindsTheGeneratedContentWhereItLooksFromItsFolder) {
    const fs::path game = binary();
    ASSERT_FALSE(game.empty());
    EXPECT_EQ(game.string().rfind((prefix_->path() / "usr").string(), 0), 0u) << "below DESTDIR: " << game;
    EXPECT_NE(fs::status(game).permissions() & fs::perms::owner_exec, fs::perms::none);
    const fs::path data = game.parent_path() / BuildInfo::contentFromBinary() / "Data";
    ASSERT_TRUE(fs::is_directory(data)) << data;

    std::vector<std::string> generated = filesBelow(test::contentDir() / "Data");
    std::erase(generated, "contact-sheet.png"); // a developer's look at the textures
    const std::vector<std::string> files = filesBelow(data);
    EXPECT_EQ(files, generated);
    // Of the files the game writes, only its built-in demo ships, exactly as generated.
    for (const std::string& file : files)
        EXPECT_TRUE(!content::isGameWritten(file) || content::isInstallableDefault(file)) << file;
    EXPECT_TRUE(contents(data / "demo.dat") == contents(test::contentDir() / "Data/demo.dat"));
}

TEST_F(InstalledTree, DesktopEntryValidatesAndNamesTheInstalledGameAndIcon) {
    const fs::path entry = desktopEntry();
    ASSERT_FALSE(entry.empty());
    const CommandResult validation = runCommand("desktop-file-validate " + quoted(entry));
    expectClean(validation, "desktop-file-validate");
    EXPECT_EQ(validation.output, "");

    const std::string text = contents(entry);
    const std::string exec = desktopValue(text, "Exec");
    EXPECT_EQ(exec.substr(0, exec.find(' ')), binary().filename().string());
    const std::string icon = desktopValue(text, "Icon");
    const fs::path theme = entry.parent_path().parent_path() / "icons" / "hicolor";
    for (int size : content::kIconSizes) {
        const std::string side = std::to_string(size);
        const auto [width, height] = pngSize(theme / (side + "x" + side) / "apps" / (icon + ".png"));
        EXPECT_EQ(width, static_cast<uint32_t>(size)) << icon << " at " << side;
        EXPECT_EQ(height, static_cast<uint32_t>(size)) << icon << " at " << side;
    }
}

// Replay files open with the game: the desktop entry takes a file and names the type the
// installed MIME package gives *.qvr files and their magic.
TEST_F(InstalledTree, ReplayFilesHaveATypeTheDesktopEntryOpens) {
    const fs::path mime = installed(".*Qorvex\\.xml");
    ASSERT_FALSE(mime.empty());
    EXPECT_EQ(mime.parent_path().filename(), "packages");
    const std::string xml = contents(mime);
    const std::string entry = contents(desktopEntry());
    EXPECT_EQ(desktopValue(entry, "MimeType"), "application/x-qorvex-replay;");
    EXPECT_NE(xml.find("<mime-type type=\"application/x-qorvex-replay\">"), std::string::npos) << xml;
    EXPECT_NE(xml.find("<glob pattern=\"*.qvr\"/>"), std::string::npos) << xml;
    EXPECT_NE(xml.find("value=\"QVREPLAY\""), std::string::npos) << xml;
    EXPECT_NE(desktopValue(entry, "Exec").find(" %f"), std::string::npos);
    const CommandResult lint = runCommand("xmllint --noout " + quoted(mime));
    expectClean(lint, "xmllint");
}

TEST_F(InstalledTree, MetainfoValidatesAndLaunchesTheDesktopEntry) {
    const fs::path metainfo = installed(".*\\.metainfo\\.xml");
    ASSERT_FALSE(metainfo.empty());
    const CommandResult validation = runCommand("appstreamcli validate --no-net " + quoted(metainfo));
    expectClean(validation, "appstreamcli");
    // Errors fail the validation; warnings ("W: ...") would be let through.
    EXPECT_EQ(validation.output.find("\nW: "), std::string::npos) << validation.output;
    EXPECT_NE(validation.output.rfind("W: ", 0), 0u) << validation.output;

    const std::string xml = contents(metainfo);
    EXPECT_EQ(metainfo.filename().string(), xmlText(xml, "id") + ".metainfo.xml");
    EXPECT_EQ(xmlText(xml, "launchable"), desktopEntry().filename().string());
    EXPECT_EQ(xmlText(xml, "binary"), binary().filename().string());
    EXPECT_NE(xml.find("<release version=\"" + std::string(BuildInfo::version()) + "\""), std::string::npos);
}

TEST_F(InstalledTree, ManualPageRendersWithoutWarningsAndDocumentsEveryOption) {
    const fs::path page = installed("qorvex\\.6");
    ASSERT_FALSE(page.empty());
    const CommandResult warnings = runCommand("groff -man -ww -z " + quoted(page));
    expectClean(warnings, "groff");
    EXPECT_EQ(warnings.output, "");
    const CommandResult rendered = runCommand("MANPAGER=cat MANWIDTH=80 man -l " + quoted(page));
    expectClean(rendered, "man");
    EXPECT_NE(rendered.output.find("EXIT STATUS"), std::string::npos) << rendered.output;

    // Every option the game's usage lists has an entry of its own (".TP" then ".B \-\-gl").
    const std::string source = std::regex_replace(contents(page), std::regex(R"(\\-)"), "-");
    const std::string usage = CommandLine::usage();
    const std::regex option("--[a-z-]+");
    for (auto it = std::sregex_iterator(usage.begin(), usage.end(), option); it != std::sregex_iterator();
         ++it) {
        const std::regex entry("\\.TP\\n\\.B[IR]? " + it->str() + "[\\s\"]");
        EXPECT_TRUE(std::regex_search(source, entry)) << it->str() << " has no entry";
    }
}

// Every folder and file below root made read-only, as an installed tree is to a player; undone
// when it goes, so the tree can be removed.
class ReadOnlyTree {
  public:
    explicit ReadOnlyTree(fs::path root) : root_(std::move(root)) {
        apply(fs::perms::owner_write, fs::perm_options::remove);
    }
    ~ReadOnlyTree() { apply(fs::perms::owner_write, fs::perm_options::add); }
    ReadOnlyTree(const ReadOnlyTree&) = delete;
    ReadOnlyTree& operator=(const ReadOnlyTree&) = delete;

  private:
    void apply(fs::perms perms, fs::perm_options how) const {
        std::error_code ec;
        fs::permissions(root_, perms, how, ec);
        for (const auto& entry : fs::recursive_directory_iterator(root_, ec))
            fs::permissions(entry.path(), perms, how, ec);
    }
    fs::path root_;
};

// The installed game started by a player from an unrelated folder: its best run and scores go to
// the player's data folder and nothing else, and the next start plays that run as its demo.
TEST_F(InstalledTree, PlaysFromAnyFolderAndKeepsThePlayersFilesInTheirHome) {
    const fs::path game = binary();
    ASSERT_FALSE(game.empty());
    test::TempDir home, elsewhere;
    const auto installedBefore = test::filesWithTimes(prefix_->path());
    {
        ReadOnlyTree readOnly(prefix_->path());
        test::GameProcess player{game, {}, elsewhere.path(), {}};
        player.environment = {{"HOME", home.path().string()},
                              {"XDG_DATA_HOME", std::nullopt},
                              {"XDG_CONFIG_HOME", std::nullopt}};
        test::playABestRunThenSeeItReplayed(player);
    }
    EXPECT_EQ(test::filesWithTimes(prefix_->path()), installedBefore) << "nothing written in the install";

    const fs::path saves = home.path() / ".local/share/qorvex";
    std::vector<std::string> expected{"HiScore.txt", "demo.dat", "demo.pair",
                                      "dgoal.dat",   "replays/", "score.dat"};
    std::vector<std::string> written;
    for (const auto& [path, sizeAndTime] : test::filesWithTimes(home.path())) {
        const std::string name = fs::relative(path, saves).generic_string();
        // The run's replay, named after the moment it ended.
        written.push_back(name.starts_with("replays/") && name.ends_with("_endless_7711.qvr") ? "replays/"
                                                                                              : name);
    }
    EXPECT_EQ(written, expected) << "only the player's files, only in " << saves;
    EXPECT_EQ(filesBelow(elsewhere.path()), (std::vector<std::string>{"demo.jsonl", "keys.txt", "run.jsonl"}))
        << "the working folder holds only what the test asked for";
}

} // namespace
} // namespace qv
