#include "gui/variant.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace {

// Kinds whose whole value fits in the eight payload bytes, so that a record read
// from storage describes the value completely.
bool IsSelfContained(std::uint16_t kind) {
    constexpr std::uint32_t kinds =
        1u << varEmpty | 1u << varNull | 1u << varSmallint | 1u << varInteger | 1u << varSingle |
        1u << varDouble | 1u << varCurrency | 1u << varDate | 1u << varError | 1u << varBoolean |
        1u << varShortInt | 1u << varByte | 1u << varWord | 1u << varLongWord | 1u << varInt64;
    return kind < 32 && (kinds >> kind & 1u);
}

std::string CurrencyText(std::int64_t scaled) {
    // Exact: the value is a count of ten-thousandths, so no floating point is needed.
    bool negative = scaled < 0;
    std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(scaled) : static_cast<std::uint64_t>(scaled);
    std::string text = std::to_string(magnitude / 10000);
    if (auto fraction = magnitude % 10000) {
        char digits[8];
        std::snprintf(digits, sizeof digits, ".%04u", static_cast<unsigned>(fraction));
        std::string f = digits;
        while (f.back() == '0') f.pop_back();
        text += f;
    }
    return negative ? "-" + text : text;
}

}  // namespace

TVariant TVariant::Null() {
    TVariant v;
    v.SetKind(varNull);
    return v;
}

TVariant TVariant::Text(std::string text) {
    TVariant v;
    v.SetKind(varString);
    v.text_ = std::move(text);
    return v;
}

TVariant TVariant::Integer(std::int32_t value) {
    TVariant v;
    v.SetKind(varInteger);
    v.SetPayload(static_cast<std::uint32_t>(value));
    return v;
}

TVariant TVariant::Boolean(bool value) {
    TVariant v;
    v.SetKind(varBoolean);
    v.SetPayload(value ? 0xFFFF : 0);
    return v;
}

TVariant TVariant::Double(double value) {
    TVariant v;
    v.SetKind(varDouble);
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    v.SetPayload(bits);
    return v;
}

TVariant TVariant::FromBytes(const Record& bytes) {
    TVariant v;
    std::uint16_t kind = static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
    if (IsSelfContained(kind)) v.record_ = bytes;
    return v;
}

TVariant::Record TVariant::ToBytes() const {
    return record_;
}

std::uint16_t TVariant::VType() const {
    return static_cast<std::uint16_t>(record_[0] | record_[1] << 8);
}

void TVariant::SetKind(std::uint16_t kind) {
    record_[0] = static_cast<std::uint8_t>(kind);
    record_[1] = static_cast<std::uint8_t>(kind >> 8);
}

std::uint64_t TVariant::Payload() const {
    std::uint64_t bits = 0;
    for (int i = 15; i >= 8; --i) bits = bits << 8 | record_[i];
    return bits;
}

void TVariant::SetPayload(std::uint64_t bits) {
    for (int i = 8; i < 16; ++i, bits >>= 8) record_[i] = static_cast<std::uint8_t>(bits);
}

bool TVariant::IsIntegerKind() const {
    constexpr std::uint32_t kinds = 1u << varSmallint | 1u << varInteger | 1u << varShortInt |
                                    1u << varByte | 1u << varWord | 1u << varLongWord |
                                    1u << varInt64 | 1u << varBoolean;
    return VType() < 32 && (kinds >> VType() & 1u);
}

std::int64_t TVariant::IntegerValue() const {
    std::uint64_t p = Payload();
    switch (VType()) {
        case varSmallint:
            return static_cast<std::int16_t>(p);
        case varInteger:
            return static_cast<std::int32_t>(p);
        case varShortInt:
            return static_cast<std::int8_t>(p);
        case varByte:
            return static_cast<std::uint8_t>(p);
        case varWord:
            return static_cast<std::uint16_t>(p);
        case varLongWord:
            return static_cast<std::uint32_t>(p);
        case varBoolean:
            return static_cast<std::uint16_t>(p) != 0 ? -1 : 0;
        default:
            return static_cast<std::int64_t>(p);  // varInt64
    }
}

double TVariant::FloatValue() const {
    std::uint64_t p = Payload();
    switch (VType()) {
        case varSingle: {
            std::uint32_t low = static_cast<std::uint32_t>(p);
            float f;
            std::memcpy(&f, &low, sizeof f);
            return f;
        }
        case varCurrency:
            return static_cast<double>(static_cast<std::int64_t>(p)) / 10000.0;
        default: {  // varDouble, varDate
            double d;
            std::memcpy(&d, &p, sizeof d);
            return d;
        }
    }
}

std::string TVariant::AsString() const {
    switch (VType()) {
        case varEmpty:
            return {};
        case varString:
            return text_;
        case varNull:
        case varError:
            throw EVariantTypeCastError();
        case varBoolean:
            return IntegerValue() ? "True" : "False";
        case varCurrency:
            return CurrencyText(static_cast<std::int64_t>(Payload()));
        case varSingle:
        case varDouble:
        case varDate: {
            char buffer[32];
            std::snprintf(buffer, sizeof buffer, "%.15g", FloatValue());
            return buffer;
        }
        default:
            if (IsIntegerKind()) return std::to_string(IntegerValue());
            throw EVariantInvalidOpError();
    }
}

std::int32_t TVariant::AsInteger() const {
    constexpr auto lo = std::numeric_limits<std::int32_t>::min();
    constexpr auto hi = std::numeric_limits<std::int32_t>::max();
    switch (VType()) {
        case varEmpty:
            return 0;
        case varNull:
        case varError:
            throw EVariantTypeCastError();
        case varString: {
            std::int32_t value = 0;
            const char* end = text_.data() + text_.size();
            auto [ptr, ec] = std::from_chars(text_.data(), end, value);
            if (text_.empty() || ec != std::errc() || ptr != end) throw EVariantTypeCastError();
            return value;
        }
        case varSingle:
        case varDouble:
        case varDate:
        case varCurrency: {
            double rounded = std::nearbyint(FloatValue());
            if (!(rounded >= lo && rounded <= hi)) throw EVariantTypeCastError();  // NaN too
            return static_cast<std::int32_t>(rounded);
        }
        default: {
            if (!IsIntegerKind()) throw EVariantInvalidOpError();
            std::int64_t value = IntegerValue();
            if (value < lo || value > hi) throw EVariantTypeCastError();
            return static_cast<std::int32_t>(value);
        }
    }
}

const std::string& TVariant::AsText() const {
    if (VType() == varString) return text_;
    if (VType() == varEmpty) throw EVariantInvalidOpError();
    throw EVariantTypeCastError();
}
