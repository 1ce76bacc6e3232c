// Sanitizer defaults built into the test programs, and into the program itself
// when it is built with the sanitizers, so that they hold however a program is
// started (ctest, a script, a debugger). In other builds nothing calls these.

extern "C" {

__attribute__((used, visibility("default"))) const char* __asan_default_options() {
    return "detect_leaks=1:abort_on_error=0";
}

__attribute__((used, visibility("default"))) const char* __ubsan_default_options() {
    return "print_stacktrace=1:halt_on_error=1";
}

// Allocations that system libraries keep for the life of the process. Qt's
// D-Bus keeps its session connection in a global of its own thread, which a
// program ended by a signal while that connection is still being made leaves
// behind.
__attribute__((used, visibility("default"))) const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\n"
           "leak:libdbus-1\n"
           "leak:libQt6DBus\n"
           "leak:libpulse\n"
           "leak:libX11\n"
           "leak:libxcb\n"
           "leak:libglib-2.0\n";
}
}
