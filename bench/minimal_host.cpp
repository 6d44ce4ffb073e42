// The least a program can do to run a Java main through a jvm.dll: load it
// by full path, create the VM with a class path, call main with no
// arguments, destroy the VM. The launch benchmark measures the launcher
// against this.
//
// Usage: minimal_host <jvm.dll> <class path> <main class in slash form>
#include <windows.h>

#include <jni.h>

#include <cstdlib>
#include <string>

namespace {

int Fail(const char* what)
{
    OutputDebugStringA(what);
    return 1;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (__argc != 4)
        return Fail("usage: minimal_host <jvm.dll> <class path> <main class>");
    HMODULE library = LoadLibraryA(__argv[1]);
    if (!library)
        return Fail("cannot load the jvm.dll");
    auto createJavaVM = reinterpret_cast<jint(JNICALL*)(JavaVM**, void**, void*)>(
        reinterpret_cast<void*>(GetProcAddress(library, "JNI_CreateJavaVM")));
    if (!createJavaVM)
        return Fail("no JNI_CreateJavaVM");

    std::string classPath = std::string("-Djava.class.path=") + __argv[2];
    JavaVMOption option = { &classPath[0], nullptr };
    JavaVMInitArgs args = { JNI_VERSION_1_2, 1, &option, JNI_FALSE };
    JavaVM* vm = nullptr;
    JNIEnv* env = nullptr;
    if (createJavaVM(&vm, reinterpret_cast<void**>(&env), &args) != JNI_OK)
        return Fail("creation refused");

    int result = 1;
    jclass mainClass = env->FindClass(__argv[3]);
    jmethodID main = mainClass ? env->GetStaticMethodID(mainClass, "main", "([Ljava/lang/String;)V") : nullptr;
    jclass stringClass = main ? env->FindClass("java/lang/String") : nullptr;
    jobjectArray arguments = stringClass ? env->NewObjectArray(0, stringClass, nullptr) : nullptr;
    if (arguments) {
        env->CallStaticVoidMethod(mainClass, main, arguments);
        result = 0;
    }
    if (vm->DetachCurrentThread() != JNI_OK)
        result = 1;
    vm->DestroyJavaVM();
    return result;
}
