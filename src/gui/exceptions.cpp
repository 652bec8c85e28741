#include "gui/exceptions.h"

std::string InOutErrorText(int errorCode) {
    switch (errorCode) {
        case 2: return "File not found";
        case 3: return "Invalid filename";
        case 4: return "Too many open files";
        case 5: return "File access denied";
        case 100: return "Read beyond end of file";
        case 101: return "Disk full";
        case 106: return "Invalid numeric input";
        default: return "I/O error " + std::to_string(errorCode);
    }
}

EInOutError::EInOutError(int errorCode)
    : Exception(InOutErrorText(errorCode)), errorCode_(errorCode) {}

std::string ListIndexErrorText(int index) {
    return "List index out of bounds (" + std::to_string(index) + ")";
}
