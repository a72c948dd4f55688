#include <fontconfig/fontconfig.h>
#include <strings.h>

#include <array>
#include <cstdio>
#include <string_view>

#include "platform/freetype/FaceLibrary_p.h"

namespace {

struct TSubstitute {
    std::string_view Family;
    std::string_view Installed;
};

constexpr std::array kSubstitutes = {
    TSubstitute{"Arial", "Liberation Sans"},
    TSubstitute{"MS Sans Serif", "Liberation Sans"},
    TSubstitute{"Verdana", "DejaVu Sans"},
    TSubstitute{"Tahoma", "DejaVu Sans"},
    TSubstitute{"Times New Roman", "Liberation Serif"},
    TSubstitute{"Courier New", "Liberation Mono"},
};

constexpr const char* kCjkFamily = "WenQuanYi Micro Hei";

std::string InstalledFamily(const std::string& family) {
    for (const auto& s : kSubstitutes)
        if (strcasecmp(std::string(s.Family).c_str(), family.c_str()) == 0)
            return std::string(s.Installed);
    return family;
}

bool FontconfigReady() {
    static const bool ready = FcInit() == FcTrue;
    return ready;
}

}  // namespace

TFaceLibrary::TFaceLibrary(TFreeTypeOptions options) : options_(std::move(options)) {
    if (FT_Init_FreeType(&library_) != 0) library_ = nullptr;
}

TFaceLibrary::~TFaceLibrary() {
    for (auto& [key, face] : faces_)
        if (face) FT_Done_Face(face);
    if (library_) FT_Done_FreeType(library_);
}

TFaceChoice TFaceLibrary::Primary(const std::string& family, bool bold, bool italic) {
    const auto key = std::make_tuple(family, bold, italic);
    auto it = choices_.find(key);
    if (it == choices_.end()) it = choices_.emplace(key, Choose(family, bold, italic)).first;
    return it->second;
}

TFaceChoice TFaceLibrary::Fallback(bool bold, bool italic) {
    return Primary(kCjkFamily, bold, italic);
}

TFaceChoice TFaceLibrary::Choose(const std::string& family, bool bold, bool italic) {
    TFaceChoice choice;
    if (!library_) return choice;
    if (auto file = options_.FaceFiles.find(family); file != options_.FaceFiles.end()) {
        choice.Face = Open(file->second, 0);
        if (choice.Face) return Styled(choice.Face, bold, italic);
        NoteOnce("cannot open font file \"" + file->second + "\"");
    }
    const std::string wanted = InstalledFamily(family);
    TMatch match;
    if (Match(wanted, bold, italic, match)) {
        if (!match.HasFamily)
            NoteOnce("font \"" + wanted + "\" is not installed; using \"" + match.Family + "\"");
        choice.Face = Open(match.File, match.Index);
        if (!choice.Face) NoteOnce("cannot open font file \"" + match.File + "\"");
    }
    if (!choice.Face) choice.Face = AnyFace();
    return Styled(choice.Face, bold, italic);
}

// What the face itself says of its style counts: fontconfig reports a regular face as bold
// when it only means to have it emboldened.
TFaceChoice TFaceLibrary::Styled(FT_Face face, bool bold, bool italic) {
    TFaceChoice choice;
    choice.Face = face;
    if (!face) return choice;
    choice.SynthBold = bold && !(face->style_flags & FT_STYLE_FLAG_BOLD);
    choice.SynthItalic = italic && !(face->style_flags & FT_STYLE_FLAG_ITALIC);
    return choice;
}

bool TFaceLibrary::Match(const std::string& family, bool bold, bool italic, TMatch& match) {
    if (!options_.UseFontconfig || !FontconfigReady()) return false;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* found = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!found) return false;
    FcChar8* file = nullptr;
    bool ok = FcPatternGetString(found, FC_FILE, 0, &file) == FcResultMatch && file;
    if (ok) {
        match.File = reinterpret_cast<const char*>(file);
        int value = 0;
        if (FcPatternGetInteger(found, FC_INDEX, 0, &value) == FcResultMatch) match.Index = value;
        FcChar8* name = nullptr;
        for (int i = 0; FcPatternGetString(found, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
            const char* n = reinterpret_cast<const char*>(name);
            if (i == 0) match.Family = n;
            if (strcasecmp(n, family.c_str()) == 0) match.HasFamily = true;
        }
    }
    FcPatternDestroy(found);
    return ok;
}

FT_Face TFaceLibrary::Open(const std::string& file, int index) {
    const auto key = std::make_pair(file, index);
    if (auto it = faces_.find(key); it != faces_.end()) return it->second;
    FT_Face face = nullptr;
    if (FT_New_Face(library_, file.c_str(), index, &face) != 0) face = nullptr;
    if (face && !FT_IS_SCALABLE(face)) {
        FT_Done_Face(face);
        face = nullptr;
    }
    faces_.emplace(key, face);
    return face;
}

// Any face at all, for when the chosen file will not open.
FT_Face TFaceLibrary::AnyFace() {
    if (triedAny_) return any_;
    triedAny_ = true;
    if (options_.UseFontconfig && FontconfigReady()) {
        FcPattern* pattern = FcPatternCreate();
        FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
        FcObjectSet* fields = FcObjectSetBuild(FC_FILE, FC_INDEX, nullptr);
        FcFontSet* set = FcFontList(nullptr, pattern, fields);
        for (int i = 0; set && i < set->nfont && !any_; ++i) {
            FcChar8* file = nullptr;
            int index = 0;
            if (FcPatternGetString(set->fonts[i], FC_FILE, 0, &file) != FcResultMatch) continue;
            FcPatternGetInteger(set->fonts[i], FC_INDEX, 0, &index);
            any_ = Open(reinterpret_cast<const char*>(file), index);
            if (any_)
                NoteOnce(std::string("using \"") + reinterpret_cast<const char*>(file) +
                         "\" for text");
        }
        if (set) FcFontSetDestroy(set);
        FcObjectSetDestroy(fields);
        FcPatternDestroy(pattern);
    }
    if (!any_) NoteOnce("no font found; text will not be drawn");
    return any_;
}

void TFaceLibrary::NoteOnce(const std::string& message) {
    if (noted_.insert(message).second) std::fprintf(stderr, "vigil: %s\n", message.c_str());
}
