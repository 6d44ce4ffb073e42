/* A library the stand-in VM imports, as a runtime's jvm.dll imports the C runtime shipped beside it. */
__declspec(dllexport) int standin_dep(void) { return 1; }
