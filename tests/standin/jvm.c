/* A stand-in Java VM for the launcher's tests: it logs what it is asked to TESTJVM_LOG, behaves as the TESTJVM_*
 * variables say, and on any misuse of JNI logs FAIL=<what> and ends the process with 0xBAD: none passes unnoticed. */
#define _JNI_IMPLEMENTATION_
#include <windows.h>
#include <objbase.h>
#include <jni.h>
#include <stdlib.h>
#include <string.h>

enum { K_CLASS, K_STRING, K_ARRAY, K_THROWABLE, K_FRAME, K_INSTANCE };
static const char *const kindName[] = {"class", "string", "object[]", "throwable", "frame", "instance"};
/* Kinds of entry point, as spelled in TESTJVM_CLASSES. */
enum { E_STATIC, E_NOARGS, E_INSTANCE, E_INSTNOARGS, E_NOMAIN, E_NOCTOR, E_JAR, E_MANIFEST, E_ATTRIBUTES, E_COUNT };
static const char *const entrySuffix[] = {"", "noargs", "instance", "instancenoargs", "nomain", "instancenoctor",
                                          "jar", "manifest", "attributes"};
/* One shape for all: a class has name, entry, id; a string text, len; an array len and items (cls is their class);
 * a throwable cls, name (its message), items and len (its frames); a frame name; an instance cls, and for the jar's
 * classes name (the Main-Class value or NULL), id (a manifest's presence), len (an open jar's state). */
typedef struct Obj { int kind, entry, id, len; struct Obj *cls, **items; char *name; WCHAR *text; } Obj;
enum { NCLASSES = 64, NREFS = 512 }; /* ample: the rules allow 16 live references */
static Obj *classes[NCLASSES], *refs[NREFS], *pending, *stringClass, *frameClass;
static int nclasses, liveRefs, peakRefs, pinned, allocations, everCreated, openJars;
static enum { NONE, LIVE, DETACHED, DESTROYED } state;
static DWORD creator; static HANDLE appThread;
static void(JNICALL *exitHook)(jint), (JNICALL *abortHook)(void);
static jint(JNICALL *printHook)(FILE *, const char *, va_list);

static char *utf8(const WCHAR *w, int n, int *len) {
    int size = n ? WideCharToMultiByte(CP_UTF8, 0, w, n, NULL, 0, NULL, NULL) : 0; char *s = malloc(size + 1);
    return WideCharToMultiByte(CP_UTF8, 0, w, n, s, size, NULL, NULL), s[*len = size] = 0, s;
}
static WCHAR *decode(UINT codePage, const char *s, int n, int *len) {
    int size = n ? MultiByteToWideChar(codePage, 0, s, n, NULL, 0) : 0; WCHAR *w = malloc((size + 1) * sizeof(WCHAR));
    return MultiByteToWideChar(codePage, 0, s, n, w, size), w[*len = size] = 0, w;
}
/* The behaviour, as the variable TESTJVM_<name> gives it: its text in UTF-8 (NULL when unset), or its number. */
static char *setting(const char *name) {
    static WCHAR variable[64] = L"TESTJVM_", value[32768]; /* the VM's thread alone reads them */
    MultiByteToWideChar(CP_ACP, 0, name, -1, variable + 8, 56), SetLastError(0);
    int n = GetEnvironmentVariableW(variable, value, 32768);
    return n || GetLastError() != ERROR_ENVVAR_NOT_FOUND ? utf8(value, n, &n) : NULL;
}
static int number(const char *name) { char *text = setting(name); return text ? atoi(text) : 0; }
static char *vformat(const char *format, va_list args) { /* options may run to megabytes: sized to fit */
    va_list again; va_copy(again, args); char *s = malloc(_vscprintf(format, args) + 1);
    return vsprintf(s, format, again), va_end(again), s;
}
#define FORMAT(text, last, format) \
    va_list args_; va_start(args_, last); char *text = vformat(format, args_); va_end(args_)
static char *textf(const char *format, ...) { FORMAT(text, format, format); return text; }
/* key=value, `\` and control bytes escaped (format NULL: a bare key); opened per line, so an abrupt end loses none. */
static void say(const char *key, const char *format, ...) {
    FORMAT(value, format, format ? format : "");
    char *line = malloc(strlen(key) + 4 * strlen(value) + 3), *o = line + sprintf(line, format ? "%s=" : "%s", key);
    for (unsigned char *c = (unsigned char *)value; *c; c++)
        o += sprintf(o, *c == '\\' ? "\\\\" : *c < 0x20 ? "\\x%02X" : "%c", *c);
    WCHAR path[MAX_PATH] = L""; /* named for each line: a relative name follows the current directory */
    GetEnvironmentVariableW(L"TESTJVM_LOG", path, MAX_PATH);
    HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS, 0, 0);
    DWORD written = (*o++ = '\n');
    if (file != INVALID_HANDLE_VALUE) WriteFile(file, line, o - line, &written, NULL), CloseHandle(file);
    free(line), free(value);
}
static void writeStd(DWORD which, const char *format, ...) { /* as System.out and System.err write */
    FORMAT(text, format, format); DWORD written = WriteFile(GetStdHandle(which), text, strlen(text), &written, 0);
    free(text);
}
static void __attribute__((noreturn)) fail(const char *format, ...) {
    FORMAT(what, format, format);
    say("FAIL", "%s", what), writeStd(STD_ERROR_HANDLE, "stand-in jvm.dll: FAIL=%s\n", what), ExitProcess(0xBAD);
}

static Obj *newObj(int kind, Obj *cls) { Obj *o = calloc(1, sizeof(Obj)); o->kind = kind, o->cls = cls; return o; }
/* A reference is the address of a slot in refs; the count of live ones gives the peak logged at detach. */
static jobject newRef(Obj *o) {
    for (int i = 0; o && i < NREFS; i++)
        if (!refs[i]) return refs[i] = o, peakRefs += ++liveRefs > peakRefs, (jobject)&refs[i];
    return NULL;
}
static Obj *deref(jobject ref, const char *fn) {
    UINT_PTR at = (UINT_PTR)ref - (UINT_PTR)refs, i = at / sizeof *refs;
    if (at >= sizeof refs || at % sizeof *refs || !refs[i]) fail("%s: invalid or deleted reference", fn);
    return refs[i];
}
static Obj *need(jobject ref, int kind, const char *fn) {
    Obj *o = deref(ref, fn);
    if (o->kind != kind) fail("%s: given a %s where a %s belongs", fn, kindName[o->kind], kindName[kind]);
    return o;
}
#define NEED(ref, kind) need(ref, kind, __func__)
#define MAYBE(ref) ((ref) ? deref(ref, __func__) : NULL)
static int isThrowable(Obj *c) { /* enough for the class names the tests use */
    return strstr(c->name, "Error") || strstr(c->name, "Exception") || !strcmp(c->name, "java/lang/Throwable");
}
static Obj *classNamed(const char *name, int entry) { /* entry < 0: only look the class up */
    for (int i = 0; i < nclasses; i++) if (!strcmp(classes[i]->name, name)) return classes[i];
    if (entry < 0) return NULL;
    Obj *c = classes[nclasses] = newObj(K_CLASS, NULL);
    return c->name = _strdup(name), c->entry = entry, c->id = nclasses++, c;
}
static void addClasses(char *list) { /* "name[!kind];..." */
    for (char *name = strtok(list, ";"), *suffix; name; name = strtok(NULL, ";")) {
        int entry = 0;
        if ((suffix = strchr(name, '!')))
            for (*suffix++ = 0; entry < E_COUNT && strcmp(entrySuffix[entry], suffix);) entry++;
        if (entry == E_COUNT) fail("TESTJVM_CLASSES: unknown kind of entry point '%s'", suffix);
        classNamed(name, entry);
    }
}
static jobject newString(WCHAR *text, int len) {
    Obj *s = newObj(K_STRING, stringClass); s->text = text, s->len = len; return newRef(s);
}
static jobject newStringUtf8(const char *text) {
    int n; WCHAR *w = decode(CP_UTF8, text, strlen(text), &n); return newString(w, n);
}
static WCHAR *copyChars(const WCHAR *text, int len) { return memcpy(calloc(len + 1, sizeof(WCHAR)), text, len * 2); }
static Obj *newThrowable(const char *className, const char *message) {
    Obj *t = newObj(K_THROWABLE, classNamed(className, E_NOMAIN)); return t->name = _strdup(message), t;
}
static void *throwNew(const char *name, const char *message) { return pending = newThrowable(name, message), NULL; }
static char *describe(Obj *t) { /* "<class in dot form>[: <message>]", as Throwable.toString() gives it */
    char *s = textf(*t->name ? "%s: %s" : "%s", t->cls->name, t->name);
    for (char *p = s; *p && *p != ':'; p++) if (*p == '/') *p = '.';
    return s;
}
/* Counts the allocations the launcher asks for, so that a test can make the n-th one run out of memory. */
static int allocate(void) {
    return ++allocations != number("FAIL_ALLOC_AT") || throwNew("java/lang/OutOfMemoryError", "Java heap space");
}
/* Checked as Java checks it: a bad index leaves an exception pending, no crash. */
static int inBounds(Obj *a, jsize i) {
    return (i >= 0 && i < a->len) || throwNew("java/lang/ArrayIndexOutOfBoundsException", "out of bounds");
}

static struct JNINativeInterface_ envTable; static JNIEnv theEnv = &envTable;
static struct JNIInvokeInterface_ vmTable; static JavaVM theVm = &vmTable;
/* Every JNIEnv entry starts here: the checks that make a misuse fail loudly. */
static void enter(JNIEnv *env, const char *fn, int pendingAllowed) {
    static const char *const when[] = {"before the VM was created", "with a foreign JNIEnv",
                                       "after DetachCurrentThread", "after DestroyJavaVM"};
    if (state != LIVE || env != &theEnv) fail("%s called %s", fn, when[state]);
    if (GetCurrentThreadId() != creator) fail("%s called from another thread than the VM's creator", fn);
    if (pending && !pendingAllowed) fail("%s called while an exception is pending", fn);
}
/* Opens the body of a JNIEnv entry, past its checks; `pendingAllowed` for the few that may run meanwhile. */
#define ENTRY(R, name, pendingAllowed, ...) \
    static R JNICALL name(JNIEnv *env, ##__VA_ARGS__) { enter(env, #name, pendingAllowed);
/* A method ID encodes its class and which of the few methods known here it is. Each method is called through
 * one family of calls (how), takes one object argument or none (arg), and main exists for the entries named. */
enum { NEW, CALL_STATIC, CALL_VOID, CALL_OBJECT };
enum { M_CTOR, M_MAIN, M_MAIN_NOARGS, M_IMAIN, M_IMAIN_NOARGS, M_TOSTRING, M_STACK, M_MESSAGE, M_OPEN, M_MANIFEST,
       M_CLOSE, M_MAIN_ATTRIBUTES, M_VALUE, M_COUNT };
static const struct { const char *name, *sig; int how, arg, entries; } methods[] = {
    {"<init>", "()V", NEW, 0, 1 << E_INSTANCE | 1 << E_INSTNOARGS},
    {"main", "([Ljava/lang/String;)V", CALL_STATIC, 1, 1 << E_STATIC}, {"main", "()V", CALL_STATIC, 0, 1 << E_NOARGS},
    {"main", "([Ljava/lang/String;)V", CALL_VOID, 1, 1 << E_INSTANCE | 1 << E_NOCTOR},
    {"main", "()V", CALL_VOID, 0, 1 << E_INSTNOARGS}, {"toString", "()Ljava/lang/String;", CALL_OBJECT, 0, 0},
    {"getStackTrace", "()[Ljava/lang/StackTraceElement;", CALL_OBJECT, 0, 0},
    {"getMessage", "()Ljava/lang/String;", CALL_OBJECT, 0, 0},
    {"<init>", "(Ljava/lang/String;)V", NEW, 1, 1 << E_JAR},
    {"getManifest", "()Ljava/util/jar/Manifest;", CALL_OBJECT, 0, 1 << E_JAR}, {"close", "()V", CALL_VOID, 0, 1 << E_JAR},
    {"getMainAttributes", "()Ljava/util/jar/Attributes;", CALL_OBJECT, 0, 1 << E_MANIFEST},
    {"getValue", "(Ljava/lang/String;)Ljava/lang/String;", CALL_OBJECT, 1, 1 << E_ATTRIBUTES}};
static int hasMethod(Obj *c, int m) {
    return m == M_TOSTRING ? isThrowable(c) || c == frameClass
         : m == M_STACK || m == M_MESSAGE ? isThrowable(c) : methods[m].entries >> c->entry & 1;
}
static jmethodID lookup(Obj *c, const char *name, const char *sig, int isStatic) {
    for (int m = 0; m < M_COUNT; m++)
        if (!strcmp(methods[m].name, name) && !strcmp(methods[m].sig, sig)
            && (methods[m].how == CALL_STATIC) == isStatic && hasMethod(c, m))
            return (jmethodID)(INT_PTR)(c->id * M_COUNT + m + 1);
    return number("SILENT_LOOKUPS") ? NULL : throwNew("java/lang/NoSuchMethodError", name);
}
ENTRY(jmethodID, GetMethodID, 0, jclass c, const char *name, const char *sig)
    return lookup(NEED(c, K_CLASS), name, sig, 0); }
ENTRY(jmethodID, GetStaticMethodID, 0, jclass c, const char *name, const char *sig)
    return lookup(NEED(c, K_CLASS), name, sig, 1); }
ENTRY(jclass, FindClass, 0, const char *name) /* TESTJVM_FINDCLASS_THROWS=<class>:<message>, as linking may fail */
    say("findclass", "%s", name); Obj *c = classNamed(name, -1); char *thrown = setting("FINDCLASS_THROWS"), *message;
    if (c && c->entry != E_NOMAIN && thrown && (message = strchr(thrown, ':')))
        return *message++ = 0, throwNew(thrown, message);
    return c ? newRef(c) : number("SILENT_LOOKUPS") ? NULL : throwNew("java/lang/NoClassDefFoundError", name);
}
ENTRY(jstring, NewString, 0, const jchar *s, jsize len) return allocate() ? newString(copyChars(s, len), len) : NULL; }
ENTRY(jstring, NewStringUTF, 0, const char *s) return allocate() ? newStringUtf8(s) : NULL; }
ENTRY(jsize, GetStringLength, 0, jstring s) return NEED(s, K_STRING)->len; }
/* Characters handed out are counted until released: any out at DestroyJavaVM leaked. UTF-8 stands in for modified
 * UTF-8: the two agree on any text within the BMP without U+0000. */
static void *handOut(void *chars, jboolean *isCopy) { if (isCopy) *isCopy = JNI_TRUE; return pinned++, chars; }
ENTRY(const jchar *, GetStringChars, 0, jstring s, jboolean *isCopy)
    Obj *o = NEED(s, K_STRING); return handOut(copyChars(o->text, o->len), isCopy);
}
ENTRY(const char *, GetStringUTFChars, 0, jstring s, jboolean *isCopy)
    Obj *o = NEED(s, K_STRING); int n;
    if (number("UTF_CHARS_FAIL")) return throwNew("java/lang/OutOfMemoryError", "GetStringUTFChars");
    return handOut(utf8(o->text, o->len, &n), isCopy);
}
static void release(jstring s, const void *chars, const char *fn) {
    if (need(s, K_STRING, fn), !chars || pinned-- <= 0) fail("%s of characters never handed out", fn);
    free((void *)chars);
}
ENTRY(void, ReleaseStringChars, 1, jstring s, const jchar *chars) release(s, chars, __func__); }
ENTRY(void, ReleaseStringUTFChars, 1, jstring s, const char *chars) release(s, chars, __func__); }
ENTRY(jthrowable, ExceptionOccurred, 1) return newRef(pending); }
ENTRY(jboolean, ExceptionCheck, 1) return pending != NULL; }
ENTRY(jboolean, IsInstanceOf, 0, jobject ref, jclass c) return deref(ref, __func__)->cls == NEED(c, K_CLASS); }
ENTRY(void, ExceptionClear, 1) pending = NULL; }
/* Prints the pending exception as Java's default uncaught-exception handler does, and clears it. */
static void printPending(const char *key) {
    char *text = describe(pending);
    say(key, "%s", text), writeStd(STD_ERROR_HANDLE, "Exception in thread \"main\" %s\n", text);
    for (int i = 0; i < pending->len; i++) writeStd(STD_ERROR_HANDLE, "\tat %s\n", pending->items[i]->name);
    free(text), pending = NULL;
}
ENTRY(void, ExceptionDescribe, 1)
    pending ? printPending("describe") : fail("ExceptionDescribe without a pending exception"); }
ENTRY(jint, Throw, 0, jthrowable t) pending = NEED(t, K_THROWABLE); return 0; }
ENTRY(void, DeleteLocalRef, 1, jobject ref) if (MAYBE(ref)) *(Obj **)ref = NULL, liveRefs--; }
ENTRY(jobjectArray, NewObjectArray, 0, jsize len, jclass cls, jobject init)
    Obj *value = MAYBE(init), *c = NEED(cls, K_CLASS), *a = allocate() ? newObj(K_ARRAY, c) : NULL;
    if (a) a->len = len, a->items = calloc(len + 1, sizeof(Obj *));
    for (int i = 0; a && i < len; i++) a->items[i] = value;
    return newRef(a);
}
ENTRY(void, SetObjectArrayElement, 0, jobjectArray array, jsize i, jobject ref)
    Obj *a = NEED(array, K_ARRAY), *value = MAYBE(ref); if (inBounds(a, i)) a->items[i] = value;
}
ENTRY(jobject, GetObjectArrayElement, 0, jobjectArray array, jsize i)
    Obj *a = NEED(array, K_ARRAY); return inBounds(a, i) ? newRef(a->items[i]) : NULL;
}
ENTRY(jsize, GetArrayLength, 0, jarray array) return NEED(array, K_ARRAY)->len; } /* Object[] is all it measures */
/* Arrays and classes have no class object here: the launcher has no use for one. */
ENTRY(jclass, GetObjectClass, 0, jobject ref)
    Obj *o = deref(ref, __func__);
    if (!o->cls || o->kind == K_ARRAY) fail("GetObjectClass of a %s", kindName[o->kind]);
    return newRef(o->cls);
}

static const char *splash(void) { /* whether this process shows the launcher's splash window */
    DWORD pid;
    for (HWND w = NULL; (w = FindWindowExW(NULL, w, L"SplashScreenWindow", NULL));)
        if (GetWindowThreadProcessId(w, &pid), pid == GetCurrentProcessId() && IsWindowVisible(w)) return "visible";
    return "absent";
}
static DWORD WINAPI appThreadMain(LPVOID ms) { return Sleep((DWORD)(UINT_PTR)ms), say("appthread.end", NULL), 0; }
/* An application's own window, which the splash should make way for; it outlives main, as such windows do. */
static HWND newWindow(int show) {
    WNDCLASSW wc = {.lpfnWndProc = DefWindowProcW, .hInstance = GetModuleHandleW(NULL), .lpszClassName = L"StandinApp"};
    RegisterClassW(&wc);
    HWND w = CreateWindowExW(0, wc.lpszClassName, L"Stand-in application", WS_OVERLAPPEDWINDOW, 100, 100, 320, 200,
                             NULL, NULL, wc.hInstance, NULL);
    return ShowWindow(w, show), w;
}
static void pump(DWORD ms, int whileSplash) { /* the window's messages, as an application's event thread handles them */
    MSG msg;
    for (DWORD start = GetTickCount(); GetTickCount() - start < ms && (!whileSplash || !strcmp(splash(), "visible")); Sleep(10))
        while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) TranslateMessage(&msg), DispatchMessageW(&msg);
}
/* A VM that gives up, as HotSpot does: it says why through the print hook, then ends the process with 1 through
 * the abort hook (exit is only for System.exit). A hook that returns leaves the ending to the VM. */
static void abortVm(const char *format, ...) {
    va_list args; va_start(args, format);
    if (printHook) printHook(stderr, format, args);
    if (abortHook) abortHook();
    ExitProcess(1);
}
static void exitVm(int code) { if (exitHook) exitHook(code); ExitProcess(code); } /* System.exit */
/* A child process started as ProcessBuilder starts one, inheriting every inheritable handle: rundll32 running childMain
 * below, given the launcher's standard handles and C runtime descriptors' (in ASCII: the ARM64 kit has no wprintf). */
static void startChild(void) {
    WCHAR line[4096] = L"rundll32.exe \"", dir[MAX_PATH] = L""; PROCESS_INFORMATION child; char handles[1024];
    GetModuleFileNameW(GetModuleHandleW(L"jvm.dll"), line + 14, MAX_PATH), GetDllDirectoryW(MAX_PATH, dir);
    say("main.dlldir", "%ls", dir);
    int n = sprintf(handles, "\",childMain %p %p", GetStdHandle(STD_OUTPUT_HANDLE), GetStdHandle(STD_ERROR_HANDLE));
    intptr_t(__cdecl * osfhandle)(int) = (void *)GetProcAddress(GetModuleHandleW(L"msvcrt.dll"), "_get_osfhandle");
    for (int fd = 0; fd < 32; fd++) if (osfhandle(fd) > 0) n += sprintf(handles + n, " %p", (void *)osfhandle(fd));
    MultiByteToWideChar(CP_ACP, 0, handles, -1, line + wcslen(line), 4096 - (int)wcslen(line));
    STARTUPINFOW startup = {.cb = sizeof startup};
    if (!CreateProcessW(NULL, line, NULL, NULL, TRUE, 0, NULL, NULL, &startup, &child)) fail("no child process");
    WaitForSingleObject(child.hProcess, INFINITE), CloseHandle(child.hProcess), CloseHandle(child.hThread);
}
/* Names each handle it was given that it holds, and the DLL directory it got. */
__declspec(dllexport) void CALLBACK childMain(HWND window, HINSTANCE instance, char *line, int show) {
    WCHAR dir[MAX_PATH] = L"", name[MAX_PATH]; DWORD flags;
    GetDllDirectoryW(MAX_PATH, dir), say("child.dlldir", "%ls", dir), (void)window, (void)instance, (void)show;
    for (char *value = strtok(line, " "); value; value = strtok(NULL, " ")) {
        HANDLE handle = (HANDLE)(INT_PTR)_strtoui64(value, NULL, 16);
        if (GetHandleInformation(handle, &flags) && GetFinalPathNameByHandleW(handle, name, MAX_PATH, 0))
            say("child.inherited", "%ls", wcsrchr(name, L'\\') + 1);
    }
}
static void throwFromMain(const char *className) {
    say("main.throw", "%s", className), pending = newThrowable(className, "thrown by main");
    int frames = number("MAIN_THROWS_FRAMES");
    pending->items = calloc(pending->len = frames ? frames : 2, sizeof(Obj *));
    for (int i = 1; i <= pending->len; i++)
        (pending->items[i - 1] = newObj(K_FRAME, frameClass))->name = textf("com.example.Main.f%d(Main.java:%d)", i, i);
}
static void runMain(Obj *cls, Obj *args) {
    say("main.class", "%s", cls->name), say("main.splash", "%s", splash());
    say("main.area", "%d %d", GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN)); /* at its DPI */
    say("main.argc", "%d", args ? args->len : 0);
    for (int i = 0, n; args && i < args->len; i++) {
        if (!args->items[i]) fail("main's argument %d is null", i);
        char *text = utf8(args->items[i]->text, args->items[i]->len, &n);
        say("arg", "%s", text), free(text);
    }
    char *print = setting("MAIN_PRINT"), *throws = setting("MAIN_THROWS");
    int sleepMs = number("MAIN_SLEEP_MS"), exitCode = number("MAIN_EXIT"), threadMs = number("APP_THREAD_MS");
    if (print) writeStd(STD_OUTPUT_HANDLE, "%s\n", print), writeStd(STD_ERROR_HANDLE, "err:%s\n", print);
    if (threadMs) appThread = CreateThread(NULL, 0, appThreadMain, (LPVOID)(UINT_PTR)threadMs, 0, NULL);
    if (number("MAIN_SHOW_WINDOW")) newWindow(SW_SHOW), pump(3000, 1), say("main.splash.afterwindow", "%s", splash());
    if (number("MAIN_CHILD")) startChild();
    HRESULT com = CoInitializeEx(NULL, COINIT_MULTITHREADED); /* as a library using WMI does */
    if (say("main.com", "0x%08lx", (long)com), SUCCEEDED(com)) CoUninitialize();
    char *minimised = setting("MAIN_MINIMISED_WINDOW"); /* shown this many ms after main starts, for a second start */
    HWND window = minimised ? pump(atoi(minimised), 0), newWindow(SW_SHOWMINNOACTIVE) : NULL;
    if (sleepMs) pump(sleepMs, 0), say("main.splash.end", "%s", splash());
    if (window) say("main.window", "%s", IsIconic(window) ? "minimised" : GetForegroundWindow() == window ? "in front" : "behind");
    if (number("MAIN_CRASH")) TerminateProcess(GetCurrentProcess(), 0xC0000005); /* at once, as a crash ends it */
    if (exitCode) say("main.exit", "%d", exitCode), exitVm(exitCode);
    if (number("MAIN_ABORTS")) say("main.exit", "fatal error"), abortVm("# A fatal error has been detected\n");
    if (throws) throwFromMain(throws);
    else say("main.return", NULL);
}
/* java.util.jar as far as an executable jar's Main-Class goes. The jar is read as Java opens it, from the current
 * directory; its manifest must be stored, not deflated, as the rows' jars are. Every jar opened must be closed. */
static jobject jarCall(Obj *t, int m, Obj *a, const char *fn) {
    static const char *const attribute = "Main-Class: ";
    if (methods[m].arg && (!a || a->kind != K_STRING)) fail("%s: %s given no String", fn, methods[m].name);
    if (m == M_VALUE) return _wcsicmp(a->text, L"Main-Class") || !t->name ? NULL : newStringUtf8(t->name);
    if (m != M_OPEN && t->cls->entry == E_JAR && t->len) fail("%s: %s of a closed JarFile", fn, methods[m].name);
    if (m == M_CLOSE) return openJars--, t->len = 1, NULL;
    if (m != M_OPEN) {
        Obj *o = newObj(K_INSTANCE, classNamed(m == M_MANIFEST ? "java/util/jar/Manifest" : "java/util/jar/Attributes", -1));
        return m == M_MANIFEST && !t->id ? NULL : (o->name = t->name, o->id = t->id, newRef(o));
    }
    HANDLE file = CreateFileW(copyChars(a->text, a->len), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    DWORD size = GetFileSize(file, NULL), read = 0; char *bytes = calloc(size + 1, 1), *value;
    if (file == INVALID_HANDLE_VALUE || !ReadFile(file, bytes, size, &read, NULL) || read != size)
        return CloseHandle(file), throwNew("java/io/FileNotFoundException", "no such jar");
    Obj *jar = newObj(K_INSTANCE, t); openJars++, CloseHandle(file);
    for (char *at = bytes; at < bytes + size; at += strlen(at) + 1) { /* a zip holds NUL bytes: search each piece */
        jar->id |= strstr(at, "META-INF/MANIFEST.MF") != NULL;
        if ((value = strstr(at, attribute)))
            value += strlen(attribute), jar->name = textf("%.*s", (int)strcspn(value, "\r\n"), value);
    }
    return free(bytes), newRef(jar);
}
static const char *const callName[] = {"NewObject", "CallStaticVoidMethod", "CallVoidMethod", "CallObjectMethod"};
/* The one body of NewObject and the Call*Method families: the method must belong to its target. */
static jobject invoke(JNIEnv *env, jobject target, jmethodID id, const jvalue *args, int how) {
    const char *fn = callName[how]; INT_PTR n = (INT_PTR)id - 1;
    if (enter(env, fn, 0), n < 0 || n >= nclasses * M_COUNT) fail("%s: invalid method ID", fn);
    int m = n % M_COUNT;
    Obj *c = classes[n / M_COUNT], *t = deref(target, fn);
    if (how < CALL_VOID ? t != c : t->cls != c && !(isThrowable(c) && t->kind == K_THROWABLE))
        fail("%s: method of %s called on %s", fn, c->name, t->kind == K_CLASS ? t->name : kindName[t->kind]);
    if (methods[m].how != how) fail("%s of %s.%s%s", fn, c->name, methods[m].name, methods[m].sig);
    Obj *a = methods[m].arg && args && args[0].l ? deref(args[0].l, fn) : NULL; /* one object argument at most */
    if (m == M_CTOR) return newRef(newObj(K_INSTANCE, c));
    if ((m == M_TOSTRING && t->kind == K_FRAME) || m == M_MESSAGE) return newStringUtf8(t->name);
    if (m == M_TOSTRING) { char *text = describe(t); jobject s = newStringUtf8(text); return free(text), s; }
    if (m == M_STACK) { Obj *f = newObj(K_ARRAY, frameClass); f->items = t->items, f->len = t->len; return newRef(f); }
    if (m >= M_OPEN) return jarCall(t, m, a, fn);
    if (methods[m].arg && (!a || a->kind != K_ARRAY || a->cls != stringClass)) fail("%s: main given no String[]", fn);
    return runMain(c, a), NULL; /* the four kinds of main */
}
/* Only the forms the launcher uses: any other traps as an unexpected entry. */
#define CALL_A(Name, R, T, how, RET) \
    static R JNICALL Name(JNIEnv *env, T t, jmethodID m, const jvalue *a) { RET invoke(env, t, m, a, how); }
CALL_A(NewObjectA, jobject, jclass, NEW, return) CALL_A(CallStaticVoidMethodA, void, jclass, CALL_STATIC, (void))
CALL_A(CallVoidMethodA, void, jobject, CALL_VOID, (void)) CALL_A(CallObjectMethodA, jobject, jobject, CALL_OBJECT, return)
/* C++'s CallObjectMethod passes its arguments on as a va_list; toString and getStackTrace take none. */
static jobject JNICALL CallObjectMethodV(JNIEnv *env, jobject o, jmethodID m, va_list unused) {
    return (void)unused, invoke(env, o, m, NULL, CALL_OBJECT);
}

static void vmEnter(JavaVM *vm, const char *fn) {
    if (vm != &theVm || state == NONE || state == DESTROYED)
        fail("%s %s", fn, state == DESTROYED ? "after DestroyJavaVM" : "without a created VM");
}
/* Waits for the application's thread, as Java waits for its non-daemon threads. */
static jint JNICALL DestroyJavaVM(JavaVM *vm) {
    if (vmEnter(vm, __func__), pinned) fail("DestroyJavaVM with %d string characters never released", pinned);
    if (openJars) fail("DestroyJavaVM with %d JarFile never closed", openJars);
    if (appThread) WaitForSingleObject(appThread, INFINITE), CloseHandle(appThread);
    return say("destroy.splash", "%s", splash()), say("destroy.end", NULL), state = DESTROYED, JNI_OK;
}
static jint JNICALL DetachCurrentThread(JavaVM *vm) {
    vmEnter(vm, __func__);
    if (GetCurrentThreadId() != creator) fail("DetachCurrentThread from another thread than the VM's creator");
    int result = number("DETACH_RESULT");
    if (pending) printPending("uncaught"); /* as HotSpot hands it to the thread's uncaught-exception handler */
    say("localrefs.peak", "%d", peakRefs), say("localrefs.live", "%d", liveRefs), say("detach", "%d", result);
    return state = result ? state : DETACHED, result;
}
/* Every other slot holds an address in the never-mapped first 64 KiB that names the slot: a call through it
 * faults there, and this handler says which slot it was. */
enum { ENV_SLOTS = 0x1000, VM_SLOTS = 0x8000 };
static LONG WINAPI unexpectedEntry(EXCEPTION_POINTERS *e) {
    UINT_PTR at = (UINT_PTR)e->ExceptionRecord->ExceptionAddress, vm = at >= VM_SLOTS;
    if (e->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION && at >= ENV_SLOTS && at < VM_SLOTS + 0x100)
        fail("unexpected %s entry #%d", vm ? "JavaVM" : "JNIEnv", (int)(at - (vm ? VM_SLOTS : ENV_SLOTS)));
    return EXCEPTION_CONTINUE_SEARCH;
}
static void fillTables(void) {
    for (UINT_PTR i = 0; i < sizeof envTable / sizeof(void *); i++) ((void **)&envTable)[i] = (void *)(ENV_SLOTS + i);
    for (UINT_PTR i = 0; i < sizeof vmTable / sizeof(void *); i++) ((void **)&vmTable)[i] = (void *)(VM_SLOTS + i);
    AddVectoredExceptionHandler(1, unexpectedEntry);
#define SET(f) envTable.f = f
    SET(FindClass), SET(IsInstanceOf), SET(GetMethodID), SET(GetStaticMethodID), SET(NewString), SET(NewStringUTF);
    SET(GetStringLength), SET(GetStringChars), SET(ReleaseStringChars), SET(GetStringUTFChars);
    SET(ReleaseStringUTFChars), SET(Throw), SET(ExceptionOccurred), SET(ExceptionCheck), SET(ExceptionDescribe);
    SET(ExceptionClear), SET(DeleteLocalRef), SET(NewObjectArray), SET(SetObjectArrayElement);
    SET(GetObjectArrayElement), SET(GetArrayLength), SET(GetObjectClass), SET(NewObjectA), SET(CallStaticVoidMethodA);
    SET(CallVoidMethodA), SET(CallObjectMethodV), SET(CallObjectMethodA);
    vmTable.DestroyJavaVM = DestroyJavaVM, vmTable.DetachCurrentThread = DetachCurrentThread;
}

/* Logs the options, takes the hooks, and returns the first option refused, if any. */
static char *readOptions(const JavaVMInitArgs *args) {
    char *refused = NULL;
    for (int i = 0, n; i < args->nOptions; i++) {
        const char *option = args->options[i].optionString; void *extra = args->options[i].extraInfo;
        WCHAR *wide = decode(CP_ACP, option, strlen(option), &n); /* as HotSpot reads them */
        char *text = utf8(wide, n, &n);
        if (say("option", "%s", text), free(wide), extra) say("option.extraInfo", "%s", text);
        if (!strcmp(option, "vfprintf")) printHook = extra;
        else if (!strcmp(option, "exit")) exitHook = extra;
        else if (!strcmp(option, "abort")) abortHook = extra;
        else if (*option != '-' && !args->ignoreUnrecognized && !refused) refused = text;
    }
    return refused;
}
#ifndef STANDIN_NO_CREATE
JNIEXPORT jint JNICALL JNI_CreateJavaVM(JavaVM **vm, void **env, void *initArgs) {
    JavaVMInitArgs *args = initArgs; jint v = args->version;
    if (everCreated++) fail("JNI_CreateJavaVM called twice");
#ifdef STANDIN_DEP
    extern __declspec(dllimport) int standin_dep(void);
    standin_dep(); /* ties this library to the one beside it, as a runtime's jvm.dll is tied to its C runtime */
#endif
    say("create.version", "0x%08lx", (long)v), say("create.ignoreUnrecognized", "%d", args->ignoreUnrecognized != 0);
    char *refused = readOptions(args);
    int known = (v >= 0x10002 && v <= 0x10008 && !(v & 1)) /* 1.2 to 1.8, 9, 10, 19, 21 */
        || v == 0x90000 || v == 0xa0000 || v == 0x130000 || v == 0x150000;
    jint result = !known ? JNI_EVERSION : refused ? JNI_ERR : number("CREATE_RESULT");
    char *aborts = setting("CREATE_ABORTS");
    if (!refused && known && aborts) abortVm("%s\n", aborts);
    if (!refused && known && setting("CREATE_EXITS")) exitVm(number("CREATE_EXITS")); /* from an agent's premain */
    say("create.result", "%ld", (long)result);
    int leave = number("CREATE_LEAVES_POINTERS"); /* JNI promises nothing about the pointers after a refusal */
    if (result) return *vm = leave ? &theVm : NULL, *env = leave ? &theEnv : NULL, result;
    char builtins[] = /* the exceptions thrown here are made as they are thrown */
        "java/lang/Object!nomain;java/lang/String!nomain;java/lang/Throwable!nomain;java/lang/StackTraceElement!nomain;"
        "java/util/jar/JarFile!jar;java/util/jar/Manifest!manifest;java/util/jar/Attributes!attributes";
    char *listed = setting("CLASSES");
    fillTables(), addClasses(builtins), addClasses(listed ? listed : "");
    stringClass = classes[1], frameClass = classes[3];
    state = LIVE, creator = GetCurrentThreadId(), *vm = &theVm, *env = &theEnv;
    return JNI_OK;
}
#endif
#ifndef STANDIN_NO_DEFAULT_ARGS
JNIEXPORT jint JNICALL JNI_GetDefaultJavaVMInitArgs(void *args) { /* the launcher fills in its own arguments */
    (void)args, fail("JNI_GetDefaultJavaVMInitArgs called");
}
#endif
