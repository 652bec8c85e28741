// The library's tagged variant value. Its stored form is a 16-byte record: a 16-bit
// kind code in bytes 0-1, six reserved bytes, and an eight-byte little-endian payload.
// Text never lives in the record (a pointer in stored bytes would point nowhere); it
// is held in a string member beside it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "gui/exceptions.h"

// Kind codes of the record's first two bytes.
enum : std::uint16_t {
    varEmpty = 0x0000,
    varNull = 0x0001,
    varSmallint = 0x0002,
    varInteger = 0x0003,
    varSingle = 0x0004,
    varDouble = 0x0005,
    varCurrency = 0x0006,  // 64-bit integer scaled by 10000
    varDate = 0x0007,      // days since 30 December 1899, as a double
    varOleStr = 0x0008,
    varDispatch = 0x0009,
    varError = 0x000A,
    varBoolean = 0x000B,  // 16 bits, 0 false, anything else true
    varUnknown = 0x000D,
    varShortInt = 0x0010,
    varByte = 0x0011,
    varWord = 0x0012,
    varLongWord = 0x0013,
    varInt64 = 0x0014,
    varString = 0x0100,
};

class EVariantError : public Exception {
  public:
    using Exception::Exception;
};

// The value's kind cannot be turned into the kind asked for.
class EVariantTypeCastError : public EVariantError {
  public:
    EVariantTypeCastError() : EVariantError("Invalid variant type conversion") {}
};

// The value's kind cannot take part in the operation at all.
class EVariantInvalidOpError : public EVariantError {
  public:
    EVariantInvalidOpError() : EVariantError("Invalid variant operation") {}
};

class TVariant {
  public:
    using Record = std::array<std::uint8_t, 16>;

    TVariant() = default;  // empty
    static TVariant Null();
    static TVariant Text(std::string text);
    static TVariant Integer(std::int32_t value);
    static TVariant Boolean(bool value);
    static TVariant Double(double value);

    // The variant that 16 stored bytes encode. Only kinds whose whole value lies in
    // the payload are taken; any other kind code (text, interfaces, arrays, by-reference
    // flags, codes we do not know) gives empty, since its payload would refer to
    // memory that does not exist here.
    static TVariant FromBytes(const Record& bytes);
    // The 16-byte record. A text variant keeps only its kind code; its payload is zero.
    Record ToBytes() const;

    std::uint16_t VType() const;
    bool IsEmpty() const { return VType() == varEmpty; }
    bool IsNull() const { return VType() == varNull; }

    // Converts to text: empty gives "", numbers their decimal form, booleans
    // "True"/"False". Null and error values raise EVariantTypeCastError; interface
    // kinds and unknown kind codes raise EVariantInvalidOpError.
    std::string AsString() const;
    // Converts to a 32-bit integer: empty gives 0, text must be a decimal number,
    // true is -1. Values out of range, null and error raise EVariantTypeCastError;
    // interface kinds and unknown kind codes raise EVariantInvalidOpError.
    std::int32_t AsInteger() const;
    // The text of a text variant, with no conversion, for callers that need a value
    // stored as text (a folder path stored as a number is no path): empty raises
    // EVariantInvalidOpError, every other kind that is not text EVariantTypeCastError.
    const std::string& AsText() const;

  private:
    void SetKind(std::uint16_t kind);
    std::uint64_t Payload() const;
    void SetPayload(std::uint64_t bits);
    double FloatValue() const;  // single, double, date and currency as a double
    bool IsIntegerKind() const;
    std::int64_t IntegerValue() const;  // for the integer kinds and boolean

    Record record_{};
    std::string text_;
};
