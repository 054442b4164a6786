// Pango hands font matching to helper threads and waits for them with glib's own mutexes,
// which are futex-based and invisible to ThreadSanitizer: the hand-over of the font
// configuration reads as a race inside the font libraries. Only those libraries are
// silenced; a race in the framework's code is still reported.

extern "C" const char* __tsan_default_suppressions();

extern "C" const char* __tsan_default_suppressions() {
    return "race:libfontconfig.so\n"
           "race:libpangoft2-1.0.so\n"
           "race:libpango-1.0.so\n"
           "race:libharfbuzz.so\n";
}
