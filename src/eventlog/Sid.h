#pragma once

#include <cstdint>
#include <span>
#include <string>

// A security identifier in its binary form (revision, sub-authority count, 48-bit big-endian
// authority, little-endian sub-authorities) as text: "S-1-5-21-…". False when the bytes are
// not one whole identifier.
bool SidText(std::span<const std::uint8_t> sid, std::string& text);

// With no account database at hand: the name of a well-known service account, or the
// identifier's text for any other account.
bool SidAccountName(std::span<const std::uint8_t> sid, std::string& name);
