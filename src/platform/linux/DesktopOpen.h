#pragma once

#include <string>

// Hands a web or mail address to the desktop's opener (xdg-open), started by its absolute
// path and left to run on its own: the caller never waits for the browser or mail program.
// False when no opener is installed or it could not be started.
bool OpenWithDesktop(const std::string& address);
// The same with the opener given: it must be an absolute path, and gets the address as its
// one argument and nothing the program has open but the standard streams.
bool OpenWithDesktop(const std::string& address, const std::string& opener);
