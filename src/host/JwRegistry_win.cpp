// The live registry under HKEY_CURRENT_USER, through the Unicode registry functions.
#include <windows.h>

#include <string>
#include <utility>

#include "base/Utf16.h"
#include "host/JwRegistry.h"
#include "host/Utf16Le.h"

namespace {

// An open registry key, closed when it goes out of scope.
class ScopedKey {
public:
    // Read access only: the program never writes Jw_cad's settings.
    explicit ScopedKey(std::string_view subKey) {
        if (RegOpenKeyExW(HKEY_CURRENT_USER, utf16::Widen(subKey).c_str(), 0, KEY_QUERY_VALUE, &key_) != ERROR_SUCCESS)
            key_ = nullptr;
    }
    ~ScopedKey() {
        if (key_) RegCloseKey(key_);
    }
    ScopedKey(const ScopedKey&) = delete;
    ScopedKey& operator=(const ScopedKey&) = delete;

    // The value's type and raw bytes, or nullopt when the key or the value is missing.
    std::optional<std::pair<DWORD, std::string>> Query(std::string_view name) const {
        if (!key_) return std::nullopt;
        std::wstring wideName = utf16::Widen(name);
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExW(key_, wideName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            return std::nullopt;
        std::string data(size, '\0');
        if (RegQueryValueExW(key_, wideName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
            ERROR_SUCCESS)
            return std::nullopt;  // changed in between: as if missing
        data.resize(size);
        return std::make_pair(type, std::move(data));
    }

private:
    HKEY key_ = nullptr;
};

class WindowsRegistry : public RegistrySource {
public:
    std::optional<std::uint32_t> ReadDword(std::string_view subKey, std::string_view name) override {
        auto value = ScopedKey(subKey).Query(name);
        if (!value || value->first != REG_DWORD || value->second.size() != sizeof(DWORD)) return std::nullopt;
        DWORD d = 0;
        value->second.copy(reinterpret_cast<char*>(&d), sizeof d);
        return static_cast<std::uint32_t>(d);
    }

private:
    std::optional<std::string> ReadRawText(std::string_view subKey, std::string_view name) override {
        auto value = ScopedKey(subKey).Query(name);
        if (!value || (value->first != REG_SZ && value->first != REG_EXPAND_SZ)) return std::nullopt;
        std::string text = Utf16LeToUtf8(value->second);
        return text.substr(0, text.find('\0'));
    }
};

}  // namespace

std::unique_ptr<RegistrySource> LiveRegistry() {
    return std::make_unique<WindowsRegistry>();
}
