#include "framework/Guards.h"
#include "jvm/JavaException.h"
#include "jvm/JniGuards.h"
#include "launcher/ErrorReport.h"
#include "launcher/JavaLauncher.h"
#include "launcher/LaunchLog.h"
#include "launcher/LogMessages.h"
#include "launcher/Messages.h"

namespace {

const char kJarExtension[] = ".jar";
const char kJarFileClass[] = "java/util/jar/JarFile";
const char kMainClassAttribute[] = "Main-Class";

// A call that throws leaves its exception pending and gives null; so does a
// method the class library lacks.
jobject CallGetter(JNIEnv* env, jobject target, const char* name, const char* signature, jobject argument = nullptr)
{
    AutoDeleteLocalRef<jclass> type(env, env->GetObjectClass(target));
    jmethodID method = type.Get() ? env->GetMethodID(type.Get(), name, signature) : nullptr;
    if (!method)
        return nullptr;
    jvalue value;
    value.l = argument;
    jobject result = env->CallObjectMethodA(target, method, &value);
    return IsExceptionPending(env) ? nullptr : result;
}

// The manifest's main section; null without a manifest or the attribute.
jstring ReadMainClassAttribute(JNIEnv* env, jobject jar)
{
    AutoDeleteLocalRef<jobject> manifest(env, CallGetter(env, jar, "getManifest", "()Ljava/util/jar/Manifest;"));
    if (!manifest.Get())
        return nullptr;
    AutoDeleteLocalRef<jobject> attributes(
        env, CallGetter(env, manifest.Get(), "getMainAttributes", "()Ljava/util/jar/Attributes;"));
    AutoDeleteLocalRef<jstring> name(env, attributes.Get() ? env->NewStringUTF(kMainClassAttribute) : nullptr);
    if (!name.Get())
        return nullptr;
    return static_cast<jstring>(
        CallGetter(env, attributes.Get(), "getValue", "(Ljava/lang/String;)Ljava/lang/String;", name.Get()));
}

// The jar is closed whatever the reading met, so that its file is not held
// open for the application's whole life; an exception met before is set
// aside for the call and pending again after it.
void CloseJar(JNIEnv* env, jobject jar)
{
    AutoDeleteLocalRef<jthrowable> earlier(env, env->ExceptionOccurred());
    env->ExceptionClear();
    AutoDeleteLocalRef<jclass> type(env, env->GetObjectClass(jar));
    jmethodID close = env->GetMethodID(type.Get(), "close", "()V");
    if (close)
        env->CallVoidMethodA(jar, close, nullptr);
    if (earlier.Get()) {
        env->ExceptionClear();
        env->Throw(earlier.Get());
    }
}

jstring ReadJarMainClass(JNIEnv* env, jstring path)
{
    AutoDeleteLocalRef<jclass> jarClass(env, env->FindClass(kJarFileClass));
    jmethodID open = jarClass.Get() ? env->GetMethodID(jarClass.Get(), "<init>", "(Ljava/lang/String;)V") : nullptr;
    if (!open)
        return nullptr;
    jvalue argument;
    argument.l = path;
    AutoDeleteLocalRef<jobject> jar(env, env->NewObjectA(jarClass.Get(), open, &argument));
    if (!jar.Get())
        return nullptr;
    AutoDeleteLocalRef<jstring> value(env, ReadMainClassAttribute(env, jar.Get()));
    CloseJar(env, jar.Get());
    return IsExceptionPending(env) ? nullptr : value.Detach();
}

// The manifest names the class with dots, FindClass wants slashes; the name
// stays a Java string, so any character of it reaches FindClass.
jstring ToSlashedName(JNIEnv* env, jstring dotted, CString& shownName)
{
    jsize length = env->GetStringLength(dotted);
    AutoFreeMemory buffer(AllocateMemory((length + 1) * sizeof(jchar)));
    jchar* text = static_cast<jchar*>(buffer.Get());
    const jchar* chars = env->GetStringChars(dotted, nullptr);
    if (!chars)
        return nullptr;
    for (jsize i = 0; i < length; ++i)
        text[i] = chars[i] == '.' ? '/' : chars[i];
    env->ReleaseStringChars(dotted, chars);
    text[length] = 0;
    shownName = CString(reinterpret_cast<const wchar_t*>(text));
    return length ? env->NewString(text, length) : nullptr;
}

} // namespace

// Without a Main Class, a class path that starts with a jar is taken for an
// executable jar, whose manifest the JVM reads once it runs.
bool CJavaLauncher::FindMainJar(const CString& classPath)
{
    int end = classPath.Find(';');
    CString first = end < 0 ? classPath : classPath.Left(end);
    if (first.GetLength() <= 4 || lstrcmpiA(first.Mid(first.GetLength() - 4), kJarExtension) != 0)
        return false;
    m_mainJar = first;
    return true;
}

// An executable jar names its own main class; the JVM reads the manifest,
// as Java's own launcher does for "java -jar". Without one the user meets
// the message of a missing Main Class, with the JVM's reason if it had one.
jstring CJavaLauncher::NewJarMainClassName()
{
    jstring name = nullptr;
    {
        AutoDeleteLocalRef<jstring> path(m_jniEnv, NewJavaString(m_mainJar));
        AutoDeleteLocalRef<jstring> dotted(m_jniEnv, path.Get() ? ReadJarMainClass(m_jniEnv, path.Get()) : nullptr);
        if (dotted.Get())
            name = ToSlashedName(m_jniEnv, dotted.Get(), m_mainClass);
    }
    if (!name) {
        ReportJavaException(m_jniEnv, m_splashWindow, Messages::kMainClassMissing);
        return nullptr;
    }
    LogLine(LogMessages::kJarMainClass, m_mainJar, m_mainClass);
    return name;
}
