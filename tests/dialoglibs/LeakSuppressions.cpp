// Read by LeakSanitizer in sanitizer builds: fontconfig keeps its
// configuration, loaded for Qt's font database, until the process ends.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
