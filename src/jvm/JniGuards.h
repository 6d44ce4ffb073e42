#pragma once
#include "jvm/Jni.h"

// Owners of JNI resources, named like the Win32 guards for what their
// destructors do. They must go out of scope while the thread is still
// attached: the environment pointer is dead after DetachCurrentThread.

// JNI guarantees native code only a handful of local references, so every
// one that is not handed on is given back, also inside loops.
template <class Reference>
class AutoDeleteLocalRef
{
public:
    AutoDeleteLocalRef(JNIEnv* env, Reference reference) : m_env(env), m_reference(reference) {}
    ~AutoDeleteLocalRef() { if (m_reference) m_env->DeleteLocalRef(m_reference); }
    Reference Get() const { return m_reference; }
    // Hands the reference to the caller, who then owns it.
    Reference Detach()
    {
        Reference reference = m_reference;
        m_reference = nullptr;
        return reference;
    }
    // Takes ownership of a reference, giving back the one held.
    void Reset(Reference reference)
    {
        if (m_reference)
            m_env->DeleteLocalRef(m_reference);
        m_reference = reference;
    }
    AutoDeleteLocalRef(const AutoDeleteLocalRef&) = delete;
    AutoDeleteLocalRef& operator=(const AutoDeleteLocalRef&) = delete;

private:
    JNIEnv* m_env;
    Reference m_reference;
};

// The characters of a Java string in modified UTF-8, held until released.
class AutoReleaseStringUTFChars
{
public:
    AutoReleaseStringUTFChars(JNIEnv* env, jstring string)
        : m_env(env), m_string(string), m_chars(env->GetStringUTFChars(string, nullptr)) {}
    ~AutoReleaseStringUTFChars() { if (m_chars) m_env->ReleaseStringUTFChars(m_string, m_chars); }
    const char* Get() const { return m_chars; }
    AutoReleaseStringUTFChars(const AutoReleaseStringUTFChars&) = delete;
    AutoReleaseStringUTFChars& operator=(const AutoReleaseStringUTFChars&) = delete;

private:
    JNIEnv* m_env;
    jstring m_string;
    const char* m_chars;
};

// True when a Java exception is pending; unlike ExceptionOccurred this hands
// out no local reference that would have to be given back.
inline bool IsExceptionPending(JNIEnv* env)
{
    return env->ExceptionCheck() == JNI_TRUE;
}
