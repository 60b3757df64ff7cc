// GLib's mutexes are futexes of its own, which ThreadSanitizer cannot see, so the hand-over between
// GLib's worker thread and its caller reads as a race inside GLib. Link this into test programs
// that call into GIO; ThreadSanitizer asks for these suppressions when the program starts.
extern "C" const char* __tsan_default_suppressions()
{
    return "race:libglib-2.0.so\n"
           "race:libgobject-2.0.so\n"
           "race:libgio-2.0.so\n";
}
