#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "errors/err_container.h"
#include "errors/error_group.h"
#include "errors/error_text.h"

namespace tessel {
namespace {

constexpr TErrorLanguages kAllLanguages[] = {TErrorLanguages::Bulgarian, TErrorLanguages::English,
                                             TErrorLanguages::Russian, TErrorLanguages::Romanian,
                                             TErrorLanguages::Poland};

TEST(ErrorCatalogue, GroupsRunDownwardWithoutOverlapInsideTheTwoClassifiedAreas) {
    const auto groups = errorGroups();
    ASSERT_EQ(groups.size(), 51u);
    EXPECT_EQ(groups.front().lowest, 1);
    EXPECT_EQ(groups.front().highest, 52);
    for (std::size_t i = 0; i < groups.size(); ++i) {
        const TErrorGroup& group = groups[i];
        SCOPED_TRACE("group " + std::to_string(group.highest));
        EXPECT_LE(group.lowest, group.highest);
        EXPECT_TRUE(group.supports(TErrorLanguages::English));
        if (i > 0) {
            EXPECT_GE(group.highest, -200000);
            EXPECT_LE(group.highest, -1);
            EXPECT_LT(group.highest, groups[i - 1].lowest) << "overlaps or is out of order";
        }
    }
}

TEST(ErrorCatalogue, EveryGroupIsFoundAtBothEndsOfItsRangeAndNotBeyond) {
    for (const TErrorGroup& group : errorGroups()) {
        SCOPED_TRACE("group " + std::to_string(group.highest));
        EXPECT_EQ(errorGroup_ByCode(group.lowest), &group);
        EXPECT_EQ(errorGroup_ByCode(group.highest), &group);
        EXPECT_EQ(errorGroup_ByCode((group.lowest + group.highest) / 2), &group);
        EXPECT_NE(errorGroup_ByCode(group.lowest - 1), &group);
        EXPECT_NE(errorGroup_ByCode(group.highest + 1), &group);
    }
}

TEST(ErrorCatalogue, CodesOutsideEveryRangeBelongToNoGroup) {
    for (std::int32_t code :
         {0, 53, -26, -9999, -10015, -43000, -43150, -99999, -100000, -101017, -101501, -114001,
          -118008, -200000, -200001, std::numeric_limits<std::int32_t>::max(),
          std::numeric_limits<std::int32_t>::min()}) {
        EXPECT_EQ(errorGroup_ByCode(code), nullptr) << code;
    }
}

TEST(ErrorCatalogue, LanguageCoverageFollowsTheGroup) {
    const TErrorGroup* legacy = errorGroup_ByCode(-150101);
    const TErrorGroup* logo = errorGroup_ByCode(-42003);
    const TErrorGroup* pinPadResults = errorGroup_ByCode(7);
    const TErrorGroup* registration = errorGroup_ByCode(-111004);
    ASSERT_TRUE(legacy && logo && pinPadResults && registration);

    EXPECT_FALSE(legacy->supports(TErrorLanguages::Poland));
    EXPECT_TRUE(legacy->supports(TErrorLanguages::Romanian));
    EXPECT_FALSE(logo->supports(TErrorLanguages::Poland));
    EXPECT_FALSE(pinPadResults->supports(TErrorLanguages::Romanian));
    EXPECT_FALSE(pinPadResults->supports(TErrorLanguages::Poland));
    EXPECT_TRUE(pinPadResults->supports(TErrorLanguages::Russian));
    for (TErrorLanguages language : kAllLanguages) {
        EXPECT_TRUE(registration->supports(language));
    }
    EXPECT_FALSE(legacy->table(TErrorLanguages::Poland).has_value());
    EXPECT_FALSE(pinPadResults->table(TErrorLanguages::English).has_value());
    EXPECT_TRUE(registration->table(TErrorLanguages::English).has_value());
}

// The lookup searches the tables by halving, so each must be strictly decreasing;
// a text outside its group's range could never be found.
TEST(ErrorCatalogue, TablesAreSortedUniqueInsideTheirRangeAndEveryTextIsFound) {
    int tables = 0;
    for (const TErrorGroup& group : errorGroups()) {
        const auto table = group.table(TErrorLanguages::English);
        if (!table) continue;
        ++tables;
        SCOPED_TRACE("group " + std::to_string(group.highest));
        ASSERT_FALSE(table->empty());
        for (std::size_t i = 0; i < table->size(); ++i) {
            const TErrorText& entry = (*table)[i];
            EXPECT_TRUE(group.contains(entry.code)) << entry.code;
            EXPECT_FALSE(entry.text.empty()) << entry.code;
            if (i > 0) {
                EXPECT_LT(entry.code, (*table)[i - 1].code) << "unsorted or duplicate";
            }
            EXPECT_EQ(errorText_ByCode(entry.code, TErrorLanguages::English), entry.text);
        }
    }
    EXPECT_EQ(tables, 32);
}

TEST(ErrorCatalogue, TextOfFindsListedCodesOnlyInAnyPositionOfTheTable) {
    constexpr TErrorText kTable[] = {{-1, "one"}, {-2, "two"}, {-5, "five"}, {-9, "nine"}};
    EXPECT_EQ(textOf(kTable, -1), "one");
    EXPECT_EQ(textOf(kTable, -5), "five");
    EXPECT_EQ(textOf(kTable, -9), "nine");
    for (std::int32_t absent : {0, -3, -4, -8, -10}) {
        EXPECT_FALSE(textOf(kTable, absent).has_value()) << absent;
    }
    EXPECT_FALSE(textOf(TErrorTable{}, -1).has_value());
}

// Keeps the container's folders away from the user's own while a test runs.
class CatalogueInContainer : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "catalogue-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        home_ = pattern;
        for (const char* name : {"HOME", "XDG_DATA_HOME", "XDG_DOCUMENTS_DIR"}) {
            const char* value = std::getenv(name);
            saved_.push_back({name, value ? std::optional<std::string>(value) : std::nullopt});
            setenv(name, home_.c_str(), 1);
        }
    }
    void TearDown() override {
        for (const auto& [name, value] : saved_) {
            if (value) {
                setenv(name, value->c_str(), 1);
            } else {
                unsetenv(name);
            }
        }
        std::filesystem::remove_all(home_);
    }

private:
    std::string home_;
    std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
};

TEST_F(CatalogueInContainer, LastErrorMessageFollowsTheCatalogueAndTheLanguage) {
    TErrContainer err;
    err.setLastErrorCode(-111004);
    EXPECT_EQ(err.LastErrorMessage(), "Registration mode error: PLU code was not found");
    err.setLastErrorCode(-10501);
    EXPECT_EQ(err.LastErrorMessage(), "");
    err.setLastErrorCode(-150101);
    EXPECT_EQ(err.LastErrorMessage(), "Paper end");
    err.setLanguage(TErrorLanguages::Poland);
    EXPECT_EQ(err.LastErrorMessage(), "General error/Unknown error. [-150101]");
    err.setLanguage(TErrorLanguages::English);
    EXPECT_EQ(err.LastErrorMessage(), "Paper end");
}

}  // namespace
}  // namespace tessel
