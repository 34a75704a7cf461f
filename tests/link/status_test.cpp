#include <gtest/gtest.h>

#include "link/low_level.h"
#include "link/status_model_table.h"

namespace tessel {
namespace {

using enum TErrorChecking;

TEST(StatusTable, StartsWithEveryBitInUseAndNamedByItsPosition) {
    TFPStatuses t;
    EXPECT_EQ(t.statusByteCount(), 6);
    EXPECT_EQ(t.packetFormat(), TPacketFormat::protocol_Type1);
    EXPECT_EQ(t.currentSBytesCase(), ccEndUser);
    for (int slot : {0, 1, 2}) EXPECT_EQ(t.get_Description(4, 2, slot), "Status bit[4,2]");
    EXPECT_TRUE(t.get_BitInUse(7, 7));
    EXPECT_FALSE(t.get_State(0, 0));
    for (TErrorChecking c : kErrorCheckingCases) EXPECT_FALSE(t.get_CheckingFor(3, 3, c));

    EXPECT_EQ(TFPStatuses(2).statusByteCount(), 6);
    EXPECT_EQ(TFPStatuses(7).statusByteCount(), 7);
    EXPECT_EQ(TFPStatuses(12).statusByteCount(), 8);
}

TEST(StatusTable, BytesInUseFollowThePacketFormat) {
    TFPStatuses t;
    struct Case {
        TPacketFormat format;
        int byteIndex;
        bool inUse;
    } cases[] = {
        {TPacketFormat::protocol_Type1, 0, true},  {TPacketFormat::protocol_Type1, 5, true},
        {TPacketFormat::protocol_Type1, 6, false}, {TPacketFormat::protocol_Type1, 7, false},
        {TPacketFormat::protocol_Type2, 6, true},  {TPacketFormat::protocol_Type2, 7, true},
        {TPacketFormat::protocol_Type2, 8, false}, {TPacketFormat::protocol_Type2, -1, false},
    };
    for (const Case& c : cases) {
        t.set_StatusPacketFormat(c.format);
        EXPECT_EQ(t.get_ByteInUse(c.byteIndex), c.inUse)
            << "format " << int(c.format) << " byte " << c.byteIndex;
    }
}

TEST(StatusTable, DescriptionSlotsByLanguageIndex) {
    TFPStatuses t;
    t.set_Description(1, 1, 0, "zero");
    t.set_Description(1, 1, 1, "one");
    t.set_Description(1, 1, 2, "two");
    struct Case {
        int languageIndex;
        const char* text;
    } cases[] = {{0, "zero"}, {1, "one"}, {2, "two"}, {7, "zero"}, {-1, "zero"}};
    for (const Case& c : cases) {
        EXPECT_EQ(t.get_Description(1, 1, c.languageIndex), c.text) << c.languageIndex;
    }
    EXPECT_EQ(t.get_Description(1, 1), "one");

    t.set_Description(1, 1, 5, "five");  // an unknown slot writes slot 0
    EXPECT_EQ(t.get_Description(1, 1, 0), "five");
    t.set_Description(1, 1, "all");
    for (int slot : {0, 1, 2}) EXPECT_EQ(t.get_Description(1, 1, slot), "all");
}

TEST(StatusTable, IndexesOutsideTheTableAreRefusedWithoutEffect) {
    TFPStatuses t;
    EXPECT_FALSE(t.set_State(8, 0, true));
    EXPECT_FALSE(t.set_State(0, -1, true));
    EXPECT_FALSE(t.set_CheckingFor(0, 8, true, ccEndUser));
    EXPECT_FALSE(t.set_Description(-1, 0, "x"));
    EXPECT_FALSE(t.get_BitInUse(0, 8));
    EXPECT_EQ(t.get_Description(9, 9, 1), "");
}

TEST(LowLevel, ProtocolTypeSetsSizesAndRefreshesTheMirror) {
    TLowLevel ll;
    EXPECT_EQ(ll.ProtocolType(), TPacketFormat::protocol_Type1);
    EXPECT_EQ(ll.commandSize(), TTargetSize::tsByte);
    EXPECT_EQ(ll.dataLengthSize(), TTargetSize::tsByte);
    EXPECT_EQ(ll.errorCheckType(), ccEndUser);
    EXPECT_EQ(ll.statusBytes().ByteCountInUse(), 6);
    EXPECT_TRUE(ll.statusBytes().Byte_5().InUse());
    EXPECT_FALSE(ll.statusBytes().Byte_6().InUse());
    EXPECT_EQ(ll.statusBytes().Byte_4().Bit_2().TextDescription(), "Status bit[4,2]");

    ll.set_sBytesDescription(2, 0, 1, "# Sfarsit hartie.");
    ll.set_sBytesBitInUse(2, 0, false);
    ll.set_sBytesChecking(2, 0, ccService, true);
    // Only the table changed; the mirror waits for the next refresh.
    EXPECT_EQ(ll.statusBytes().Byte_2().Bit_0().TextDescription(), "Status bit[2,0]");
    EXPECT_TRUE(ll.statusBytes().Byte_2().Bit_0().InUse());
    EXPECT_FALSE(ll.statusBytes().Byte_2().Bit_0().Error_ForService());

    ll.setProtocolType(TPacketFormat::protocol_Type2);
    EXPECT_EQ(ll.commandSize(), TTargetSize::tsWord);
    EXPECT_EQ(ll.dataLengthSize(), TTargetSize::tsWord);
    EXPECT_EQ(ll.statusBytes().ByteCountInUse(), 8);
    EXPECT_TRUE(ll.statusBytes().Byte_7().InUse());
    const TStatusBit& bit = ll.statusBytes().Byte_2().Bit_0();
    EXPECT_EQ(bit.TextDescription(), "# Sfarsit hartie.");
    EXPECT_FALSE(bit.InUse());
    EXPECT_TRUE(bit.Error_ForService());
    EXPECT_FALSE(bit.Error_ForEndUser());
}

TEST(LowLevel, StatusPacketFormatAloneLeavesTheMirror) {
    TLowLevel ll;
    EXPECT_TRUE(ll.set_sBytesStatusPacketFormat(TPacketFormat::protocol_Type2));
    EXPECT_EQ(ll.statusBytes().ByteCountInUse(), 8);
    EXPECT_EQ(ll.commandSize(), TTargetSize::tsWord);
    EXPECT_FALSE(ll.statusBytes().Byte_6().InUse());
    ll.init_Statuses();
    EXPECT_TRUE(ll.statusBytes().Byte_6().InUse());
}

TEST(LowLevel, StateSetterKeepsTheMirrorBitInStep) {
    TLowLevel ll;
    EXPECT_TRUE(ll.set_sBytesState(3, 7, true));
    EXPECT_TRUE(ll.get_sBytesState(3, 7));
    EXPECT_TRUE(ll.statusBytes().Byte_3().Bit_7().CurrentState());
    EXPECT_FALSE(ll.set_sBytesState(3, 8, true));

    ll.init_Statuses();
    EXPECT_FALSE(ll.statusBytes().Byte_3().Bit_7().CurrentState());
}

TEST(LowLevel, CheckingForAllSetsEveryCase) {
    TLowLevel ll;
    EXPECT_TRUE(ll.set_sBytesCheckingForAll(4, 6, true));
    for (TErrorChecking c : kErrorCheckingCases) EXPECT_TRUE(ll.get_sBytesCheckingFor(4, 6, c));
    EXPECT_TRUE(ll.set_sBytesCheckingForAll(4, 6, false));
    for (TErrorChecking c : kErrorCheckingCases) EXPECT_FALSE(ll.get_sBytesCheckingFor(4, 6, c));
    EXPECT_FALSE(ll.set_sBytesCheckingForAll(4, 8, true));
}

TEST(LowLevel, AssignSharesTheStatusBytes) {
    TLowLevel a;
    TLowLevel b;
    a.setProtocolType(TPacketFormat::protocol_Type2);
    a.setErrorCheckType(ccService);
    b.Assign(a);
    EXPECT_EQ(b.ProtocolType(), TPacketFormat::protocol_Type2);
    EXPECT_EQ(b.errorCheckType(), ccService);
    b.set_sBytesState(1, 1, true);
    EXPECT_TRUE(a.get_sBytesState(1, 1));
    EXPECT_TRUE(a.statusBytes().Byte_1().Bit_1().CurrentState());
}

TEST(ModelStatusTable, TextsByColumn) {
    struct Case {
        int byteIndex, bitIndex, selector;
        const char* text;
    } cases[] = {
        {0, 0, 0, "# Syntax error"},
        {0, 0, 1, "# Eroare sintaxa."},
        {0, 0, 2, "# Syntax error"},
        {1, 4, 1, "Permanent 0."},
        {4, 5, 0, "OR of all errors marked with \u2018*\u2019 from Bytes 4 \u010d 5"},
        {4, 5, 1, "Afisare asociata pentru erorile marcate cu \u2018*\u2019 la octetii 4 si 5."},
        {6, 7, 1, "Always 1"},
        {7, 2, 0, "Always 0"},
        {7, 3, 0, "Always 0."},
        {7, 7, 1, "Always 1."},
        {8, 0, 0, ""},
        {0, -1, 1, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(get_StatusBitText(c.byteIndex, c.bitIndex, c.selector), c.text)
            << c.byteIndex << "," << c.bitIndex << " selector " << c.selector;
    }
}

TEST(ModelStatusTable, ByteErrorsFollowTheModel) {
    TLowLevel ll;
    // A flag a listed bit does not name is cleared; an unlisted bit keeps its flags.
    ll.set_sBytesChecking(2, 2, ccProduction, true);
    ll.set_sBytesChecking(2, 1, ccService, true);
    for (int byteIndex = 0; byteIndex < 8; ++byteIndex) set_sByteErrors(ll, byteIndex);
    set_sByteErrors(ll, 9);

    struct Case {
        int byteIndex, bitIndex;
        bool p, d, s, e;
    } cases[] = {
        {0, 0, true, true, true, true},     {0, 1, true, true, true, true},
        {0, 4, true, true, false, true},    {0, 5, false, true, false, true},
        {0, 6, false, true, false, true},   {0, 7, false, false, false, false},
        {1, 1, true, true, false, true},    {1, 2, false, false, false, false},
        {2, 0, false, true, false, true},   {2, 2, false, false, false, true},
        {2, 1, false, false, true, false},  {3, 7, false, false, false, false},
        {4, 0, true, true, false, true},    {4, 5, true, true, false, true},
        {4, 6, true, true, false, true},    {4, 2, false, false, false, false},
        {5, 3, false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.byteIndex << "," << c.bitIndex);
        EXPECT_EQ(ll.get_sBytesCheckingFor(c.byteIndex, c.bitIndex, ccProduction), c.p);
        EXPECT_EQ(ll.get_sBytesCheckingFor(c.byteIndex, c.bitIndex, ccDevelopmentAndTest), c.d);
        EXPECT_EQ(ll.get_sBytesCheckingFor(c.byteIndex, c.bitIndex, ccService), c.s);
        EXPECT_EQ(ll.get_sBytesCheckingFor(c.byteIndex, c.bitIndex, ccEndUser), c.e);
    }
}

}  // namespace
}  // namespace tessel
