#include "version/JavaVersion.h"

namespace {

bool IsDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

const char* SkipToDigit(const char* position)
{
    while (*position && !IsDigit(*position))
        ++position;
    return position;
}

} // namespace

void JavaVersion::Parse(const CString& text, int fill)
{
    if (text.IsEmpty())
        return;
    // Unsigned arithmetic wraps modulo 2^32 by definition; an over-long digit
    // run is then read as a signed component without undefined overflow.
    unsigned int components[4] = { 0, 0, 0, 0 };
    const char* position = SkipToDigit(text);
    for (int index = 0; *position;) {
        for (; IsDigit(*position); ++position)
            components[index] = components[index] * 10u + static_cast<unsigned int>(*position - '0');
        position = SkipToDigit(position);
        if (!*position) {
            for (int missing = index + 1; missing < 4; ++missing)
                components[missing] = static_cast<unsigned int>(fill);
        } else if (++index == 4) {
            break; // further digit runs are ignored
        }
    }
    for (int i = 0; i < 4; ++i)
        m_components[i] = static_cast<int>(components[i]);
}

CString JavaVersion::ToText() const
{
    int last = 3;
    while (last >= 0 && (m_components[last] == 0 || m_components[last] == kUnboundedComponent))
        --last;
    if (last < 0)
        return CString("0.0.0.0");
    CString text;
    for (int i = 0; i <= last; ++i) {
        CString component;
        component.Format(i == 0 ? "%d" : ".%d", m_components[i]);
        text += component;
    }
    return text;
}

// Java 2 to 8 go by two names: 1.8.0_392 in the classic key, in the
// runtime's own release file and in the bounds users write, 8.0.392.8 in
// the product version current installers register. The product version's
// last number, a build number, has no place in the classic form; 1.0 and
// 1.1 had no other name.
JavaVersion JavaVersion::InClassicForm() const
{
    const int feature = m_components[0];
    if (feature < 2 || feature > 8)
        return *this;
    return JavaVersion(1, feature, m_components[1], m_components[2]);
}

int JavaVersion::Compare(const JavaVersion& other) const
{
    const JavaVersion left = InClassicForm(), right = other.InClassicForm();
    for (int i = 0; i < 4; ++i) {
        if (left.m_components[i] != right.m_components[i])
            return left.m_components[i] < right.m_components[i] ? -1 : 1;
    }
    return 0;
}

bool JavaVersion::IsUnbounded() const
{
    return *this == Zero() || *this == Highest();
}
