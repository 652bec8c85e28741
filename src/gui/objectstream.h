// The binary object stream: a "TPF0" signature, then a component as its class name,
// its name, property records and the end markers. TWriter builds the bytes in
// memory; TReader reads them back from a buffer and never trusts a length or a
// count beyond the bytes that remain, so a damaged file fails with
// "Stream read error" instead of allocating what it claims.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "gui/component.h"

enum class TValueType : std::uint8_t {
    vaNull = 0,
    vaList = 1,
    vaInt8 = 2,
    vaInt16 = 3,
    vaInt32 = 4,
    vaExtended = 5,
    vaString = 6,
    vaIdent = 7,
    vaFalse = 8,
    vaTrue = 9,
    vaBinary = 10,
    vaSet = 11,
    vaLString = 12,
    vaNil = 13,
    vaCollection = 14,
};

class TWriter {
public:
    void WriteSignature();
    void WriteStr(std::string_view text);  // short string: one length byte, at most 255
    void WriteInteger(std::int32_t value);  // the shortest of the three integer types
    void WriteString(std::string_view text);  // type 6 up to 255 bytes, else type 12
    void WriteIdent(std::string_view ident);
    void WriteListBegin() { WriteValueType(TValueType::vaList); }
    void WriteListEnd() { WriteByte(0); }
    void WritePropName(std::string_view name) { WriteStr(name); }
    void WriteEnd() { WriteByte(0); }  // ends property records, list, or children

    const std::string& Bytes() const { return bytes_; }

private:
    void WriteValueType(TValueType type) { WriteByte(static_cast<std::uint8_t>(type)); }
    void WriteByte(std::uint8_t b) { bytes_.push_back(static_cast<char>(b)); }
    void WriteRaw(const void* data, std::size_t size);

    std::string bytes_;
};

class TReader {
public:
    explicit TReader(std::string_view bytes) : data_(bytes) {}

    // Raises EFilerError "Invalid stream format" when the signature is not there.
    void ReadSignature();
    std::string ReadStr();
    TValueType ReadValueType();
    TValueType NextValueType() const;  // without consuming it
    std::int32_t ReadInteger();
    std::string ReadString();  // type 6 or 12
    std::string ReadIdent();
    void ReadListBegin();
    bool EndOfList() const;  // the next byte is the 0 that ends a list or the records
    void ReadListEnd();
    // A value of any type, as a record of an unknown property. Lists nested deeper
    // than kMaxListNesting fail with "Stream read error".
    void SkipValue();
    static constexpr int kMaxListNesting = 32;

    std::size_t Position() const { return pos_; }

private:
    void SkipValue(int depth);
    std::uint8_t ReadByte();
    std::string_view Take(std::size_t count);  // "Stream read error" when fewer remain

    std::string_view data_;
    std::size_t pos_ = 0;
};

// The properties of a streamable class, by name, so that a stream can be read back
// into an existing component and a component written in its declaration order.
struct TPropInfo {
    std::string name;
    std::function<void(TComponent&, TReader&)> read;
    std::function<void(const TComponent&, TWriter&)> write;  // empty: never written
};

struct TClassInfo {
    std::string className;
    std::vector<TPropInfo> properties;
};

void RegisterClass(const TClassInfo& info);
const TClassInfo* FindClassInfo(std::string_view className);

// Writes "TPF0", the class and object names, the properties in declaration order
// and the two end markers.
std::string WriteComponentBytes(const TComponent& component, const TClassInfo& info);

// Reads a stream written by WriteComponentBytes into an existing component. The class
// and object names are read but not checked; records of properties the class does
// not have are skipped. Property values take effect as they are read, so what was
// read before a failure stays.
void ReadComponentBytes(std::string_view bytes, TComponent& component, const TClassInfo& info);
