#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Texts a log supplies (account names, kernel releases, system versions) reach terminals,
// CSV and JSON. Every reader passes them through SafeLogText, so no log can send a terminal
// an escape sequence or turn a line around.

// The first character of a text read as UTF-8.
struct TTextUnit {
    std::size_t Length = 0;       // bytes; 1 for a byte that starts no valid sequence
    std::uint32_t CodePoint = 0;  // the byte itself when not Valid
    bool Valid = false;           // a well-formed UTF-8 sequence (no overlong form, surrogate)
    // A C0 or C1 control, DEL, or a bidirectional embedding, override or isolate: characters a
    // terminal acts on or that reorder what follows them.
    bool Unsafe = false;
};

// Reads the character at the start of text, which must not be empty.
TTextUnit FirstTextUnit(std::string_view text);

// The text as valid UTF-8 with each unsafe character replaced by '?' and each byte that is
// not UTF-8 by U+FFFD.
std::string SafeLogText(std::string_view bytes);
