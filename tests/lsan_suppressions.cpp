// Leak-checker suppressions for the test programs (read only under the
// sanitizers). The system's message bus library keeps a buffer for the life
// of the process once SDL's video or audio has touched it; it is not ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }
