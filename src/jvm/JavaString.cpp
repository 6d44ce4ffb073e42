#include "framework/Guards.h"
#include "jvm/JniGuards.h"
#include "launcher/JavaLauncher.h"

// The text crosses into Java as UTF-16 characters, which Java strings hold
// natively: whatever default charset the runtime has, main sees exactly the
// characters the user gave. Windows' wide characters are UTF-16 units.
jstring CJavaLauncher::NewJavaString(const wchar_t* text, int length)
{
    return m_jniEnv->NewString(reinterpret_cast<const jchar*>(text), length);
}

// ANSI text is read with the ANSI code page, as Java 17 and older decoded it.
// No code page gives more UTF-16 units than it takes bytes.
jstring CJavaLauncher::NewJavaString(const CString& ansiText)
{
    AutoFreeMemory buffer(AllocateMemory((ansiText.GetLength() + 1) * sizeof(wchar_t)));
    wchar_t* text = static_cast<wchar_t*>(buffer.Get());
    int length = MultiByteToWideChar(CP_ACP, 0, ansiText, ansiText.GetLength(), text, ansiText.GetLength() + 1);
    return NewJavaString(text, length);
}

// On failure the partly filled array is dropped and the Java exception that
// caused it stays pending for the caller to describe.
jobjectArray CJavaLauncher::NewJavaStringArray(const CWideStringList& list)
{
    AutoDeleteLocalRef<jclass> stringClass(m_jniEnv, m_jniEnv->FindClass("java/lang/String"));
    if (!stringClass.Get())
        return nullptr;
    AutoDeleteLocalRef<jobjectArray> array(
        m_jniEnv, m_jniEnv->NewObjectArray(list.GetCount(), stringClass.Get(), nullptr));
    if (!array.Get())
        return nullptr;

    for (int i = 0; i < list.GetCount(); ++i) {
        AutoDeleteLocalRef<jstring> element(m_jniEnv, NewJavaString(list.GetText(i), list.GetLength(i)));
        if (!element.Get())
            return nullptr;
        m_jniEnv->SetObjectArrayElement(array.Get(), i, element.Get());
    }
    return array.Detach();
}
