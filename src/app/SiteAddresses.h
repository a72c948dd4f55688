#pragma once

#include <string>

// The maker's addresses, fixed when the program is built.
const std::string& HomePageAddress();
// The program's page on the same site.
const std::string& UpdatePageAddress();
// The author's mail address, without "mailto:".
const std::string& MailAddress();
