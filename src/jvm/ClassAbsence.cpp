#include "jvm/ClassAbsence.h"

#include "framework/String.h"
#include "jvm/JniGuards.h"

namespace {

// Any call that fails here leaves its own exception pending, for the caller
// to clear, and the answer is no.
bool NamesAbsentClass(JNIEnv* env, jthrowable exception, const char* className)
{
    AutoDeleteLocalRef<jclass> absence(env, env->FindClass("java/lang/NoClassDefFoundError"));
    if (!absence.Get() || !env->IsInstanceOf(exception, absence.Get()))
        return false;
    jmethodID getMessage = env->GetMethodID(absence.Get(), "getMessage", "()Ljava/lang/String;");
    AutoDeleteLocalRef<jstring> message(
        env, getMessage ? static_cast<jstring>(env->CallObjectMethod(exception, getMessage)) : nullptr);
    if (!message.Get())
        return false;
    AutoReleaseStringUTFChars text(env, message.Get());
    return text.Get() && CString(text.Get()).Equals(className);
}

} // namespace

bool IsPendingClassAbsence(JNIEnv* env, const char* className)
{
    AutoDeleteLocalRef<jthrowable> exception(env, env->ExceptionOccurred());
    if (!exception.Get())
        return false;
    env->ExceptionClear();
    bool absent = NamesAbsentClass(env, exception.Get(), className);
    env->ExceptionClear();
    env->Throw(exception.Get());
    return absent;
}
