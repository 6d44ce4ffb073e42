#include "jvm/ClassAbsence.h"
#include "jvm/JavaException.h"
#include "jvm/JniGuards.h"
#include "jvm/JvmMessages.h"
#include "launcher/ErrorReport.h"
#include "launcher/JavaLauncher.h"

namespace {

// The entry points a class may offer, in the order Java's own launcher
// prefers them: one taking the arguments before one that takes none. A class
// cannot declare a static and an instance method of the same signature, so
// their order within a signature does not matter.
struct EntryPoint
{
    const char* signature;
    bool isStatic;
    bool takesArguments;
};

const EntryPoint kEntryPoints[] = {
    { "([Ljava/lang/String;)V", true, true },
    { "([Ljava/lang/String;)V", false, true },
    { "()V", true, false },
    { "()V", false, false },
};

const char kMainName[] = "main";

// FindClass wants modified UTF-8, so the name goes through a Java string
// first, which holds the configured characters whatever the code page. The
// message names the class as configured: the user reads ANSI text there.
// FindClass also links and initialises the class, so a class built for a
// newer Java, a missing dependency or a failing static initialiser fail here
// too; only the class's own absence is what the message says.
jclass FindMainClass(JNIEnv* env, jstring className, const CString& configuredName, HWND owner)
{
    AutoReleaseStringUTFChars name(env, className);
    if (!name.Get()) {
        ReportJavaException(env, owner);
        return nullptr;
    }
    jclass mainClass = env->FindClass(name.Get());
    if (!mainClass) {
        CString message;
        message.Format(Messages::kMainClassNotFound, configuredName.GetText());
        ReportJavaException(env, owner, message, !IsPendingClassAbsence(env, name.Get()));
    }
    return mainClass;
}

// A lookup that failed with a Java exception has been explained by the
// virtual machine's own output once the exception is described; only a
// silent failure needs a message of ours.
void ReportMissingMethod(JNIEnv* env, HWND owner)
{
    if (IsExceptionPending(env))
        ReportJavaException(env, owner);
    else
        ReportError(owner, Messages::kNoMainMethod);
}

// Each failed lookup leaves an exception pending, which must be cleared
// before the next JNI call. When none is found, the first lookup's exception
// is the one described: it names the entry point every Java version accepts.
jmethodID FindMainMethod(JNIEnv* env, jclass mainClass, HWND owner, const EntryPoint*& found)
{
    AutoDeleteLocalRef<jthrowable> firstFailure(env, nullptr);
    for (const EntryPoint& entry : kEntryPoints) {
        jmethodID method = entry.isStatic ? env->GetStaticMethodID(mainClass, kMainName, entry.signature)
                                          : env->GetMethodID(mainClass, kMainName, entry.signature);
        if (method) {
            found = &entry;
            return method;
        }
        AutoDeleteLocalRef<jthrowable> failure(env, env->ExceptionOccurred());
        if (failure.Get()) {
            env->ExceptionClear();
            if (!firstFailure.Get())
                firstFailure.Reset(failure.Detach());
        }
    }
    if (firstFailure.Get())
        env->Throw(firstFailure.Get());
    ReportMissingMethod(env, owner);
    return nullptr;
}

// An instance entry point runs on an object made with the class's
// constructor without parameters; a class without one cannot be started.
// Whatever the constructor throws is the application's own failure.
bool CreateReceiver(JNIEnv* env, jclass mainClass, HWND owner, jobject& receiver)
{
    jmethodID constructor = env->GetMethodID(mainClass, "<init>", "()V");
    if (!constructor) {
        ReportMissingMethod(env, owner);
        return false;
    }
    receiver = env->NewObjectA(mainClass, constructor, nullptr);
    return true;
}

} // namespace

// Runs the entry point on this thread. -1 when it could not be started; else
// 1 when the application's code ended with an exception, and 0 when main
// returned. The exception stays pending, as Java's own launcher leaves it:
// the detach hands it to the uncaught-exception handler the application may
// have set, whose default prints it. Its text, when shown, is kept for the
// box.
int CJavaLauncher::RunMain(jclass mainClass, CString& uncaughtText)
{
    const EntryPoint* entry = nullptr;
    jmethodID method = FindMainMethod(m_jniEnv, mainClass, m_splashWindow, entry);
    if (!method)
        return -1;
    AutoDeleteLocalRef<jobjectArray> arguments(
        m_jniEnv, entry->takesArguments ? NewJavaStringArray(m_programArguments) : nullptr);
    if (entry->takesArguments && !arguments.Get()) {
        ReportJavaException(m_jniEnv, m_splashWindow);
        return -1;
    }
    jobject created = nullptr;
    if (!entry->isStatic && !CreateReceiver(m_jniEnv, mainClass, m_splashWindow, created))
        return -1;
    AutoDeleteLocalRef<jobject> receiver(m_jniEnv, created);
    // A method without parameters reads nothing of the argument values.
    jvalue argument;
    argument.l = arguments.Get();
    if (entry->isStatic)
        m_jniEnv->CallStaticVoidMethodA(mainClass, method, &argument);
    else if (receiver.Get())
        m_jniEnv->CallVoidMethodA(receiver.Get(), method, &argument);
    if (IsExceptionPending(m_jniEnv)) {
        uncaughtText = PendingExceptionText(m_jniEnv);
        return 1;
    }
    return entry->isStatic || receiver.Get() ? 0 : -1;
}

// Null after a failure it has reported.
jstring CJavaLauncher::NewMainClassName()
{
    if (m_mainClass.IsEmpty())
        return NewJarMainClassName();
    jstring name = NewJavaString(m_mainClass);
    if (!name)
        ReportFormattedError(m_splashWindow, Messages::kLoadMainClass, m_mainClass);
    return name;
}

// The local references live in an inner scope so that they are given back
// before the detach, after which the environment is no longer ours. The box
// for an uncaught exception comes after the application's handler has run.
int CJavaLauncher::InvokeMain()
{
    int outcome;
    CString uncaughtText;
    {
        AutoDeleteLocalRef<jstring> className(m_jniEnv, NewMainClassName());
        if (!className.Get())
            return -1;
        AutoDeleteLocalRef<jclass> mainClass(
            m_jniEnv, FindMainClass(m_jniEnv, className.Get(), m_mainClass, m_splashWindow));
        if (!mainClass.Get())
            return -1;
        outcome = RunMain(mainClass.Get(), uncaughtText);
        if (outcome < 0)
            return -1;
    }

    bool detached = m_javaVM->DetachCurrentThread() == JNI_OK;
    m_jniEnv = nullptr; // belongs to the attachment that just ended
    if (!uncaughtText.IsEmpty())
        ReportError(m_splashWindow, uncaughtText);
    return detached ? outcome : -1;
}
