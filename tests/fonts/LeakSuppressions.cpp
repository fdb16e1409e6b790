// fontconfig keeps process-wide configuration that it never frees, and a plug-in must not
// tear it down (the host may use it too); the leak checker is told to let it be.
extern "C" __attribute__((visibility("default"))) const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}
