#include "Heap.h"
#include "Log.h"

#include <cstring>

namespace testjvm {

Object* Heap::NewObject(Object::Kind kind, const std::string& name, const std::string& bytes)
{
    m_objects.push_back(std::unique_ptr<Object>(new Object{ kind, name, bytes, {}, nullptr }));
    return m_objects.back().get();
}

Object* Heap::ClassNamed(const std::string& name)
{
    Object*& found = m_classes[name];
    if (!found)
        found = NewObject(Object::Kind::Class, name);
    return found;
}

Method* Heap::MethodOf(Object* owner, const std::string& name, const std::string& signature, bool isStatic)
{
    for (const auto& method : m_methods) {
        if (method->owner == owner && method->name == name && method->signature == signature &&
            method->isStatic == isStatic)
            return method.get();
    }
    m_methods.push_back(std::unique_ptr<Method>(new Method{ owner, name, signature, isStatic }));
    return m_methods.back().get();
}

bool Heap::IsMethod(jmethodID id) const
{
    for (const auto& method : m_methods) {
        if (reinterpret_cast<jmethodID>(method.get()) == id)
            return true;
    }
    return false;
}

jobject Heap::NewLocalRef(Object* object)
{
    if (!object)
        return nullptr;
    m_refs.push_back(LocalRef{ object, true });
    m_knownRefs.insert(&m_refs.back());
    if (++m_liveLocalRefs > m_peakLocalRefs)
        m_peakLocalRefs = m_liveLocalRefs;
    return reinterpret_cast<jobject>(&m_refs.back());
}

Object* Heap::Resolve(jobject reference, const char* function) const
{
    if (!reference)
        return nullptr;
    const LocalRef* ref = reinterpret_cast<const LocalRef*>(reference);
    if (!m_knownRefs.count(ref))
        Fail(std::string(function) + " got a reference this machine never handed out");
    if (!ref->live)
        Fail(std::string(function) + " got a local reference that was already deleted");
    return ref->target;
}

void Heap::DeleteLocalRef(jobject reference, const char* function)
{
    if (!reference)
        return;
    Resolve(reference, function);
    reinterpret_cast<LocalRef*>(reference)->live = false;
    --m_liveLocalRefs;
}

// A detached thread's local references die with its attachment.
void Heap::ForgetLocalRefs()
{
    for (LocalRef& ref : m_refs)
        ref.live = false;
    m_liveLocalRefs = 0;
}

void Heap::Throw(const std::string& className, const std::string& message)
{
    m_pending = NewObject(Object::Kind::Throwable, className, message);
}

const char* Heap::HoldUtfChars(const std::string& bytes)
{
    std::unique_ptr<char[]> chars(new char[bytes.size() + 1]);
    std::memcpy(chars.get(), bytes.c_str(), bytes.size() + 1);
    const char* handedOut = chars.get();
    m_utfChars[handedOut] = std::move(chars);
    return handedOut;
}

bool Heap::ReleaseUtfChars(const char* chars)
{
    return m_utfChars.erase(chars) == 1;
}

} // namespace testjvm
