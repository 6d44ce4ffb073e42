#include "jvm/JavaException.h"
#include "jvm/JniGuards.h"
#include "jvm/JvmMessages.h"
#include "launcher/ErrorReport.h"
#include "launcher/JavaLauncher.h"

namespace {

// FindClass wants modified UTF-8, so the name goes through a Java string
// first: the virtual machine decodes the configured bytes as it decodes
// every other text of the launcher.
jclass FindMainClass(JNIEnv* env, jstring className, HWND owner)
{
    AutoReleaseStringUTFChars name(env, className);
    if (!name.Get()) {
        ReportJavaException(env, owner);
        return nullptr;
    }
    jclass mainClass = env->FindClass(name.Get());
    if (!mainClass) {
        CString message;
        message.Format(Messages::kMainClassNotFound, name.Get());
        ReportJavaException(env, owner, message);
    }
    return mainClass;
}

// A lookup that failed with a Java exception has been explained by the
// virtual machine's own output once the exception is described; only a
// silent failure needs a message of ours.
jmethodID FindMainMethod(JNIEnv* env, jclass mainClass, HWND owner)
{
    jmethodID mainMethod = env->GetStaticMethodID(mainClass, "main", "([Ljava/lang/String;)V");
    if (mainMethod)
        return mainMethod;
    if (IsExceptionPending(env))
        ReportJavaException(env, owner);
    else
        ReportError(owner, Messages::kNoMainMethod);
    return nullptr;
}

} // namespace

// Runs main on this thread and returns when it returns. The local references
// live in an inner scope so that they are given back before the detach.
bool CJavaLauncher::InvokeMain()
{
    {
        AutoDeleteLocalRef<jstring> className(m_jniEnv, NewJavaString(m_mainClass));
        if (!className.Get()) {
            ReportFormattedError(m_splashWindow, Messages::kLoadMainClass, m_mainClass);
            return false;
        }
        AutoDeleteLocalRef<jclass> mainClass(m_jniEnv, FindMainClass(m_jniEnv, className.Get(), m_splashWindow));
        if (!mainClass.Get())
            return false;
        jmethodID mainMethod = FindMainMethod(m_jniEnv, mainClass.Get(), m_splashWindow);
        if (!mainMethod)
            return false;
        AutoDeleteLocalRef<jobjectArray> arguments(m_jniEnv, NewJavaStringArray(m_programArguments));
        if (!arguments.Get()) {
            ReportJavaException(m_jniEnv, m_splashWindow);
            return false;
        }

        m_jniEnv->CallStaticVoidMethod(mainClass.Get(), mainMethod, arguments.Get());
        // An exception thrown out of main is the application's own outcome:
        // the virtual machine prints it, and the launch still counts as run.
        if (IsExceptionPending(m_jniEnv))
            ReportJavaException(m_jniEnv, m_splashWindow);
    }

    bool detached = m_javaVM->DetachCurrentThread() == JNI_OK;
    m_jniEnv = nullptr; // belongs to the attachment that just ended
    return detached;
}
