#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Where a field the scan needs comes from in an event template: a substitution of the
// instance data, or text fixed in the template, or nowhere.
struct TEvtxField {
    int Index = -1;  // substitution index, -1 when none
    bool HasText = false;
    std::u16string Text;  // the fixed text when HasText

    bool Present() const { return Index >= 0 || HasText; }
};

// What one walk over a template's binary XML found in its System and EventData elements.
struct TEvtxTemplate {
    TEvtxField EventId;               // System/EventID's text
    TEvtxField Qualifiers;            // System/EventID's Qualifiers attribute
    TEvtxField TimeCreated;           // System/TimeCreated's SystemTime attribute
    TEvtxField UserId;                // System/Security's UserID attribute
    TEvtxField Provider;              // System/Provider's Name attribute
    std::vector<TEvtxField> Strings;  // each EventData/Data element, in order
};

// Walks the template fragment that occupies [begin, end) of the chunk. False when its tokens
// do not hold together.
bool ParseEvtxTemplate(std::span<const std::uint8_t> chunk, std::size_t begin, std::size_t end,
                       TEvtxTemplate& out);

// The substitution values of one template instance.
class TEvtxValues {
  public:
    // Reads the value count and descriptors at offset; false unless every value lies before
    // end.
    bool Read(std::span<const std::uint8_t> chunk, std::size_t offset, std::size_t end);

    std::size_t Count() const { return count_; }
    std::uint8_t Type(std::size_t index) const;
    std::span<const std::uint8_t> Value(std::size_t index) const;

  private:
    static constexpr std::size_t kMaxValues = 256;
    std::span<const std::uint8_t> chunk_;
    std::size_t count_ = 0;
    std::size_t descriptors_ = 0;
    std::uint32_t offsets_[kMaxValues + 1] = {};
};

// The field's value as an unsigned number (from an integer value or decimal text); false
// when it is absent or not a number.
bool EvtxFieldNumber(const TEvtxField& field, const TEvtxValues& values, std::uint64_t& out);
// The field's value as UTF-16 text (numbers in decimal); empty when absent.
std::u16string EvtxFieldText(const TEvtxField& field, const TEvtxValues& values);
// The field's FILETIME or SYSTEMTIME value as 100 ns ticks since 1601; false when absent.
bool EvtxFieldFileTime(const TEvtxField& field, const TEvtxValues& values, std::uint64_t& out);
// The field's SID bytes; empty when absent.
std::span<const std::uint8_t> EvtxFieldSid(const TEvtxField& field, const TEvtxValues& values);
