#pragma once

#include "texts/CaptionRole.h"

#include <QString>

#include <span>

namespace mx {

enum class KeyId {
    Sta, Sin, Exp, Ln, Log2, MC, D7, D8, D9, Div, Mod,
    Ave, Cos, XY, Log10, Sqrt, MR, D4, D5, D6, Mult, Int,
    Sum, Tg, X3, Nfakt, Percent, MS, D1, D2, D3, Minus, Frac,
    Dat, Pi, X2, Reciprocal, PercentAdd, MPlus, D0, Sign, Point, Plus, Eqv,
    Back, CE, C, CH, PH
};

// A key's caption colour is one of the caption roles.
using KeyColour = CaptionRole;

// What a key's press has a screen reader say, beyond the key itself: nothing (the typed
// character is echoed already), the input field, the input field only when the press changed
// it (an intermediate result), or the memory field.
enum class KeySpeech { Nothing, Input, InputIfChanged, Memory };

// One keypad button: its control name, designed caption, place, size and caption colour;
// for a screen reader its name in words (`invName` with Inv checked, where it differs), the
// keys of the keyboard map that press it, and what its press has said.
// CH and PH sit under the tape; the window places them (x and y are 0 here).
struct KeypadButton
{
    KeyId id;
    const char* name;
    const char* caption;
    int x;
    int y;
    int width;
    int height;
    KeyColour colour;
    const char* spokenName; // UTF-8
    const char* typedKeys;  // UTF-8, empty when the keyboard map has none
    KeySpeech speech;
    const char* invName = nullptr;
};

inline constexpr int kKeypadColumns[11] = {10, 60, 103, 146, 189, 239, 289, 333, 377, 421, 465};
inline constexpr int kKeypadRows[4] = {210, 244, 278, 312};
inline constexpr int kKeypadTopRow = 176;
inline constexpr int kKeyWidth = 40;
inline constexpr int kKeyHeight = 30;

std::span<const KeypadButton> keypadButtons();
const KeypadButton& keypadButton(KeyId id);

// The key's name for a screen reader, with Inv checked or not.
QString keySpokenName(const KeypadButton& key, bool inv);
// Its description: the caption it shows and, where the keyboard map has them, its keys.
QString keyDescription(const KeypadButton& key, const QString& caption);

} // namespace mx
