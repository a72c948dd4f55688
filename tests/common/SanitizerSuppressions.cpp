// fontconfig loses a few bytes while parsing its configuration files; that is the library's
// own leak, not ours, and would otherwise fail every test program that draws text under
// LeakSanitizer.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
