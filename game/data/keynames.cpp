#include "game/data/keynames.h"

namespace {

constexpr const char* kDigits[10] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
constexpr const char* kLetters[26] = {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",
                                      "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z"};
constexpr const char* kPadDigits[10] = {"NUM_0", "NUM_1", "NUM_2", "NUM_3", "NUM_4",
                                        "NUM_5", "NUM_6", "NUM_7", "NUM_8", "NUM_9"};
constexpr const char* kFunctionKeys[12] = {"F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12"};

}  // namespace

const char* KeyName(unsigned code) {
    if (code >= 48 && code <= 57) return kDigits[code - 48];
    if (code >= 65 && code <= 90) return kLetters[code - 65];
    if (code >= 96 && code <= 105) return kPadDigits[code - 96];
    if (code >= 112 && code <= 123) return kFunctionKeys[code - 112];
    switch (code) {
        case 8: return "BACKSPC";
        case 13: return "ENTER";
        case 16: return "SHIFT";
        case 17: return "CONTROL";
        case 18: return "ALT";
        case 20: return "CAPSLCK";
        case 32: return "SPACE";
        case 33: return "PAGEUP";
        case 34: return "PAGEDN";
        case 35: return "END";
        case 36: return "HOME";
        case 37: return "LEFT";
        case 38: return "UP";
        case 39: return "RIGHT";
        case 40: return "DOWN";
        case 45: return "INSERT";
        case 46: return "DELETE";
        case 106: return "NUM_*";
        case 107: return "NUM_+";
        case 109: return "NUM_-";
        case 110: return "NUM_,";
        case 111: return "NUM_/";
        default: return "No Match";
    }
}
