// Pango matches fonts on a worker thread of GLib's, handing the results over under GLib's own
// futex-based mutexes, which ThreadSanitizer cannot see; the hand-over reads as a race inside
// those libraries. Linked into the test programs that draw text; ThreadSanitizer asks for these
// suppressions when the program starts.
extern "C" const char* __tsan_default_suppressions()
{
    return "race:libglib-2.0.so\n"
           "race:libgobject-2.0.so\n"
           "race:libpango-1.0.so\n"
           "race:libpangoft2-1.0.so\n"
           "race:libfontconfig.so\n";
}
