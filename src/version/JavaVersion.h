#pragma once

// A Java version number: four signed 32-bit components, compared numerically
// from the first. 0.0.0.0 and 65535.65535.65535.65535 mean "no bound".
class JavaVersion
{
public:
    JavaVersion() : m_components{ 0, 0, 0, 0 } {}
    JavaVersion(int major, int minor, int micro, int update) : m_components{ major, minor, micro, update } {}

    int operator[](int index) const { return m_components[index]; }

private:
    int m_components[4];
};
