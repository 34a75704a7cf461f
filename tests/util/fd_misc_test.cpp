#include "util/fd_misc.h"

#include <gtest/gtest.h>

#include "util/scripted_presenter.h"

namespace tessel {
namespace {

const StringList kTab{"\t"};

struct SplitCase {
    const char* what;
    std::string source;
    StringList delimiters;
    StringList expected;
};

TEST(FillAnswerList, SplitsAtEveryDelimiter) {
    const SplitCase cases[] = {
        {"answer with an empty field", "0\t1\t\t3\t", kTab, {"0", "1", "", "3"}},
        {"leading delimiter", "\tA", kTab, {"", "A"}},
        {"only delimiters", "\t\t", kTab, {"", ""}},
        {"no trailing delimiter", "A\tB", kTab, {"A", "B"}},
        {"no delimiters at all", "A\tB", {}, {"A\tB"}},
        {"empty source", "", kTab, {}},
        {"several delimiters", "a,b;c", {",", ";"}, {"a", "b", "c"}},
        {"multi-byte delimiter", "a\u00A7b\u00A7", {"\u00A7"}, {"a", "b"}},
        {"multi-byte text kept whole", "\u0428\t\u0436", kTab, {"\u0428", "\u0436"}},
        {"longer entries never match", "a\t b", {"\t "}, {"a\t b"}},
    };
    for (const auto& c : cases) {
        StringList target{"stale"};
        EXPECT_EQ(TFDMisc::fillAnswerList(c.source, c.delimiters, target),
                  static_cast<int>(c.expected.size()))
            << c.what;
        EXPECT_EQ(target, c.expected) << c.what;
    }
}

TEST(Hex, DigitsAndBytes) {
    std::string text;
    TFDMisc::putByteToHEX(10, text);
    TFDMisc::putByteToHEX(255, text);
    EXPECT_EQ(text, "0A FF ");
    EXPECT_EQ(TFDMisc::byteToHex(171), "ab");
    EXPECT_EQ(TFDMisc::byteToHex(10), "0a");
    EXPECT_EQ(TFDMisc::hexToByte("1B"), 0x1B);
    EXPECT_EQ(TFDMisc::hexToByte("ff"), 0xFF);
    EXPECT_EQ(TFDMisc::hexToByte("F"), 0xF0);
    EXPECT_EQ(TFDMisc::hexToByte(""), 0);
    // Not validated: "G" is 71 - 55.
    EXPECT_EQ(TFDMisc::hexDigit('G'), 16);
    EXPECT_EQ(TFDMisc::hexDigit('z'), 35);
}

TEST(Bits, SetBitIntoIntUsesTheIndexModulo32) {
    std::int32_t value = 0;
    TFDMisc::setBitIntoInt(0, 1, value);
    TFDMisc::setBitIntoInt(33, 5, value);
    EXPECT_EQ(value, 3);
    TFDMisc::setBitIntoInt(31, 1, value);
    EXPECT_EQ(static_cast<std::uint32_t>(value), 0x80000003u);
    TFDMisc::setBitIntoInt(1, 0, value);
    TFDMisc::setBitIntoInt(-1, -1, value);
    EXPECT_EQ(value, 1);
}

TEST(Conversions, CodePage1251RoundTrip) {
    const Bytes bytes = TFDMisc::convert_WideString_ToAnsi1251("\u0419\u043E\u0433 \u20AC");
    EXPECT_EQ(bytes, (Bytes{0xC9, 0xEE, 0xE3, ' ', 0x88}));
    EXPECT_EQ(TFDMisc::convert_Ansi1251_ToWideString(bytes), "\u0419\u043E\u0433 \u20AC");
    EXPECT_EQ(TFDMisc::convert_WideString_ToAnsiString("\u0160", 1250), Bytes{0x8A});
    EXPECT_EQ(TFDMisc::convert_AnsiString_ToWideString(Bytes{0x8A}, 1252), "\u0160");
}

class MessageHelpers : public testing::Test {
protected:
    MessageHelpers() { misc.setDialogPresenter(&presenter); }
    TFDMisc misc;
    TScriptedPresenter presenter;
};

TEST_F(MessageHelpers, AlertUsesCaptionWhenTitleIsEmpty) {
    misc.show_MyAlert("first");
    misc.setMyMessagesCaption("Tessel");
    misc.myAlert("second", "", TMiscDialogTypes::inf_OkBtn);
    misc.myAlert("third", "Own", TMiscDialogTypes::inf_OkBtn);
    misc.myAlert("not shown", "Own", TMiscDialogTypes::qstn_YesNo_FBtn);
    ASSERT_EQ(presenter.requests().size(), 3u);
    EXPECT_EQ(presenter.requests()[0].title, "");
    EXPECT_EQ(presenter.requests()[1].title, "Tessel");
    EXPECT_EQ(presenter.requests()[2].title, "Own");
    EXPECT_EQ(presenter.requests()[2].icon, TDialogIcon::None);
    EXPECT_EQ(presenter.requests()[2].buttons, TDialogButtons::Ok);
}

TEST_F(MessageHelpers, InformationWithoutOwnerUsesThePlatformDialog) {
    misc.myInformation("The data was saved in the device.", "Tessel", TMiscDialogTypes::inf_OkBtn);
    int owner = 0;
    misc.setOwnerWindow(&owner);
    misc.myInformation("owned", "Tessel", TMiscDialogTypes::inf_OkBtn);
    misc.myInformation("not shown", "Tessel", TMiscDialogTypes::qstn_YesNo_SBtn);
    ASSERT_EQ(presenter.requests().size(), 2u);
    EXPECT_TRUE(presenter.requests()[0].platformInformation);
    EXPECT_EQ(presenter.requests()[0].icon, TDialogIcon::Information);
    EXPECT_FALSE(presenter.requests()[1].platformInformation);
    EXPECT_EQ(presenter.requests()[1].title, "Tessel");
    EXPECT_EQ(presenter.requests()[1].ownerWindow, &owner);
}

TEST_F(MessageHelpers, QuestionsReturnTheAnswerAndDefaultButton) {
    presenter.queueAnswer(kDialogNo);
    presenter.queueAnswer(kDialogYes);
    EXPECT_FALSE(misc.myQuestion_Boolean("Are you sure?", "", TMiscDialogTypes::qstn_YesNo_FBtn));
    EXPECT_EQ(misc.myQuestion("Are you sure?", "", TMiscDialogTypes::qstn_YesNo_SBtn), kDialogYes);
    // Unscripted: the default button answers.
    EXPECT_EQ(
        misc.myQuestion("Fiscalization. Are you sure?", "", TMiscDialogTypes::qstn_YesNo_SBtn),
        kDialogNo);
    EXPECT_TRUE(misc.myQuestion_Boolean("q", "", TMiscDialogTypes::qstn_YesNo_FBtn));
    const auto& requests = presenter.requests();
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_TRUE(requests[0].yesIsDefault);
    EXPECT_FALSE(requests[1].yesIsDefault);
    EXPECT_FALSE(requests[2].yesIsDefault);
    EXPECT_EQ(requests[0].icon, TDialogIcon::Question);
    EXPECT_EQ(requests[0].buttons, TDialogButtons::YesNo);
}

TEST(MessageHelpersWithoutPresenter, NothingShownAndQuestionsAnswerNo) {
    TFDMisc misc;
    misc.show_MyAlert("x");
    EXPECT_EQ(misc.myQuestion("q", "", TMiscDialogTypes::qstn_YesNo_FBtn), kDialogNo);
    EXPECT_FALSE(misc.myQuestion_Boolean("q", "", TMiscDialogTypes::qstn_YesNo_FBtn));
}

}  // namespace
}  // namespace tessel
