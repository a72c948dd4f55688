#pragma once

#include <ft2build.h>

#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include FT_FREETYPE_H

#include "platform/freetype/FreeTypeFontEngine.h"

// A face chosen for a family and style, with what has to be synthesised because the face lacks
// it. Face is null when no font at all can be opened.
struct TFaceChoice {
    FT_Face Face = nullptr;
    bool SynthBold = false;
    bool SynthItalic = false;
};

// Finds and opens font faces: Windows family names map to the installed look-alikes, fontconfig
// picks the file, and anything missing falls back with one note on standard error.
class TFaceLibrary {
  public:
    explicit TFaceLibrary(TFreeTypeOptions options);
    ~TFaceLibrary();
    TFaceLibrary(const TFaceLibrary&) = delete;
    TFaceLibrary& operator=(const TFaceLibrary&) = delete;

    TFaceChoice Primary(const std::string& family, bool bold, bool italic);
    // The face for characters the primary face lacks (Chinese text).
    TFaceChoice Fallback(bool bold, bool italic);

  private:
    struct TMatch {
        std::string File;
        int Index = 0;
        bool HasFamily = false;
        std::string Family;
    };

    TFaceChoice Choose(const std::string& family, bool bold, bool italic);
    static TFaceChoice Styled(FT_Face face, bool bold, bool italic);
    bool Match(const std::string& family, bool bold, bool italic, TMatch& match);
    FT_Face Open(const std::string& file, int index);
    FT_Face AnyFace();
    void NoteOnce(const std::string& message);

    TFreeTypeOptions options_;
    FT_Library library_ = nullptr;
    std::map<std::pair<std::string, int>, FT_Face> faces_;
    std::map<std::tuple<std::string, bool, bool>, TFaceChoice> choices_;
    std::set<std::string> noted_;
    bool triedAny_ = false;
    FT_Face any_ = nullptr;
};
