// Assimp 5.2's .x importer leaks part of its parse tree when it rejects a damaged file. The
// loss is Assimp's, not ours, and would otherwise fail every rejection test under LeakSanitizer.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libassimp.so\n";
}
