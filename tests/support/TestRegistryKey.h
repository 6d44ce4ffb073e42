#pragma once
#include <windows.h>

#include <string>

// A registry key made for one test. The part of its path that did not exist
// before is deleted with everything below it when the object goes away. A key
// that already exists is left alone and Handle() stays null: it may hold
// something real, and a test must not start from unknown contents.
class TestRegistryKey
{
public:
    TestRegistryKey(HKEY root, const std::string& path) : m_root(root)
    {
        for (size_t end = 0; end != std::string::npos && m_createdPath.empty();) {
            end = path.find('\\', end + 1);
            std::string prefix = path.substr(0, end);
            HKEY existing = nullptr;
            if (RegOpenKeyExA(root, prefix.c_str(), 0, KEY_READ, &existing) == ERROR_SUCCESS)
                RegCloseKey(existing);
            else
                m_createdPath = prefix;
        }
        if (m_createdPath.empty())
            return;
        if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key, nullptr) != ERROR_SUCCESS)
            m_key = nullptr;
    }

    ~TestRegistryKey()
    {
        if (m_key)
            RegCloseKey(m_key);
        if (!m_createdPath.empty())
            RegDeleteTreeA(m_root, m_createdPath.c_str());
    }

    TestRegistryKey(const TestRegistryKey&) = delete;
    TestRegistryKey& operator=(const TestRegistryKey&) = delete;

    HKEY Handle() const { return m_key; }

    // Creates the subkey (empty: the key itself) and stores exactly these bytes.
    bool SetValue(const std::string& subkey, const std::string& name, DWORD type, const std::string& bytes) const
    {
        HKEY key = nullptr;
        if (RegCreateKeyExA(m_key, subkey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
            return false;
        LONG result = RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                                     static_cast<DWORD>(bytes.size()));
        RegCloseKey(key);
        return result == ERROR_SUCCESS;
    }

    // A string value with its terminating NUL, as programs normally store it.
    bool SetString(const std::string& subkey, const std::string& name, const std::string& text) const
    {
        return SetValue(subkey, name, REG_SZ, std::string(text.c_str(), text.size() + 1));
    }

    bool CreateSubkey(const std::string& subkey) const
    {
        HKEY key = nullptr;
        if (RegCreateKeyExA(m_key, subkey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }

private:
    HKEY m_root;
    HKEY m_key = nullptr;
    std::string m_createdPath;
};
