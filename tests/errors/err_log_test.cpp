#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>

#include "errors/err_container.h"
#include "errors/error_exception.h"
#include "errors/log_lines.h"
#include "support/temp_user_folders.h"

namespace tessel {
namespace {

namespace fs = std::filesystem;

const std::string kStamp = R"(\d\d\.\d\d\.\d{4} \d\d:\d\d:\d\d)";

class ErrLog : public ::testing::Test {
protected:
    fs::path logPath() const { return fs::path(err.Folders().Log()) / err.LogFile().FileName(); }

    std::string fileBytes() const {
        std::ifstream in(logPath(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    void writeFile(const std::string& bytes) const {
        std::ofstream(logPath(), std::ios::binary) << bytes;
    }

    // The file's lines, each of which must end with CR LF.
    std::vector<std::string> fileLines() const {
        const auto bytes = fileBytes();
        std::vector<std::string> lines;
        std::string::size_type start = 0;
        while (start < bytes.size()) {
            const auto end = bytes.find("\r\n", start);
            EXPECT_NE(end, std::string::npos) << "unterminated line in " << bytes;
            if (end == std::string::npos) break;
            lines.push_back(bytes.substr(start, end - start));
            start = end + 2;
        }
        return lines;
    }

    TempUserFolders user;
    TErrContainer err;
};

TEST_F(ErrLog, LogErrorsWritesOneLinePerNonZeroCode) {
    err.LogFile().setLogErrors(true);
    err.setLastErrorCode(0);
    EXPECT_FALSE(fs::exists(logPath()));

    err.setLastErrorCode(-26);
    auto lines = fileLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(std::regex_match(
        lines[0], std::regex(R"(\[)" + kStamp +
                             R"(\]\[ErrorCode:-26\]: General error/Unknown error\. \[-26\])")))
        << lines[0];

    err.setLastErrorCode(-26);
    err.setLastErrorCode(0);
    EXPECT_EQ(fileLines().size(), 2u);
}

TEST_F(ErrLog, LineFormatsOfEveryMethod) {
    err.setLastErrorCode(53);
    struct Case {
        TLogFileFormats format;
        std::function<bool()> log;
        std::string pattern;
    };
    const std::string message = R"(He said "hi")";
    const std::string unknown53 = R"(General error/Unknown error\. \[53\])";
    const Case cases[] = {
        {TLogFileFormats::txt, [&] { return err.log_Message(message); },
         R"(\[)" + kStamp + R"(\]: He said "hi")"},
        {TLogFileFormats::csv, [&] { return err.log_Message(message); },
         "\"" + kStamp + R"(";"He said "hi"";)"},
        // The given code goes beside the current text, not the code's own text.
        {TLogFileFormats::txt, [&] { return err.log_MessageByCode(-7); },
         R"(\[)" + kStamp + R"(\]\[ErrorCode:-7\]: )" + unknown53},
        {TLogFileFormats::csv, [&] { return err.log_MessageByCode(-7); },
         "\"" + kStamp + R"(";"ErrorCode:-7";")" + unknown53 + "\";"},
        {TLogFileFormats::txt, [&] { return err.log_LastError(); },
         R"(\[)" + kStamp + R"(\]\[ErrorCode:53\]: )" + unknown53},
        {TLogFileFormats::csv, [&] { return err.log_LastError(); },
         "\"" + kStamp + R"(";"ErrorCode:53";")" + unknown53 + "\";"},
    };
    for (const auto& c : cases) {
        err.LogFile().setFileFormat(c.format);
        err.LogFile().setAppendFile(false);
        ASSERT_TRUE(c.log());
        const auto lines = fileLines();
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_TRUE(std::regex_match(lines[0], std::regex(c.pattern))) << lines[0];
    }
}

TEST_F(ErrLog, ExceptionLogGoesToTheGivenFolderUnderTheSameName) {
    const auto other = user.root() / "other" / "deeper";
    ASSERT_TRUE(err.log_Exception_Ex(other.string(), "boom"));
    std::ifstream in(other / err.LogFile().FileName(), std::ios::binary);
    const std::string bytes(std::istreambuf_iterator<char>(in), {});
    EXPECT_TRUE(std::regex_match(bytes, std::regex(R"(\[)" + kStamp + R"(\]: boom\r\n)"))) << bytes;
    EXPECT_FALSE(fs::exists(logPath()));
}

TEST_F(ErrLog, LastErrorWithCodeZeroWritesNothing) {
    EXPECT_TRUE(err.log_LastError());
    EXPECT_FALSE(fs::exists(logPath()));
}

TEST_F(ErrLog, RowLimitKeepsTheNewestRowsBelowTheLimit) {
    struct Case {
        std::int32_t limit;
        int existing;
        std::vector<std::string> kept;
    };
    const Case cases[] = {
        {3, 2, {"old 1", "old 2", "new"}},
        {3, 3, {"old 3", "new"}},
        {3, 7, {"old 7", "new"}},
        {0, 4, {"old 1", "old 2", "old 3", "old 4", "new"}},
        // A limit of 1 still keeps the row just logged.
        {1, 1, {"new"}},
    };
    for (const auto& c : cases) {
        std::string existing;
        for (int i = 1; i <= c.existing; ++i) existing += "old " + std::to_string(i) + "\r\n";
        writeFile(existing);
        err.LogFile().setRowsCountLimitation(c.limit);
        ASSERT_TRUE(err.log_Message("new"));
        auto lines = fileLines();
        for (auto& line : lines) {
            const auto message = line.find("]: ");
            if (message != std::string::npos) line = line.substr(message + 3);
        }
        EXPECT_EQ(lines, c.kept) << "limit " << c.limit << ", " << c.existing << " rows";
    }
}

TEST_F(ErrLog, ExistingLinesAreReadWithAnyLineEndAndRewrittenWithCrLf) {
    writeFile("one\ntwo\rthree\r\n");
    ASSERT_TRUE(err.log_Message("four"));
    const auto lines = fileLines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "one");
    EXPECT_EQ(lines[1], "two");
    EXPECT_EQ(lines[2], "three");
}

TEST_F(ErrLog, FileIsWrittenInTheLanguagesCodePage) {
    struct Case {
        TErrorLanguages language;
        std::string message;
        std::string bytes;
    };
    const Case cases[] = {
        {TErrorLanguages::Russian, "Ошибка", "\xCE\xF8\xE8\xE1\xEA\xE0"},
        {TErrorLanguages::Poland, "Błąd",
         "B\xB3\xB9"
         "d"},
    };
    for (const auto& c : cases) {
        err.setLanguage(c.language);
        err.LogFile().setAppendFile(false);
        ASSERT_TRUE(err.log_Message(c.message));
        const auto first = fileBytes();
        EXPECT_TRUE(first.ends_with("]: " + c.bytes + "\r\n")) << first;

        // Appending decodes the old line in the same code page: it comes back unchanged.
        err.LogFile().setAppendFile(true);
        ASSERT_TRUE(err.log_Message(c.message));
        EXPECT_TRUE(fileBytes().starts_with(first));
    }
}

TEST_F(ErrLog, RewriteModeDeletesTheOldFileFirst) {
    writeFile("old 1\r\nold 2\r\n");
    err.LogFile().setAppendFile(false);
    ASSERT_TRUE(err.log_Message("new"));
    const auto lines = fileLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(lines[0].ends_with("]: new"));
}

TEST_F(ErrLog, UnusableFolderOrFileFailsWithoutWriting) {
    // Even root cannot create a folder below a plain file.
    const auto blocker = user.root() / "plain_file";
    std::ofstream(blocker) << "x";
    const auto log = err.Folders().Log();
    err.Folders().setLog((blocker / "log").string());
    EXPECT_FALSE(err.log_Message("lost"));
    EXPECT_FALSE(err.log_Exception_Ex((blocker / "log").string(), "lost"));
    err.setLastErrorCode(-26);
    EXPECT_FALSE(err.log_LastError());
    EXPECT_FALSE(err.log_MessageByCode(-26));

    // A "file" that cannot be deleted for a rewrite: a folder with content.
    err.Folders().setLog(log);
    fs::create_directories(logPath() / "inside");
    err.LogFile().setAppendFile(false);
    EXPECT_FALSE(err.log_Message("lost"));
    EXPECT_TRUE(fs::is_directory(logPath() / "inside"));
}

TEST_F(ErrLog, FailuresRaiseWithTheMethodNamedInFront) {
    // The log "file" is a folder: it can be neither read nor written.
    fs::create_directories(logPath());
    err.setLastErrorCode(-26);
    struct Case {
        std::string method;
        std::function<void()> log;
    };
    const Case cases[] = {
        {"log_Message", [&] { err.log_Message("x"); }},
        {"log_MessageByCode", [&] { err.log_MessageByCode(-1); }},
        {"log_LastError", [&] { err.log_LastError(); }},
        {"log_Exception_Ex", [&] { err.log_Exception_Ex(err.Folders().Log(), "x"); }},
        {"log_LastError",
         [&] {
             err.LogFile().setLogErrors(true);
             err.setLastErrorCode(-5);
         }},
    };
    for (const auto& c : cases) {
        try {
            c.log();
            ADD_FAILURE() << c.method << " did not raise";
        } catch (const ETesselError& e) {
            const std::string prefix = "Exception in \"TErrContainer." + c.method + "\" metod: ";
            EXPECT_TRUE(std::string(e.what()).starts_with(prefix)) << e.what();
            EXPECT_GT(std::string(e.what()).size(), prefix.size()) << e.what();
        }
    }
    // The code was stored before the log write failed.
    EXPECT_EQ(err.LastErrorCode(), -5);
}

TEST_F(ErrLog, UnknownCodePageRaisesBeforeTouchingTheFile) {
    writeFile("kept\r\n");
    err.LogFile().setCodePage(437);
    err.LogFile().setAppendFile(false);
    EXPECT_THROW(err.log_Message("x"), ETesselError);
    EXPECT_EQ(fileBytes(), "kept\r\n");
}

TEST_F(ErrLog, CreateLogFileNeedsTheLogFolderAndTruncatesOnlyOnRequest) {
    ASSERT_TRUE(err.AccessTo().LogFolder());
    ASSERT_TRUE(err.create_LogFile(false));
    EXPECT_EQ(fileBytes(), "");

    writeFile("kept\r\n");
    ASSERT_TRUE(err.create_LogFile(false));
    EXPECT_EQ(fileBytes(), "kept\r\n");
    ASSERT_TRUE(err.create_LogFile(true));
    EXPECT_EQ(fileBytes(), "");
}

TEST(LogLines, CsvFieldsAreQuotedAsTheyAre) {
    EXPECT_EQ(to_CSVField(""), "\"\";");
    EXPECT_EQ(to_CSVField("a;\"b\""), "\"a;\"b\"\";");
    EXPECT_EQ(formatLogLine(TLogFileFormats::csv, "01.02.2024 03:04:05", -100001, "x"),
              "\"01.02.2024 03:04:05\";\"ErrorCode:-100001\";\"x\";");
}

}  // namespace
}  // namespace tessel
