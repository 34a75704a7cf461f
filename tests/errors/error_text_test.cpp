#include "errors/error_text.h"

#include <gtest/gtest.h>

namespace tessel {
namespace {

TEST(ErrorText, FallbackTextsForZeroAndCodesOutsideEveryGroup) {
    EXPECT_EQ(errorText_ByCode(0, TErrorLanguages::English), "No error");
    EXPECT_EQ(errorText_ByCode(53, TErrorLanguages::English), "General error/Unknown error. [53]");
    EXPECT_EQ(errorText_ByCode(-26, TErrorLanguages::Poland), "General error/Unknown error. [-26]");
}

}  // namespace
}  // namespace tessel
