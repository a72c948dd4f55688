#pragma once

#include <memory>

#include "graphics/FontEngine.h"

// Text through GDI: fonts are chosen by their Windows family names, and characters the chosen
// face lacks (Chinese in Arial) come from the faces the system links to it. Each character is
// drawn once in grey-scale anti-aliasing and kept as a coverage mask; the line metrics are the
// platform table's, so layouts are the same on every system.
std::unique_ptr<IFontEngine> CreateGdiFontEngine();

// Makes GDI the process's font engine.
void InstallGdiFontEngine();
