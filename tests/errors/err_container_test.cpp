#include "errors/err_container.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "errors/error_text.h"
#include "support/temp_user_folders.h"

namespace tessel {
namespace {

namespace fs = std::filesystem;

class ErrContainer : public ::testing::Test {
protected:
    TempUserFolders user;
};

std::string folderText(const fs::path& path) {
    return path.string() + "/";
}

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST_F(ErrContainer, NewContainerReportsNoError) {
    TErrContainer err;
    EXPECT_EQ(err.LastErrorCode(), 0);
    EXPECT_EQ(err.LastErrorMessage(), "No error");
    EXPECT_EQ(err.Language(), TErrorLanguages::English);
    EXPECT_TRUE(err.RaiseMode());
    EXPECT_FALSE(err.LogFile().LogErrors());
    EXPECT_EQ(err.LogFile().FileFormat(), TLogFileFormats::txt);
    EXPECT_EQ(err.LogFile().RowsCountLimitation(), 2048);
    EXPECT_EQ(err.LogFile().CodePage(), 1251);
    EXPECT_TRUE(err.LogFile().AppendFile());
}

TEST_F(ErrContainer, SettingACodeTextsItAtOnce) {
    TErrContainer err;
    err.setLastErrorCode(53);
    EXPECT_EQ(err.LastErrorMessage(), "General error/Unknown error. [53]");
    err.setLastErrorCode(-26);
    EXPECT_EQ(err.LastErrorCode(), -26);
    EXPECT_EQ(err.LastErrorMessage(), "General error/Unknown error. [-26]");
    err.setLastErrorCode(0);
    EXPECT_EQ(err.LastErrorMessage(), "No error");
}

TEST_F(ErrContainer, LanguageSwitchRetextsAndPicksTheCodePage) {
    struct Case {
        TErrorLanguages language;
        std::int32_t codePage;
    };
    const Case cases[] = {{TErrorLanguages::Poland, 1250},
                          {TErrorLanguages::Bulgarian, 1251},
                          {TErrorLanguages::Romanian, 1250},
                          {TErrorLanguages::Russian, 1251},
                          {TErrorLanguages::English, 1251}};
    TErrContainer err;
    err.setLastErrorCode(-26);
    for (const auto& c : cases) {
        err.setLanguage(c.language);
        EXPECT_EQ(err.LogFile().CodePage(), c.codePage) << static_cast<int>(c.language);
        EXPECT_EQ(err.LastErrorMessage(), errorText_ByCode(-26, c.language));
        EXPECT_EQ(err.get_ErrorMessageByCode(53), errorText_ByCode(53, c.language));
    }
}

TEST_F(ErrContainer, FoldersFollowTheUserEnvironmentAndTheProgramName) {
    const auto program = fs::read_symlink("/proc/self/exe");
    const auto programFolderBefore = namesIn(program.parent_path());
    const auto programFolderTime = fs::last_write_time(program.parent_path());
    TErrContainer err;
    EXPECT_EQ(err.Folders().AppData(), folderText(user.data()));
    EXPECT_EQ(err.Folders().Personal(), folderText(user.home()));
    EXPECT_EQ(err.Folders().RealApp(), folderText(program.parent_path()));
    EXPECT_EQ(err.Folders().Log(), folderText(user.data() / "Log" / "errors_tests"));
    EXPECT_EQ(err.LogFile().FileName(), "errors_tests_log.txt");

    EXPECT_TRUE(err.AccessTo().AppDataFolder());
    EXPECT_TRUE(err.AccessTo().PersonalFolder());
    EXPECT_TRUE(err.AccessTo().LogFolder());
    EXPECT_TRUE(fs::is_directory(err.Folders().Log()));
    // The write tests leave nothing behind, and nothing at all is written
    // next to the program.
    EXPECT_EQ(namesIn(user.data()), std::vector<std::string>{"Log"});
    EXPECT_TRUE(namesIn(user.home()).empty());
    EXPECT_TRUE(namesIn(err.Folders().Log()).empty());
    EXPECT_EQ(namesIn(program.parent_path()), programFolderBefore);
    EXPECT_EQ(fs::last_write_time(program.parent_path()), programFolderTime);
}

TEST_F(ErrContainer, DataFolderFallsBackToTheHomeFolder) {
    const std::string home = user.home().string();
    struct Case {
        std::optional<std::string> xdgDataHome;
        std::string appData;
    };
    const Case cases[] = {{std::nullopt, home + "/.local/share/"},
                          {"", home + "/.local/share/"},
                          {"relative/data", home + "/.local/share/"},
                          {user.data().string() + "/", user.data().string() + "/"}};
    for (const auto& c : cases) {
        TempUserFolders::set("XDG_DATA_HOME", c.xdgDataHome);
        TErrContainer err;
        EXPECT_EQ(err.Folders().AppData(), c.appData) << c.xdgDataHome.value_or("(unset)");
        EXPECT_EQ(err.Folders().Log(), c.appData + "Log/errors_tests/");
    }
}

TEST_F(ErrContainer, WithoutAnyUserFolderNothingIsInitialisedOrWritten) {
    TempUserFolders::set("HOME", std::nullopt);
    TempUserFolders::set("XDG_DATA_HOME", std::nullopt);
    TErrContainer err;
    EXPECT_FALSE(err.init_Folders());
    EXPECT_EQ(err.Folders().AppData(), "");
    EXPECT_EQ(err.Folders().Log(), "");
    EXPECT_FALSE(err.AccessTo().LogFolder());
    EXPECT_FALSE(err.AccessTo().PersonalFolder());
    EXPECT_FALSE(err.log_Message("nowhere"));
    EXPECT_FALSE(err.create_LogFile(true));
    EXPECT_FALSE(fs::exists(err.LogFile().FileName()));
}

TEST(Folders, EveryStoredFolderEndsWithOneDelimiter) {
    struct Case {
        std::string given;
        std::string stored;
    };
    const Case cases[] = {{"/var/log/tessel", "/var/log/tessel/"},
                          {"/var/log/tessel/", "/var/log/tessel/"},
                          {"/", "/"},
                          {"", ""}};
    for (const auto& c : cases) {
        TFolders folders;
        folders.setLog(c.given);
        folders.setAppData(c.given);
        folders.setRealApp(c.given);
        folders.setPersonal(c.given);
        EXPECT_EQ(folders.Log(), c.stored) << c.given;
        EXPECT_EQ(folders.AppData(), c.stored) << c.given;
        EXPECT_EQ(folders.RealApp(), c.stored) << c.given;
        EXPECT_EQ(folders.Personal(), c.stored) << c.given;
    }
}

TEST(AccessTo, WriteTestCreatesTheFolderAndKeepsTheUsersFiles) {
    TempUserFolders user;
    const auto folder = user.root() / "a" / "b";
    ASSERT_TRUE(TAccessTo::check_AccessToFolder(folder.string()));
    EXPECT_TRUE(namesIn(folder).empty());

    // A file of the user's own with the obvious test-file name survives.
    std::ofstream(folder / "test.txt") << "mine";
    ASSERT_TRUE(TAccessTo::check_AccessToFolder(folder.string() + "/"));
    EXPECT_EQ(namesIn(folder), std::vector<std::string>{"test.txt"});
    std::ifstream kept(folder / "test.txt");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "mine");
}

TEST(AccessTo, UnreachableFoldersFailAndSetOnlyTheirOwnFlag) {
    TempUserFolders user;
    const auto blocker = user.root() / "plain_file";
    std::ofstream(blocker) << "x";
    const auto unreachable = (blocker / "sub").string();
    EXPECT_FALSE(TAccessTo::check_AccessToFolder(unreachable));
    EXPECT_FALSE(TAccessTo::check_AccessToFolder(""));

    TAccessTo access;
    access.check_AccessTo(user.root().string(), TFolderTargetType::ftt_Personal);
    access.check_AccessTo(unreachable, TFolderTargetType::ftt_Log);
    access.check_AccessTo(user.root().string(), TFolderTargetType::ftt_Unknown);
    EXPECT_TRUE(access.PersonalFolder());
    EXPECT_FALSE(access.LogFolder());
    EXPECT_FALSE(access.AppDataFolder());
    EXPECT_FALSE(access.RealAppFolder());
}

TEST(AccessTo, ProgramFolderIsCheckedWithoutCreatingAnything) {
    TempUserFolders user;
    TAccessTo access;
    const auto missing = user.root() / "not_there";
    access.check_AccessTo(missing.string(), TFolderTargetType::ftt_RealApp);
    EXPECT_FALSE(access.RealAppFolder());
    EXPECT_FALSE(fs::exists(missing));

    access.check_AccessTo(user.root().string(), TFolderTargetType::ftt_RealApp);
    EXPECT_TRUE(access.RealAppFolder());
    EXPECT_EQ(namesIn(user.root()), std::vector<std::string>{"home"});
}

TEST(LogFile, NegativeRowLimitMeansUnlimited) {
    TLogFile file;
    file.setRowsCountLimitation(-5);
    EXPECT_EQ(file.RowsCountLimitation(), 0);
    file.setRowsCountLimitation(3);
    EXPECT_EQ(file.RowsCountLimitation(), 3);
}

TEST(LogFile, NameFollowsTheProgramAndTheFormat) {
    EXPECT_EQ(TLogFile::logFileNameFor("My Tool.exe"), "My Tool_log.txt");
    EXPECT_EQ(TLogFile::logFileNameFor("Tool.EXE"), "Tool_log.txt");
    EXPECT_EQ(TLogFile::logFileNameFor("tessel-config"), "tessel-config_log.txt");

    struct Case {
        std::string name;
        TLogFileFormats format;
        std::string renamed;
    };
    const Case cases[] = {
        {"app_log.txt", TLogFileFormats::csv, "app_log.csv"},
        {"app_log.csv", TLogFileFormats::txt, "app_log.txt"},
        {"app_log.csv", TLogFileFormats::csv, "app_log.csv"},
        // Found case-sensitively, replaced case-insensitively.
        {"app.TXT_log.txt", TLogFileFormats::csv, "app.csv_log.csv"},
        {"APP_LOG.TXT", TLogFileFormats::csv, "APP_LOG.TXT"},
        {"journal", TLogFileFormats::csv, "journal"},
    };
    for (const auto& c : cases) {
        TLogFile file;
        file.setFileName(c.name);
        file.setFileFormat(c.format);
        EXPECT_EQ(file.FileFormat(), c.format);
        EXPECT_EQ(file.FileName(), c.renamed) << c.name;
    }
}

TEST_F(ErrContainer, DefaultFileNameSwitchesBetweenCsvAndTxt) {
    TErrContainer err;
    err.LogFile().setFileFormat(TLogFileFormats::csv);
    EXPECT_EQ(err.LogFile().FileName(), "errors_tests_log.csv");
    err.LogFile().setFileFormat(TLogFileFormats::txt);
    EXPECT_EQ(err.LogFile().FileName(), "errors_tests_log.txt");
}

}  // namespace
}  // namespace tessel
