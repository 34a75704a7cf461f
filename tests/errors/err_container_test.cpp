#include "errors/err_container.h"

#include "errors/error_text.h"

#include <gtest/gtest.h>

namespace tessel {
namespace {

TEST(ErrContainer, NewContainerReportsNoError) {
    TErrContainer err;
    EXPECT_EQ(err.LastErrorCode(), 0);
    EXPECT_EQ(err.LastErrorMessage(), "No error");
    EXPECT_EQ(err.Language(), TErrorLanguages::English);
    EXPECT_TRUE(err.RaiseMode());
    EXPECT_FALSE(err.LogFile().LogErrors());
}

TEST(ErrContainer, SettingACodeTextsItAtOnce) {
    TErrContainer err;
    err.setLastErrorCode(53);
    EXPECT_EQ(err.LastErrorMessage(), "General error/Unknown error. [53]");
    err.setLastErrorCode(-26);
    EXPECT_EQ(err.LastErrorCode(), -26);
    EXPECT_EQ(err.LastErrorMessage(), "General error/Unknown error. [-26]");
    err.setLastErrorCode(0);
    EXPECT_EQ(err.LastErrorMessage(), "No error");
}

TEST(ErrContainer, LanguageSwitchRetextsAndPicksTheCodePage) {
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

}  // namespace
}  // namespace tessel
