#include "eventlog/EvtxBinXml.h"

#include <cstring>

#include "eventlog/Bytes_p.h"

namespace {

enum : std::uint8_t {
    tkEndOfFragment = 0x00,
    tkOpenStart = 0x01,
    tkCloseStart = 0x02,
    tkCloseEmpty = 0x03,
    tkEnd = 0x04,
    tkValue = 0x05,
    tkAttribute = 0x06,
    tkCData = 0x07,
    tkCharRef = 0x08,
    tkEntityRef = 0x09,
    tkPiTarget = 0x0A,
    tkPiData = 0x0B,
    tkTemplateInstance = 0x0C,
    tkSubstitution = 0x0D,
    tkOptionalSubstitution = 0x0E,
    tkFragmentHeader = 0x0F,
    tkMore = 0x40,  // on open-start: attributes follow; on others: more of the same follow
};

enum : std::uint8_t {
    vtNull = 0x00,
    vtString = 0x01,
    vtAnsiString = 0x02,
    vtInt8 = 0x03,
    vtUInt8 = 0x04,
    vtInt16 = 0x05,
    vtUInt16 = 0x06,
    vtInt32 = 0x07,
    vtUInt32 = 0x08,
    vtInt64 = 0x09,
    vtUInt64 = 0x0A,
    vtBool = 0x0D,
    vtFileTime = 0x11,
    vtSystemTime = 0x12,
    vtSid = 0x13,
    vtHex32 = 0x14,
    vtHex64 = 0x15,
};

// The element and attribute names the scan looks for.
enum TName : std::uint8_t {
    nmOther,
    nmSystem,
    nmProvider,
    nmEventId,
    nmTimeCreated,
    nmSecurity,
    nmEventData,
    nmData,
    nmName,
    nmQualifiers,
    nmSystemTime,
    nmUserId,
};

struct TKnownName {
    const char* Text;
    TName Name;
};
constexpr TKnownName kNames[] = {
    {"System", nmSystem},
    {"Provider", nmProvider},
    {"EventID", nmEventId},
    {"TimeCreated", nmTimeCreated},
    {"Security", nmSecurity},
    {"EventData", nmEventData},
    {"Data", nmData},
    {"Name", nmName},
    {"Qualifiers", nmQualifiers},
    {"SystemTime", nmSystemTime},
    {"UserID", nmUserId},
};

constexpr std::size_t kMaxDepth = 64;

std::u16string Utf16(const std::uint8_t* p, std::size_t chars) {
    std::u16string s(chars, u'\0');
    for (std::size_t i = 0; i < chars; ++i) s[i] = static_cast<char16_t>(Load16(p + 2 * i));
    return s;
}

// Reads the template's tokens, tracking the element path far enough to recognise the fields.
class TTemplateWalk {
  public:
    TTemplateWalk(std::span<const std::uint8_t> chunk, std::size_t end, TEvtxTemplate& out)
        : chunk_(chunk), end_(end), out_(out) {}

    bool Run(std::size_t pos) {
        pos_ = pos;
        while (pos_ < end_) {
            std::uint8_t token = chunk_[pos_++];
            switch (token & ~tkMore) {
                case tkEndOfFragment:
                    return depth_ == 0;
                case tkFragmentHeader:
                    if (!Skip(3)) return false;
                    break;
                case tkOpenStart:
                    if (!OpenStart(token & tkMore)) return false;
                    break;
                case tkCloseStart:
                    attribute_ = nmOther;
                    inAttribute_ = false;
                    break;
                case tkCloseEmpty:
                case tkEnd:
                    if (depth_ == 0) return false;
                    --depth_;
                    inAttribute_ = false;
                    break;
                case tkAttribute: {
                    TName name;
                    if (!NameAt(name)) return false;
                    attribute_ = name;
                    inAttribute_ = true;
                    break;
                }
                case tkValue:
                    if (!ValueText()) return false;
                    break;
                case tkSubstitution:
                case tkOptionalSubstitution: {
                    if (!Has(3)) return false;
                    std::uint16_t index = Load16(&chunk_[pos_]);
                    pos_ += 3;
                    TEvtxField* field = Target();
                    if (field != nullptr && !field->Present()) field->Index = index;
                    break;
                }
                case tkCData:
                case tkPiData: {
                    if (!Has(2)) return false;
                    std::size_t chars = Load16(&chunk_[pos_]);
                    if (!Skip(2 + 2 * chars)) return false;
                    break;
                }
                case tkCharRef:
                    if (!Skip(2)) return false;
                    break;
                case tkEntityRef:
                case tkPiTarget: {
                    TName ignored;
                    if (!NameAt(ignored)) return false;
                    break;
                }
                default:
                    return false;  // nested templates and unknown tokens are not expected here
            }
        }
        return false;  // no end of fragment before the template's end
    }

  private:
    bool Has(std::size_t n) const { return n <= end_ - pos_; }
    bool Skip(std::size_t n) {
        if (!Has(n)) return false;
        pos_ += n;
        return true;
    }

    // A name offset; the name itself follows inline when the offset points right here.
    bool NameAt(TName& name) {
        if (!Has(4)) return false;
        std::uint32_t offset = Load32(&chunk_[pos_]);
        pos_ += 4;
        if (offset > chunk_.size() || chunk_.size() - offset < 10) return false;
        std::size_t chars = Load16(&chunk_[offset + 6]);
        std::size_t bytes = 8 + 2 * chars + 2;
        if (chunk_.size() - offset < bytes) return false;
        if (offset == pos_ && !Skip(bytes)) return false;
        name = Classify(&chunk_[offset + 8], chars);
        return true;
    }

    static TName Classify(const std::uint8_t* p, std::size_t chars) {
        for (const TKnownName& known : kNames) {
            std::size_t n = std::strlen(known.Text);
            if (n != chars) continue;
            std::size_t i = 0;
            while (i < n && Load16(p + 2 * i) == static_cast<std::uint8_t>(known.Text[i])) ++i;
            if (i == n) return known.Name;
        }
        return nmOther;
    }

    bool OpenStart(bool hasAttributes) {
        if (!Skip(6)) return false;  // dependency id, data size
        TName name;
        if (!NameAt(name)) return false;
        if (hasAttributes && !Skip(4)) return false;  // attribute list size
        if (depth_ >= kMaxDepth) return false;
        path_[depth_++] = name;
        inAttribute_ = false;
        if (name == nmData && Parent() == nmEventData) {
            out_.Strings.emplace_back();
            data_ = depth_;
        }
        return true;
    }

    bool ValueText() {
        if (!Has(3)) return false;
        std::uint8_t type = chunk_[pos_];
        std::size_t chars = Load16(&chunk_[pos_ + 1]);
        if (type != vtString || !Skip(3 + 2 * chars)) return false;
        TEvtxField* field = Target();
        if (field != nullptr && !field->Present()) {
            field->HasText = true;
            field->Text = Utf16(chunk_.data() + pos_ - 2 * chars, chars);
        }
        return true;
    }

    TName Current() const { return depth_ > 0 ? path_[depth_ - 1] : nmOther; }
    TName Parent() const { return depth_ > 1 ? path_[depth_ - 2] : nmOther; }

    // The field that a value at this point of the template fills, if any.
    TEvtxField* Target() {
        TName element = Current();
        if (Parent() == nmSystem) {
            if (inAttribute_) {
                if (element == nmEventId && attribute_ == nmQualifiers) return &out_.Qualifiers;
                if (element == nmTimeCreated && attribute_ == nmSystemTime)
                    return &out_.TimeCreated;
                if (element == nmSecurity && attribute_ == nmUserId) return &out_.UserId;
                if (element == nmProvider && attribute_ == nmName) return &out_.Provider;
            } else if (element == nmEventId) {
                return &out_.EventId;
            }
        }
        if (!inAttribute_ && element == nmData && data_ == depth_ && !out_.Strings.empty())
            return &out_.Strings.back();
        return nullptr;
    }

    std::span<const std::uint8_t> chunk_;
    std::size_t end_;
    TEvtxTemplate& out_;
    std::size_t pos_ = 0;
    TName path_[kMaxDepth] = {};
    std::size_t depth_ = 0;
    std::size_t data_ = 0;  // depth of the open EventData/Data element
    TName attribute_ = nmOther;
    bool inAttribute_ = false;
};

bool UnsignedValue(std::uint8_t type, std::span<const std::uint8_t> v, std::uint64_t& out) {
    switch (type) {
        case vtInt8:
        case vtUInt8:
            if (v.size() != 1) return false;
            out = v[0];
            return true;
        case vtInt16:
        case vtUInt16:
            if (v.size() != 2) return false;
            out = Load16(v.data());
            return true;
        case vtInt32:
        case vtUInt32:
        case vtHex32:
        case vtBool:
            if (v.size() != 4) return false;
            out = Load32(v.data());
            return true;
        case vtInt64:
        case vtUInt64:
        case vtHex64:
            if (v.size() != 8) return false;
            out = Load64(v.data());
            return true;
        default:
            return false;
    }
}

bool DecimalText(std::u16string_view text, std::uint64_t& out) {
    if (text.empty() || text.size() > 19) return false;
    out = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') return false;
        out = out * 10 + static_cast<std::uint64_t>(c - u'0');
    }
    return true;
}

// Days from 1601-01-01 to the given date of the proleptic Gregorian calendar.
std::int64_t DaysSince1601(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const std::int64_t daysSince1970 = era * 146097 + static_cast<std::int64_t>(doe) - 719468;
    return daysSince1970 + 134774;
}

}  // namespace

bool ParseEvtxTemplate(std::span<const std::uint8_t> chunk, std::size_t begin, std::size_t end,
                       TEvtxTemplate& out) {
    out = {};
    if (begin >= end || end > chunk.size()) return false;
    TTemplateWalk walk(chunk, end, out);
    return walk.Run(begin);
}

bool TEvtxValues::Read(std::span<const std::uint8_t> chunk, std::size_t offset, std::size_t end) {
    chunk_ = chunk;
    count_ = 0;
    if (end > chunk.size() || offset > end || end - offset < 4) return false;
    std::size_t count = Load32(&chunk[offset]);
    if (count > kMaxValues || (end - offset - 4) / 4 < count) return false;
    descriptors_ = offset + 4;
    std::size_t at = descriptors_ + 4 * count;
    for (std::size_t i = 0; i < count; ++i) {
        offsets_[i] = static_cast<std::uint32_t>(at);
        at += Load16(&chunk[descriptors_ + 4 * i]);
    }
    if (at > end) return false;
    offsets_[count] = static_cast<std::uint32_t>(at);
    count_ = count;
    return true;
}

std::uint8_t TEvtxValues::Type(std::size_t index) const {
    return index < count_ ? chunk_[descriptors_ + 4 * index + 2] : std::uint8_t{vtNull};
}

std::span<const std::uint8_t> TEvtxValues::Value(std::size_t index) const {
    if (index >= count_) return {};
    return chunk_.subspan(offsets_[index], offsets_[index + 1] - offsets_[index]);
}

bool EvtxFieldNumber(const TEvtxField& field, const TEvtxValues& values, std::uint64_t& out) {
    if (field.HasText) return DecimalText(field.Text, out);
    if (field.Index < 0) return false;
    std::size_t i = static_cast<std::size_t>(field.Index);
    std::uint8_t type = values.Type(i);
    if (type == vtString) {
        std::span<const std::uint8_t> v = values.Value(i);
        std::u16string text = Utf16(v.data(), v.size() / 2);
        while (!text.empty() && text.back() == u'\0') text.pop_back();
        return DecimalText(text, out);
    }
    return UnsignedValue(type, values.Value(i), out);
}

std::u16string EvtxFieldText(const TEvtxField& field, const TEvtxValues& values) {
    if (field.HasText) return field.Text;
    if (field.Index < 0) return {};
    std::size_t i = static_cast<std::size_t>(field.Index);
    std::span<const std::uint8_t> v = values.Value(i);
    std::u16string text;
    std::uint64_t number = 0;
    switch (values.Type(i)) {
        case vtString:
            text = Utf16(v.data(), v.size() / 2);
            break;
        case vtAnsiString:
            for (std::uint8_t c : v) text += static_cast<char16_t>(c);
            break;
        default:
            if (UnsignedValue(values.Type(i), v, number))
                for (char c : std::to_string(number)) text += static_cast<char16_t>(c);
            break;
    }
    while (!text.empty() && text.back() == u'\0') text.pop_back();
    return text;
}

bool EvtxFieldFileTime(const TEvtxField& field, const TEvtxValues& values, std::uint64_t& out) {
    if (field.Index < 0) return false;
    std::size_t i = static_cast<std::size_t>(field.Index);
    std::span<const std::uint8_t> v = values.Value(i);
    if (values.Type(i) == vtFileTime && v.size() == 8) {
        out = Load64(v.data());
        return true;
    }
    if (values.Type(i) == vtSystemTime && v.size() == 16) {
        // year, month, day of week, day, hour, minute, second, milliseconds
        unsigned year = Load16(&v[0]), month = Load16(&v[2]), day = Load16(&v[6]);
        unsigned hour = Load16(&v[8]), minute = Load16(&v[10]), second = Load16(&v[12]);
        if (year < 1601 || year > 30827 || month < 1 || month > 12 || day < 1 || day > 31 ||
            hour > 23 || minute > 59 || second > 59)
            return false;
        std::int64_t seconds =
            DaysSince1601(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
        out = static_cast<std::uint64_t>(seconds) * 10000000u;
        return true;
    }
    return false;
}

std::span<const std::uint8_t> EvtxFieldSid(const TEvtxField& field, const TEvtxValues& values) {
    if (field.Index < 0) return {};
    std::size_t i = static_cast<std::size_t>(field.Index);
    return values.Type(i) == vtSid ? values.Value(i) : std::span<const std::uint8_t>();
}
