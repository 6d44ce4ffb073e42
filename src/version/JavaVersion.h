#pragma once
#include "framework/String.h"

// A Java version number: four signed 32-bit components (major, minor, micro,
// update), compared numerically from the first, Java 8 and older in their
// classic form (8.0.392 compares as 1.8.0.392). As a range bound, 0.0.0.0 and
// 65535.65535.65535.65535 mean "no bound".
class JavaVersion
{
public:
    static const int kUnboundedComponent = 65535;

    JavaVersion() : m_components{ 0, 0, 0, 0 } {}
    JavaVersion(int major, int minor, int micro, int update) : m_components{ major, minor, micro, update } {}

    static JavaVersion Zero() { return JavaVersion(); }
    static JavaVersion Highest()
    {
        return JavaVersion(kUnboundedComponent, kUnboundedComponent, kUnboundedComponent, kUnboundedComponent);
    }

    // Reads the digit runs of the text into the components; missing trailing
    // components take the fill value. An empty text leaves the value as it was.
    void Parse(const CString& text, int fill);
    // The shortest text that still names the version: trailing components of
    // 0 or 65535 are left off, so a parsed bound prints as it was written.
    CString ToText() const;
    int Compare(const JavaVersion& other) const;
    // True between the bounds, both included. An upper bound of 0.0.0.0 is one
    // left unset, which the requirement text calls no bound: it admits all.
    bool IsWithin(const JavaVersion& lower, const JavaVersion& upper) const
    {
        return (upper == Zero() || Compare(upper) <= 0) && Compare(lower) >= 0;
    }
    bool IsUnbounded() const;

    bool operator==(const JavaVersion& other) const { return Compare(other) == 0; }
    bool operator!=(const JavaVersion& other) const { return Compare(other) != 0; }
    int operator[](int index) const { return m_components[index]; }

private:
    JavaVersion InClassicForm() const;

    int m_components[4];
};
