#pragma once

#include <map>
#include <memory>
#include <string>

#include "graphics/FontEngine.h"

struct TFreeTypeOptions {
    // Font files to use for a requested family name before asking fontconfig.
    std::map<std::string, std::string> FaceFiles;
    // Without fontconfig only FaceFiles are known; with neither, text draws nothing.
    bool UseFontconfig = true;
};

std::unique_ptr<IFontEngine> CreateFreeTypeFontEngine(const TFreeTypeOptions& options = {});

// Makes FreeType with fontconfig the process's font engine.
void InstallFreeTypeFontEngine();
