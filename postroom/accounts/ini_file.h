// IniFile reads and writes every settings file of the module.  The whole file
// is kept in memory as sections of entries in file order; entries hold an
// integer, a text or nothing (a bare line, as the folder and account lists
// use).  Section names and keys are compared without regard to case; lookups
// find the first of several sections with one name.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/path_text.h"

namespace postroom {

// True when the two texts are equal apart from ASCII letter case, the rule
// of every section and key name in the settings files.
bool SameText(std::string_view a, std::string_view b);

struct IniEntry {
    std::string key;
    // monostate: a bare line.
    std::variant<std::monostate, std::int32_t, std::string> value;
};

struct IniSection {
    bool named = false;  // only the first section has no name
    std::string name;
    std::vector<IniEntry> entries;
};

class IniFile {
public:
    // GetInt's default that stands for "no default": a missing entry then
    // gives 0 and false.
    static constexpr std::int32_t kNoDefault = 195936478;

    IniFile();

    // Forgets the content, remembers the path and reads the file.  A missing
    // or unreadable file gives an empty content and false.
    bool Load(const char* path);
    // Parses text as the content of a file (the path is kept).
    bool LoadText(std::string_view text);
    // Writes the content to the path through a temporary file; false when
    // anything failed, and the old file is then intact.
    bool Save();
    // The file's text as Save writes it.
    bool Serialize(std::string& out) const;

    const char* Path() const { return path_.Text(); }

    // Null section: the unnamed first section.  See the .cpp for the rules.
    bool GetText(const char* section, const char* key, const char** out, const char* def,
                 bool convert);
    bool GetInt(const char* section, const char* key, std::int32_t* out, std::int32_t def,
                bool convert);
    bool SetText(const char* section, const char* key, const char* text);
    bool SetInt(const char* section, const char* key, std::int32_t value);
    bool AddLine(const char* section, const char* text);
    void RemoveLine(const char* section, const char* key);
    const char* LineAt(const char* section, std::size_t n) const;

    const std::vector<IniSection>& Sections() const { return sections_; }

private:
    IniSection* FindSection(const char* section);
    const IniSection* FindSection(const char* section) const;
    IniSection* FindOrAddSection(const char* section);
    static IniEntry* FindEntry(IniSection& s, const char* key);
    void Clear();

    PathText path_;
    std::vector<IniSection> sections_;
};

}  // namespace postroom
