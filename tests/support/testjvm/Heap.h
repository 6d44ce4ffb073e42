#pragma once
#include <jni.h>

#include <deque>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace testjvm {

// The few kinds of Java object the launcher meets. Strings keep the bytes
// they were made from: the test machine's default charset is the identity.
struct Object
{
    enum class Kind { Class, String, ByteArray, ObjectArray, Throwable };
    Kind kind;
    std::string name;  // Class: its name; Throwable: its class (slash form)
    std::string bytes; // String and ByteArray contents; Throwable message
    std::vector<Object*> elements; // ObjectArray
    Object* elementClass = nullptr; // ObjectArray
};

struct Method
{
    Object* owner;
    std::string name;
    std::string signature;
    bool isStatic;
};

// Objects, local references, the pending exception and the UTF-8 copies
// handed out, for the machine. References are checked on every use, so a
// deleted or foreign reference is caught instead of followed.
class Heap
{
public:
    Object* NewObject(Object::Kind kind, const std::string& name = std::string(),
                      const std::string& bytes = std::string());
    Object* ClassNamed(const std::string& name);
    Method* MethodOf(Object* owner, const std::string& name, const std::string& signature, bool isStatic);
    bool IsMethod(jmethodID id) const;

    jobject NewLocalRef(Object* object);
    Object* Resolve(jobject reference, const char* function) const;
    void DeleteLocalRef(jobject reference, const char* function);
    void ForgetLocalRefs();
    int PeakLocalRefs() const { return m_peakLocalRefs; }

    void Throw(const std::string& className, const std::string& message);
    Object* PendingException() const { return m_pending; }
    void ClearException() { m_pending = nullptr; }

    const char* HoldUtfChars(const std::string& bytes);
    bool ReleaseUtfChars(const char* chars);
    size_t HeldUtfChars() const { return m_utfChars.size(); }

private:
    struct LocalRef { Object* target; bool live; };

    std::deque<std::unique_ptr<Object>> m_objects;
    std::map<std::string, Object*> m_classes;
    std::deque<std::unique_ptr<Method>> m_methods;
    std::deque<LocalRef> m_refs;
    std::set<const LocalRef*> m_knownRefs;
    int m_liveLocalRefs = 0;
    int m_peakLocalRefs = 0;
    Object* m_pending = nullptr;
    std::map<const char*, std::unique_ptr<char[]>> m_utfChars;
};

} // namespace testjvm
