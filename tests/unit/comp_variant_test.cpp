#include <gtest/gtest.h>

#include "gui/variant.h"

namespace {

TVariant::Record RecordOf(std::uint16_t kind, std::uint64_t payload) {
    TVariant::Record r{};
    r[0] = static_cast<std::uint8_t>(kind);
    r[1] = static_cast<std::uint8_t>(kind >> 8);
    for (int i = 8; i < 16; ++i, payload >>= 8) r[i] = static_cast<std::uint8_t>(payload);
    return r;
}

}  // namespace

TEST(CompVariant, StoredRecordsAreTakenOnlyForSelfContainedKinds) {
    auto r = RecordOf(varInteger, 0xFFFFFFD6);  // -42
    r[4] = 0x5A;                                // reserved bytes travel too
    auto v = TVariant::FromBytes(r);
    EXPECT_EQ(v.AsInteger(), -42);
    EXPECT_EQ(v.ToBytes(), r);
    EXPECT_EQ(TVariant::FromBytes(RecordOf(varCurrency, -25000)).AsString(), "-2.5");
    EXPECT_EQ(TVariant::FromBytes(RecordOf(varSmallint, 0xFFFF)).AsInteger(), -1);

    // Text, interfaces, arrays, references and unknown codes would point nowhere.
    for (std::uint16_t kind : {0x0008, 0x0009, 0x000D, 0x0100, 0x000C, 0x0042, 0x4003, 0x2003})
        EXPECT_TRUE(TVariant::FromBytes(RecordOf(kind, 0x12345678)).IsEmpty()) << kind;
    EXPECT_EQ(TVariant::Text("C:\\x").ToBytes(), RecordOf(varString, 0));
}

TEST(CompVariant, ConversionsRaiseTheirOwnErrors) {
    EXPECT_THROW(TVariant::Null().AsString(), EVariantTypeCastError);
    EXPECT_THROW(TVariant::Text("12a").AsInteger(), EVariantTypeCastError);
    EXPECT_THROW(TVariant::FromBytes(RecordOf(varLongWord, 0x80000000)).AsInteger(),
                 EVariantTypeCastError);
    EXPECT_EQ(TVariant::Double(2.5).AsInteger(), 2);  // to the even neighbour
    EXPECT_EQ(TVariant().AsString(), "");

    // Strict text: only text is text, and the messages are the library's.
    EXPECT_EQ(TVariant::Text("x").AsText(), "x");
    EXPECT_THROW(TVariant::Null().AsText(), EVariantTypeCastError);
    try {
        TVariant::Integer(7).AsText();
        ADD_FAILURE();
    } catch (const EVariantError& e) {
        EXPECT_EQ(e.Message(), "Invalid variant type conversion");
    }
    try {
        TVariant().AsText();
        ADD_FAILURE();
    } catch (const EVariantError& e) {
        EXPECT_EQ(e.Message(), "Invalid variant operation");
    }
}
