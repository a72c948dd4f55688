#pragma once

#include <string>

// Shows text in a small modal window of our own with one "确定" button, on the main form's
// centre (or the screen's); returns when it is closed.
void ShowMessageBox(const std::string& text, const std::string& caption);
