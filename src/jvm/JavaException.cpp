#include "jvm/JavaException.h"

#include "framework/Guards.h"
#include "jvm/JniGuards.h"
#include "launcher/ErrorReport.h"

namespace {

bool g_textShown = false;

// With the first line, the frames and a closing "... n more", twenty lines.
const int kMostFrames = 18;
// A message can be any length; a box taller than the screen helps nobody.
const int kMostDescriptionBytes = 1000;
const int kMostDescriptionLines = 5;

// A call that threw leaves nothing pending behind it: the text is only a
// help, and the launch must go on to its own end.
bool ClearedException(JNIEnv* env)
{
    if (!env->ExceptionCheck())
        return false;
    env->ExceptionClear();
    return true;
}

jobject CallNoArgumentMethod(JNIEnv* env, jobject object, const char* name, const char* signature)
{
    AutoDeleteLocalRef<jclass> type(env, env->GetObjectClass(object));
    jmethodID method = type.Get() ? env->GetMethodID(type.Get(), name, signature) : nullptr;
    if (!method) {
        ClearedException(env);
        return nullptr;
    }
    jobject result = env->CallObjectMethod(object, method);
    return ClearedException(env) ? nullptr : result;
}

// The string's characters in the ANSI code page the box shows.
CString ToText(JNIEnv* env, jstring string)
{
    jsize length = env->GetStringLength(string);
    const jchar* characters = env->GetStringChars(string, nullptr);
    if (!characters) {
        ClearedException(env);
        return CString();
    }
    const wchar_t* wide = reinterpret_cast<const wchar_t*>(characters);
    int size = length > 0 ? WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr) : 0;
    AutoFreeMemory buffer(AllocateMemory(size > 0 ? size : 1));
    char* text = static_cast<char*>(buffer.Get());
    if (size > 0)
        size = WideCharToMultiByte(CP_ACP, 0, wide, length, text, size, nullptr, nullptr);
    env->ReleaseStringChars(string, characters);
    return CString(text, size);
}

// Whole characters only, so a double-byte character is never cut in two.
CString Shortened(const CString& text)
{
    int lines = 1;
    const char* position = text;
    while (*position && position - text.GetText() < kMostDescriptionBytes) {
        if (*position == '\n' && ++lines > kMostDescriptionLines)
            break;
        position = CharNextA(position);
    }
    if (!*position)
        return text;
    return CString(text, static_cast<int>(position - text.GetText())) + " ...";
}

void AppendFrames(JNIEnv* env, jthrowable exception, CString& text)
{
    AutoDeleteLocalRef<jobjectArray> frames(
        env, static_cast<jobjectArray>(
                 CallNoArgumentMethod(env, exception, "getStackTrace", "()[Ljava/lang/StackTraceElement;")));
    if (!frames.Get())
        return;
    jsize count = env->GetArrayLength(frames.Get());
    jsize shown = 0;
    for (; shown < count && shown < kMostFrames; ++shown) {
        AutoDeleteLocalRef<jobject> frame(env, env->GetObjectArrayElement(frames.Get(), shown));
        if (ClearedException(env) || !frame.Get())
            return;
        AutoDeleteLocalRef<jstring> frameText(
            env, static_cast<jstring>(CallNoArgumentMethod(env, frame.Get(), "toString", "()Ljava/lang/String;")));
        if (!frameText.Get())
            return;
        text += "\n\tat ";
        text += Shortened(ToText(env, frameText.Get()));
    }
    if (shown < count) {
        CString more;
        more.Format("\n\t... %d more", static_cast<int>(count - shown));
        text += more;
    }
}

} // namespace

void SetJavaExceptionTextShown(bool shown)
{
    g_textShown = shown;
}

CString JavaExceptionLine(JNIEnv* env, jthrowable exception)
{
    ClearedException(env); // a description that left the exception pending
    AutoDeleteLocalRef<jstring> description(
        env, static_cast<jstring>(CallNoArgumentMethod(env, exception, "toString", "()Ljava/lang/String;")));
    return description.Get() ? Shortened(ToText(env, description.Get())) : CString();
}

CString JavaExceptionText(JNIEnv* env, jthrowable exception)
{
    CString text = JavaExceptionLine(env, exception);
    if (!text.IsEmpty())
        AppendFrames(env, exception, text);
    return text;
}

namespace {

// What follows the launcher's message: the whole text when that is shown,
// else the exception's one line where the message does not tell it.
CString TextBelowMessage(JNIEnv* env, jthrowable exception, bool lineNeeded)
{
    if (g_textShown)
        return JavaExceptionText(env, exception);
    return lineNeeded ? JavaExceptionLine(env, exception) : CString();
}

} // namespace

CString PendingExceptionText(JNIEnv* env)
{
    AutoDeleteLocalRef<jthrowable> exception(env, g_textShown ? env->ExceptionOccurred() : nullptr);
    if (!exception.Get())
        return CString();
    CString text = JavaExceptionText(env, exception.Get());
    env->Throw(exception.Get());
    return text;
}

// The reference kept from ExceptionOccurred outlives the description, which
// clears the pending exception, so the text is built from the same object
// that the JVM printed.
void ReportJavaException(JNIEnv* env, HWND owner, const char* message, bool lineNeeded)
{
    AutoDeleteLocalRef<jthrowable> exception(env, env->ExceptionOccurred());
    CString exceptionText;
    if (exception.Get()) {
        env->ExceptionDescribe();
        exceptionText = TextBelowMessage(env, exception.Get(), lineNeeded);
    }
    CString text(message);
    if (!text.IsEmpty() && !exceptionText.IsEmpty())
        text += "\n";
    text += exceptionText;
    if (!text.IsEmpty())
        ReportError(owner, text);
}
