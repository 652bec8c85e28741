// The library's exception classes and their fixed message texts. Components raise
// them; the application's error report shows the message of any that reaches it.
#pragma once

#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const std::string& Message() const { return message_; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

#define ZEL_EXCEPTION(Name, Base)          \
    class Name : public Base {             \
    public:                                \
        using Base::Base;                  \
    }

ZEL_EXCEPTION(EInvalidOperation, Exception);
ZEL_EXCEPTION(EConvertError, Exception);
ZEL_EXCEPTION(EInvalidGraphic, Exception);
ZEL_EXCEPTION(EOutOfResources, Exception);
ZEL_EXCEPTION(EStreamError, Exception);
ZEL_EXCEPTION(EFilerError, EStreamError);
ZEL_EXCEPTION(EReadError, EFilerError);
ZEL_EXCEPTION(EClassNotFound, EFilerError);
ZEL_EXCEPTION(EIniFileException, Exception);
ZEL_EXCEPTION(EListError, Exception);
ZEL_EXCEPTION(EStringListError, Exception);
ZEL_EXCEPTION(EMenuError, Exception);

#undef ZEL_EXCEPTION

// A file that cannot be opened: "Cannot open file <path>".
class EFOpenError : public EStreamError {
public:
    explicit EFOpenError(const std::string& path) : EStreamError("Cannot open file " + path) {}
};

// A file that cannot be created: "Cannot create file <path>".
class EFCreateError : public EStreamError {
public:
    explicit EFCreateError(const std::string& path) : EStreamError("Cannot create file " + path) {}
};

// A failed plain file operation, with the text chosen by its system error number.
class EInOutError : public Exception {
public:
    explicit EInOutError(int errorCode);
    int ErrorCode() const { return errorCode_; }

private:
    int errorCode_;
};

// 2 "File not found", 3 "Invalid filename", ... any other number "I/O error <n>".
std::string InOutErrorText(int errorCode);

// Fixed texts shared by several units.
inline constexpr const char* SInvalidStreamFormat = "Invalid stream format";
inline constexpr const char* SReadError = "Stream read error";
inline constexpr const char* SInvalidPropertyValue = "Invalid property value";
inline constexpr const char* SInvalidIcon = "Icon image is not valid";
inline constexpr const char* SMenuReinserted = "Menu inserted twice";
inline constexpr const char* SMenuIndexError = "Menu index out of range";
inline constexpr const char* SCannotShowModal = "Cannot make a visible window modal";
inline constexpr const char* SWindowCreate = "Error creating window";
inline constexpr const char* SNoTimers = "Not enough timers available";

// "List index out of bounds (<index>)".
std::string ListIndexErrorText(int index);
