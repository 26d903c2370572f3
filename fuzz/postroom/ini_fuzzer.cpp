// Any bytes read as a settings file: reading never crashes, and what is
// written back reads again into the very same file (nothing kept is lost).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "accounts/ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    postroom::IniFile ini;
    if (!ini.LoadText(text))
        return 0;
    std::string once;
    if (!ini.Serialize(once))
        return 0;

    // Lookups and edits on the first named section and its first key.
    const char* section = nullptr;
    for (const auto& s : ini.Sections())
        if (s.named) {
            section = s.name.c_str();
            break;
        }
    if (section) {
        std::string name(section);
        const char* key = ini.LineAt(name.c_str(), 0);
        if (key) {
            std::string k(key);
            std::int32_t v = 0;
            ini.GetInt(name.c_str(), k.c_str(), &v, postroom::IniFile::kNoDefault, true);
            const char* t = nullptr;
            ini.GetText(name.c_str(), k.c_str(), &t, nullptr, true);
            ini.AddLine(name.c_str(), k.c_str());
        }
    }

    postroom::IniFile again;
    if (!again.LoadText(once))
        return 0;
    std::string twice;
    if (!again.Serialize(twice))
        return 0;
    if (once != twice)
        __builtin_trap();
    return 0;
}
