#include "gui/objectstream.h"

#include <cstring>
#include <map>

#include "gui/exceptions.h"

namespace {

constexpr std::string_view kSignature = "TPF0";

// Little-endian, whatever the host.
template <typename T>
T FromLittleEndian(std::string_view bytes) {
    std::uint32_t v = 0;
    for (std::size_t i = sizeof(T); i > 0; --i) v = (v << 8) | static_cast<std::uint8_t>(bytes[i - 1]);
    return static_cast<T>(v);
}

std::map<std::string, TClassInfo, std::less<>>& Registry() {
    static std::map<std::string, TClassInfo, std::less<>> classes;
    return classes;
}

}  // namespace

// ---- TWriter ------------------------------------------------------------------

void TWriter::WriteRaw(const void* data, std::size_t size) {
    bytes_.append(static_cast<const char*>(data), size);
}

void TWriter::WriteSignature() { bytes_.append(kSignature); }

void TWriter::WriteStr(std::string_view text) {
    if (text.size() > 255) throw EFilerError(SInvalidPropertyValue);
    WriteByte(static_cast<std::uint8_t>(text.size()));
    bytes_.append(text);
}

void TWriter::WriteInteger(std::int32_t value) {
    auto put = [this](std::uint32_t v, int size) {
        for (int i = 0; i < size; ++i) WriteByte(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    auto u = static_cast<std::uint32_t>(value);
    if (value >= -128 && value <= 127) {
        WriteValueType(TValueType::vaInt8);
        put(u, 1);
    } else if (value >= -32768 && value <= 32767) {
        WriteValueType(TValueType::vaInt16);
        put(u, 2);
    } else {
        WriteValueType(TValueType::vaInt32);
        put(u, 4);
    }
}

void TWriter::WriteString(std::string_view text) {
    if (text.size() <= 255) {
        WriteValueType(TValueType::vaString);
        WriteStr(text);
        return;
    }
    WriteValueType(TValueType::vaLString);
    auto size = static_cast<std::uint32_t>(text.size());
    for (int i = 0; i < 4; ++i) WriteByte(static_cast<std::uint8_t>(size >> (8 * i)));
    bytes_.append(text);
}

void TWriter::WriteIdent(std::string_view ident) {
    WriteValueType(TValueType::vaIdent);
    WriteStr(ident);
}

// ---- TReader ------------------------------------------------------------------

std::string_view TReader::Take(std::size_t count) {
    if (count > data_.size() - pos_) throw EReadError(SReadError);
    auto part = data_.substr(pos_, count);
    pos_ += count;
    return part;
}

std::uint8_t TReader::ReadByte() { return static_cast<std::uint8_t>(Take(1)[0]); }

void TReader::ReadSignature() {
    if (data_.size() - pos_ < kSignature.size() || data_.substr(pos_, 4) != kSignature)
        throw EFilerError(SInvalidStreamFormat);
    pos_ += kSignature.size();
}

std::string TReader::ReadStr() {
    std::size_t size = ReadByte();
    return std::string(Take(size));
}

TValueType TReader::ReadValueType() { return static_cast<TValueType>(ReadByte()); }

TValueType TReader::NextValueType() const {
    if (pos_ >= data_.size()) throw EReadError(SReadError);
    return static_cast<TValueType>(data_[pos_]);
}

std::int32_t TReader::ReadInteger() {
    switch (ReadValueType()) {
        case TValueType::vaInt8: return FromLittleEndian<std::int8_t>(Take(1));
        case TValueType::vaInt16: return FromLittleEndian<std::int16_t>(Take(2));
        case TValueType::vaInt32: return FromLittleEndian<std::int32_t>(Take(4));
        default: throw EReadError(SInvalidPropertyValue);
    }
}

std::string TReader::ReadString() {
    switch (ReadValueType()) {
        case TValueType::vaString: return ReadStr();
        case TValueType::vaLString: {
            auto size = FromLittleEndian<std::uint32_t>(Take(4));
            return std::string(Take(size));  // Take refuses sizes beyond the data
        }
        default: throw EReadError(SInvalidPropertyValue);
    }
}

std::string TReader::ReadIdent() {
    switch (ReadValueType()) {
        case TValueType::vaIdent: return ReadStr();
        case TValueType::vaFalse: return "False";
        case TValueType::vaTrue: return "True";
        case TValueType::vaNil: return "nil";
        case TValueType::vaNull: return "Null";
        default: throw EReadError(SInvalidPropertyValue);
    }
}

void TReader::ReadListBegin() {
    if (ReadValueType() != TValueType::vaList) throw EReadError(SInvalidPropertyValue);
}

bool TReader::EndOfList() const { return NextValueType() == TValueType::vaNull; }

void TReader::ReadListEnd() { ReadByte(); }

void TReader::SkipValue() { SkipValue(0); }

void TReader::SkipValue(int depth) {
    switch (NextValueType()) {
        case TValueType::vaList:
            // Lists inside lists thousands deep would exhaust the stack; no stream we
            // read nests nearly as deep, so such a stream is a damaged one.
            if (depth >= kMaxListNesting) throw EReadError(SReadError);
            ReadListBegin();
            while (!EndOfList()) SkipValue(depth + 1);
            ReadListEnd();
            return;
        case TValueType::vaInt8:
        case TValueType::vaInt16:
        case TValueType::vaInt32: ReadInteger(); return;
        case TValueType::vaExtended: ReadByte(), Take(10); return;
        case TValueType::vaString:
        case TValueType::vaLString: ReadString(); return;
        case TValueType::vaIdent:
        case TValueType::vaFalse:
        case TValueType::vaTrue:
        case TValueType::vaNil:
        case TValueType::vaNull: ReadIdent(); return;
        case TValueType::vaBinary: {
            ReadByte();
            Take(FromLittleEndian<std::uint32_t>(Take(4)));
            return;
        }
        case TValueType::vaSet:
            ReadByte();
            while (!ReadStr().empty()) {}
            return;
        default: throw EReadError(SInvalidPropertyValue);
    }
}

// ---- Components ----------------------------------------------------------------

void RegisterClass(const TClassInfo& info) { Registry()[info.className] = info; }

const TClassInfo* FindClassInfo(std::string_view className) {
    auto it = Registry().find(className);
    return it == Registry().end() ? nullptr : &it->second;
}

std::string WriteComponentBytes(const TComponent& component, const TClassInfo& info) {
    TWriter w;
    w.WriteSignature();
    w.WriteStr(info.className);
    w.WriteStr(component.Name());
    for (const auto& prop : info.properties)
        if (prop.write) prop.write(component, w);
    w.WriteEnd();  // properties
    w.WriteEnd();  // children: none
    return w.Bytes();
}

void ReadComponentBytes(std::string_view bytes, TComponent& component, const TClassInfo& info) {
    TReader r(bytes);
    r.ReadSignature();
    r.ReadStr();  // class name
    r.ReadStr();  // object name
    while (!r.EndOfList()) {
        std::string name = r.ReadStr();
        const TPropInfo* prop = nullptr;
        for (const auto& p : info.properties)
            if (p.name == name) prop = &p;
        if (prop && prop->read)
            prop->read(component, r);
        else
            r.SkipValue();
    }
    r.ReadListEnd();  // end of the property records
    if (r.NextValueType() != TValueType::vaNull) throw EReadError(SReadError);
    r.ReadListEnd();  // end of the child objects
}
