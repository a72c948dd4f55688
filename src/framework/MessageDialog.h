#pragma once

#include <string>

class TApplication;

// Shows text in a small modal window of our own with one "确定" button, on the application's
// main form's centre (or the screen's); returns when it is closed.
void ShowMessageBox(TApplication& app, const std::string& text, const std::string& caption);
