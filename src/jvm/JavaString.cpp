#include "jvm/JniGuards.h"
#include "launcher/JavaLauncher.h"

// The text crosses into Java as bytes through String(byte[]), so Java's own
// default charset decodes it exactly as it would decode the same bytes read
// from a file; the launcher converts nothing.
jstring CJavaLauncher::NewJavaString(const CString& text)
{
    AutoDeleteLocalRef<jclass> stringClass(m_jniEnv, m_jniEnv->FindClass("java/lang/String"));
    if (!stringClass.Get())
        return nullptr;
    jmethodID constructor = m_jniEnv->GetMethodID(stringClass.Get(), "<init>", "([B)V");
    if (!constructor)
        return nullptr;

    jsize length = text.GetLength();
    AutoDeleteLocalRef<jbyteArray> bytes(m_jniEnv, m_jniEnv->NewByteArray(length));
    if (!bytes.Get())
        return nullptr;
    m_jniEnv->SetByteArrayRegion(bytes.Get(), 0, length, reinterpret_cast<const jbyte*>(text.GetText()));
    if (IsExceptionPending(m_jniEnv))
        return nullptr;
    return static_cast<jstring>(m_jniEnv->NewObject(stringClass.Get(), constructor, bytes.Get()));
}

// On failure the partly filled array is dropped and the Java exception that
// caused it stays pending for the caller to describe.
jobjectArray CJavaLauncher::NewJavaStringArray(const CStringList& list)
{
    AutoDeleteLocalRef<jclass> stringClass(m_jniEnv, m_jniEnv->FindClass("java/lang/String"));
    if (!stringClass.Get())
        return nullptr;
    AutoDeleteLocalRef<jobjectArray> array(
        m_jniEnv, m_jniEnv->NewObjectArray(list.GetCount(), stringClass.Get(), nullptr));
    if (!array.Get())
        return nullptr;

    for (int i = 0; i < list.GetCount(); ++i) {
        AutoDeleteLocalRef<jstring> element(m_jniEnv, NewJavaString(list[i]));
        if (!element.Get())
            return nullptr;
        m_jniEnv->SetObjectArrayElement(array.Get(), i, element.Get());
    }
    return array.Detach();
}
