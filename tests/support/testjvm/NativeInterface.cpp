// The JNIEnv functions the launcher uses, each behaving as a Java virtual
// machine does where the launcher can tell the difference: lookups that
// fail leave the Java exception a real machine would throw.
//
// Every function is declared __stdcall in its own text rather than through
// JNICALL: assigning it to the table entry declared in jni.h then fails to
// compile in the 32-bit build if our jni_md.h ever gets the convention wrong.
#include "Behaviour.h"
#include "Log.h"
#include "Machine.h"

#include <cstdarg>
#include <cstring>

namespace testjvm {
namespace {

const char kStringClass[] = "java/lang/String";
const char kMainSignature[] = "([Ljava/lang/String;)V";

Object* Expect(Machine& machine, jobject reference, Object::Kind kind, const char* function)
{
    Object* object = machine.heap.Resolve(reference, function);
    if (!object || object->kind != kind)
        Fail(std::string(function) + " got a null reference or an object of the wrong kind");
    return object;
}

bool HasMain(const std::string& className)
{
    return CurrentBehaviour().classesWithMain.count(className) != 0;
}

bool Exists(const std::string& className)
{
    return className == kStringClass || HasMain(className) ||
           CurrentBehaviour().classesWithoutMain.count(className) != 0;
}

jclass __stdcall FindClass(JNIEnv* env, const char* name)
{
    Machine& machine = EnterNative(env, "FindClass");
    Log("findclass=" + Escape(name));
    if (!Exists(name)) {
        machine.heap.Throw("java/lang/NoClassDefFoundError", name);
        return nullptr;
    }
    return static_cast<jclass>(machine.heap.NewLocalRef(machine.heap.ClassNamed(name)));
}

jmethodID __stdcall GetMethodID(JNIEnv* env, jclass clazz, const char* name, const char* signature)
{
    Machine& machine = EnterNative(env, "GetMethodID");
    Object* owner = Expect(machine, clazz, Object::Kind::Class, "GetMethodID");
    if (owner->name != kStringClass || std::strcmp(name, "<init>") != 0 || std::strcmp(signature, "([B)V") != 0) {
        machine.heap.Throw("java/lang/NoSuchMethodError", name);
        return nullptr;
    }
    return reinterpret_cast<jmethodID>(machine.heap.MethodOf(owner, name, signature, false));
}

jmethodID __stdcall GetStaticMethodID(JNIEnv* env, jclass clazz, const char* name, const char* signature)
{
    Machine& machine = EnterNative(env, "GetStaticMethodID");
    Object* owner = Expect(machine, clazz, Object::Kind::Class, "GetStaticMethodID");
    Log("getstaticmethodid=" + Escape(owner->name) + "." + Escape(name) + Escape(signature));
    if (!HasMain(owner->name) || std::strcmp(name, "main") != 0 || std::strcmp(signature, kMainSignature) != 0) {
        if (!CurrentBehaviour().silentMissingMethod)
            machine.heap.Throw("java/lang/NoSuchMethodError", name);
        return nullptr;
    }
    return reinterpret_cast<jmethodID>(machine.heap.MethodOf(owner, name, signature, true));
}

jbyteArray __stdcall NewByteArray(JNIEnv* env, jsize length)
{
    Machine& machine = EnterNative(env, "NewByteArray");
    if (++machine.byteArraysMade == CurrentBehaviour().outOfMemoryAt) {
        machine.heap.Throw("java/lang/OutOfMemoryError", "Java heap space");
        return nullptr;
    }
    if (length < 0) {
        machine.heap.Throw("java/lang/NegativeArraySizeException", std::to_string(length));
        return nullptr;
    }
    Object* array = machine.heap.NewObject(Object::Kind::ByteArray, "[B", std::string(length, '\0'));
    return static_cast<jbyteArray>(machine.heap.NewLocalRef(array));
}

void __stdcall SetByteArrayRegion(JNIEnv* env, jbyteArray array, jsize start, jsize length, const jbyte* bytes)
{
    Machine& machine = EnterNative(env, "SetByteArrayRegion");
    Object* target = Expect(machine, array, Object::Kind::ByteArray, "SetByteArrayRegion");
    if (start < 0 || length < 0 || static_cast<size_t>(start) + length > target->bytes.size()) {
        machine.heap.Throw("java/lang/ArrayIndexOutOfBoundsException", "SetByteArrayRegion");
        return;
    }
    if (length > 0)
        std::memcpy(&target->bytes[start], bytes, length);
}

jthrowable __stdcall ExceptionOccurred(JNIEnv* env)
{
    Machine& machine = EnterNative(env, "ExceptionOccurred", WhilePending::Allowed);
    return static_cast<jthrowable>(machine.heap.NewLocalRef(machine.heap.PendingException()));
}

// Java prints the exception and clears it; the log line stands for that
// output, in the form Java's own first line takes.
void __stdcall ExceptionDescribe(JNIEnv* env)
{
    Machine& machine = EnterNative(env, "ExceptionDescribe", WhilePending::Allowed);
    Object* exception = machine.heap.PendingException();
    if (!exception)
        return;
    std::string className = exception->name;
    for (char& ch : className)
        ch = ch == '/' ? '.' : ch;
    Log("describe=" + className + ": " + Escape(exception->bytes));
    machine.heap.ClearException();
}

jobject __stdcall NewObjectV(JNIEnv* env, jclass clazz, jmethodID methodID, va_list args)
{
    Machine& machine = EnterNative(env, "NewObjectV");
    Object* owner = Expect(machine, clazz, Object::Kind::Class, "NewObjectV");
    if (!machine.heap.IsMethod(methodID) || reinterpret_cast<Method*>(methodID)->owner != owner)
        Fail("NewObjectV got a method that is not a constructor of the class it was given");
    Object* bytes = Expect(machine, va_arg(args, jobject), Object::Kind::ByteArray, "NewObjectV");
    return machine.heap.NewLocalRef(machine.heap.NewObject(Object::Kind::String, kStringClass, bytes->bytes));
}

jobject __stdcall NewObject(JNIEnv* env, jclass clazz, jmethodID methodID, ...)
{
    va_list args;
    va_start(args, methodID);
    jobject object = NewObjectV(env, clazz, methodID, args);
    va_end(args);
    return object;
}

void __stdcall DeleteLocalRef(JNIEnv* env, jobject reference)
{
    Machine& machine = EnterNative(env, "DeleteLocalRef", WhilePending::Allowed);
    machine.heap.DeleteLocalRef(reference, "DeleteLocalRef");
}

jobjectArray __stdcall NewObjectArray(JNIEnv* env, jsize length, jclass elementClass, jobject initial)
{
    Machine& machine = EnterNative(env, "NewObjectArray");
    Object* type = Expect(machine, elementClass, Object::Kind::Class, "NewObjectArray");
    Object* fill = machine.heap.Resolve(initial, "NewObjectArray");
    if (length < 0) {
        machine.heap.Throw("java/lang/NegativeArraySizeException", std::to_string(length));
        return nullptr;
    }
    Object* array = machine.heap.NewObject(Object::Kind::ObjectArray, "[L" + type->name + ";");
    array->elementClass = type;
    array->elements.assign(length, fill);
    return static_cast<jobjectArray>(machine.heap.NewLocalRef(array));
}

void __stdcall SetObjectArrayElement(JNIEnv* env, jobjectArray array, jsize index, jobject value)
{
    Machine& machine = EnterNative(env, "SetObjectArrayElement");
    Object* target = Expect(machine, array, Object::Kind::ObjectArray, "SetObjectArrayElement");
    Object* element = machine.heap.Resolve(value, "SetObjectArrayElement");
    if (index < 0 || static_cast<size_t>(index) >= target->elements.size()) {
        machine.heap.Throw("java/lang/ArrayIndexOutOfBoundsException", std::to_string(index));
        return;
    }
    if (element && target->elementClass->name == kStringClass && element->kind != Object::Kind::String) {
        machine.heap.Throw("java/lang/ArrayStoreException", element->name);
        return;
    }
    target->elements[index] = element;
}

const char* __stdcall GetStringUTFChars(JNIEnv* env, jstring string, jboolean* isCopy)
{
    Machine& machine = EnterNative(env, "GetStringUTFChars");
    Object* text = Expect(machine, string, Object::Kind::String, "GetStringUTFChars");
    if (CurrentBehaviour().utfCharsFail) {
        machine.heap.Throw("java/lang/OutOfMemoryError", "GetStringUTFChars");
        return nullptr;
    }
    if (isCopy)
        *isCopy = JNI_TRUE;
    return machine.heap.HoldUtfChars(text->bytes);
}

void __stdcall ReleaseStringUTFChars(JNIEnv* env, jstring string, const char* chars)
{
    Machine& machine = EnterNative(env, "ReleaseStringUTFChars", WhilePending::Allowed);
    Expect(machine, string, Object::Kind::String, "ReleaseStringUTFChars");
    if (!machine.heap.ReleaseUtfChars(chars))
        Fail("ReleaseStringUTFChars got characters that are not held");
}

void __stdcall CallStaticVoidMethodV(JNIEnv* env, jclass clazz, jmethodID methodID, va_list args)
{
    Machine& machine = EnterNative(env, "CallStaticVoidMethodV");
    Object* owner = Expect(machine, clazz, Object::Kind::Class, "CallStaticVoidMethodV");
    Method* method = reinterpret_cast<Method*>(methodID);
    if (!machine.heap.IsMethod(methodID) || method->owner != owner || !method->isStatic ||
        method->name != "main" || method->signature != kMainSignature)
        Fail("CallStaticVoidMethodV got a method that is not the static main of the class it was given");
    Object* arguments = machine.heap.Resolve(va_arg(args, jobject), "CallStaticVoidMethodV");
    if (arguments && arguments->kind != Object::Kind::ObjectArray)
        Fail("CallStaticVoidMethodV got an argument that is not an array");
    RunMain(machine, owner, arguments);
}

void __stdcall CallStaticVoidMethod(JNIEnv* env, jclass clazz, jmethodID methodID, ...)
{
    va_list args;
    va_start(args, methodID);
    CallStaticVoidMethodV(env, clazz, methodID, args);
    va_end(args);
}

} // namespace

Machine& EnterNative(JNIEnv* env, const char* function, WhilePending whilePending)
{
    Machine& machine = TheMachine();
    if (env != &machine.env)
        Fail(std::string(function) + " called with an environment this machine never handed out");
    if (!machine.created || machine.destroyed)
        Fail(std::string(function) + " called while no virtual machine exists");
    if (!machine.attached || GetCurrentThreadId() != machine.attachedThread)
        Fail(std::string(function) + " called on a thread that is not attached");
    if (whilePending == WhilePending::Forbidden && machine.heap.PendingException())
        Fail(std::string(function) + " called while an exception is pending");
    return machine;
}

void FillNativeTable(JNINativeInterface_& table)
{
    FillWithUnexpectedEntries(table);
    table.FindClass = FindClass;
    table.GetMethodID = GetMethodID;
    table.GetStaticMethodID = GetStaticMethodID;
    table.NewByteArray = NewByteArray;
    table.SetByteArrayRegion = SetByteArrayRegion;
    table.ExceptionOccurred = ExceptionOccurred;
    table.ExceptionDescribe = ExceptionDescribe;
    table.NewObject = NewObject;
    table.NewObjectV = NewObjectV;
    table.DeleteLocalRef = DeleteLocalRef;
    table.NewObjectArray = NewObjectArray;
    table.SetObjectArrayElement = SetObjectArrayElement;
    table.GetStringUTFChars = GetStringUTFChars;
    table.ReleaseStringUTFChars = ReleaseStringUTFChars;
    table.CallStaticVoidMethod = CallStaticVoidMethod;
    table.CallStaticVoidMethodV = CallStaticVoidMethodV;
}

} // namespace testjvm
