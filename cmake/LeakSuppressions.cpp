// fontconfig loses a few bytes while parsing its configuration files; that is the library's
// own leak, not ours, and would otherwise fail every test program that draws text, and every
// screenshot of the sanitizer build of the program, under LeakSanitizer. Linked into both.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

// Without this, every run that met the suppressed leak would end with a table of it on the
// error output.
extern "C" const char* __lsan_default_options() {
    return "print_suppressions=0";
}
