// GLib (and with it GIO and pango's font matching) hands work between its own threads under
// futex-based mutexes of its own, which ThreadSanitizer cannot see; those hand-overs read as races
// inside the libraries. Linked into every test program of the ThreadSanitizer build, which asks for
// these suppressions when the program starts. Races in our own code are not suppressed.
extern "C" const char* __tsan_default_suppressions()
{
    return "race:libglib-2.0.so\n"
           "race:libgobject-2.0.so\n"
           "race:libgio-2.0.so\n"
           "race:libpango-1.0.so\n"
           "race:libpangoft2-1.0.so\n"
           "race:libfontconfig.so\n";
}
