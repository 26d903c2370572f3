#include "accounts/ini_file.h"

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <new>

#include "platform/platform.h"

namespace postroom {

namespace {

// The C library's decimal conversion (blanks, sign, digits, stop at the first
// other character), clamped to 32 bits.  whole tells whether the text was a
// number and nothing else.
std::int32_t ToInt(const std::string& text, bool* whole)
{
    errno = 0;
    char* end = nullptr;
    const long long v = std::strtoll(text.c_str(), &end, 10);
    *whole = end != text.c_str() && *end == '\0';
    if (v > INT32_MAX)
        return INT32_MAX;
    if (v < INT32_MIN)
        return INT32_MIN;
    return static_cast<std::int32_t>(v);
}

}  // namespace

// Settings names compare without regard to ASCII letter case.
bool SameText(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z')
            x = static_cast<unsigned char>(x + 32);
        if (y >= 'A' && y <= 'Z')
            y = static_cast<unsigned char>(y + 32);
        if (x != y)
            return false;
    }
    return true;
}

IniFile::IniFile()
{
    Clear();
}

void IniFile::Clear()
{
    sections_.clear();
    sections_.emplace_back();
}

bool IniFile::Load(const char* path)
{
    try {
        path_.Assign(path ? path : "");
        std::string text;
        if (!platform::ReadWholeFile(path_.Text(), text)) {
            Clear();
            return false;
        }
        return LoadText(text);
    } catch (const std::bad_alloc&) {
        Clear();
        return false;
    }
}

bool IniFile::LoadText(std::string_view text)
{
    try {
        Clear();
        while (!text.empty()) {
            // Lines of any length: a long value must never be cut into a value
            // and a stray bare line.
            const auto nl = text.find('\n');
            std::string_view line = text.substr(0, nl);
            text.remove_prefix(nl == std::string_view::npos ? text.size() : nl + 1);
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            // A NUL byte ends the line's text, as it would for the C library.
            const auto nul = line.find('\0');
            if (nul != std::string_view::npos)
                line = line.substr(0, nul);
            if (line.empty() || line.front() == ';')
                continue;
            if (line.front() == '[') {
                // The name runs to the last "]", so names holding "]" survive.
                std::string_view name = line.substr(1);
                const auto close = name.rfind(']');
                if (close != std::string_view::npos)
                    name = name.substr(0, close);
                IniSection s;
                s.named = true;
                s.name.assign(name);
                sections_.push_back(std::move(s));
                continue;
            }
            IniEntry e;
            const auto eq = line.find('=');
            if (eq == std::string_view::npos) {
                e.key.assign(line);
            } else {
                e.key.assign(line.substr(0, eq));
                e.value = std::string(line.substr(eq + 1));
            }
            sections_.back().entries.push_back(std::move(e));
        }
        return true;
    } catch (const std::bad_alloc&) {
        Clear();
        return false;
    }
}

bool IniFile::Serialize(std::string& out) const
{
    // Lines end with CR LF, as the module's files always do.
    try {
        out.clear();
        for (const IniSection& s : sections_) {
            if (s.named) {
                out += '[';
                out += s.name;
                out += "]\r\n";
            }
            for (const IniEntry& e : s.entries) {
                out += e.key;
                if (const auto* i = std::get_if<std::int32_t>(&e.value)) {
                    char digits[16];
                    const auto r = std::to_chars(digits, digits + sizeof digits, *i);
                    out += '=';
                    out.append(digits, r.ptr);
                } else if (const auto* t = std::get_if<std::string>(&e.value)) {
                    out += '=';
                    out += *t;
                }
                out += "\r\n";
            }
        }
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool IniFile::Save()
{
    if (path_.Empty())
        return false;
    std::string text;
    if (!Serialize(text))
        return false;
    return platform::ReplaceFile(path_.Text(), text);
}

IniSection* IniFile::FindSection(const char* section)
{
    if (!section)
        return &sections_.front();
    for (IniSection& s : sections_)
        if (s.named && SameText(s.name, section))
            return &s;
    return nullptr;
}

const IniSection* IniFile::FindSection(const char* section) const
{
    return const_cast<IniFile*>(this)->FindSection(section);
}

IniSection* IniFile::FindOrAddSection(const char* section)
{
    if (IniSection* s = FindSection(section))
        return s;
    IniSection s;
    s.named = true;
    s.name = section;
    sections_.push_back(std::move(s));
    return &sections_.back();
}

IniEntry* IniFile::FindEntry(IniSection& s, const char* key)
{
    if (!key)
        return nullptr;
    for (IniEntry& e : s.entries)
        if (SameText(e.key, key))
            return &e;
    return nullptr;
}

// An existing text entry gives its text.  An integer entry gives its decimal
// text when convert is set (and becomes a text entry), the default otherwise;
// so does a bare line.  A missing entry gives the default; the result tells
// whether a text came back.
bool IniFile::GetText(const char* section, const char* key, const char** out, const char* def,
                      bool convert)
{
    *out = def;
    IniSection* s = FindSection(section);
    IniEntry* e = s ? FindEntry(*s, key) : nullptr;
    if (e) {
        if (const auto* i = std::get_if<std::int32_t>(&e->value)) {
            if (convert) {
                try {
                    e->value = std::to_string(*i);
                } catch (const std::bad_alloc&) {
                    return *out != nullptr;
                }
            }
        }
        if (const auto* t = std::get_if<std::string>(&e->value))
            *out = t->c_str();
    }
    return *out != nullptr;
}

// The value "0" gives 0; an integer entry gives its value; other texts are
// converted, a non-zero result being the answer and a zero one giving the
// default (when convert is set and the text is wholly a number, the entry
// becomes that integer and 0 is the answer).  A missing entry gives the
// default, where kNoDefault gives 0 and false.
bool IniFile::GetInt(const char* section, const char* key, std::int32_t* out, std::int32_t def,
                     bool convert)
{
    IniSection* s = FindSection(section);
    IniEntry* e = s ? FindEntry(*s, key) : nullptr;
    if (!e || std::holds_alternative<std::monostate>(e->value)) {
        if (def == kNoDefault) {
            *out = 0;
            return false;
        }
        *out = def;
        return true;
    }
    if (const auto* i = std::get_if<std::int32_t>(&e->value)) {
        *out = *i;
        return true;
    }
    const std::string& text = std::get<std::string>(e->value);
    if (text == "0") {
        *out = 0;
        return true;
    }
    bool whole = false;
    const std::int32_t v = ToInt(text, &whole);
    if (v != 0) {
        *out = v;
        return true;
    }
    if (convert && whole) {
        e->value = std::int32_t {0};
        *out = 0;
        return true;
    }
    *out = def == kNoDefault ? 0 : def;
    return true;
}

bool IniFile::SetText(const char* section, const char* key, const char* text)
{
    if (!key || !text)
        return false;
    try {
        IniSection* s = FindOrAddSection(section);
        if (IniEntry* e = FindEntry(*s, key)) {
            e->value = std::string(text);
            return true;
        }
        s->entries.push_back(IniEntry {key, std::string(text)});
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool IniFile::SetInt(const char* section, const char* key, std::int32_t value)
{
    if (!key)
        return false;
    try {
        IniSection* s = FindOrAddSection(section);
        if (IniEntry* e = FindEntry(*s, key)) {
            e->value = value;
            return true;
        }
        s->entries.push_back(IniEntry {key, value});
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool IniFile::AddLine(const char* section, const char* text)
{
    if (!text)
        return false;
    try {
        IniSection* s = FindOrAddSection(section);
        if (!FindEntry(*s, text))
            s->entries.push_back(IniEntry {text, {}});
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void IniFile::RemoveLine(const char* section, const char* key)
{
    IniSection* s = FindSection(section);
    if (!s || !key)
        return;
    for (auto it = s->entries.begin(); it != s->entries.end(); ++it) {
        if (SameText(it->key, key)) {
            s->entries.erase(it);
            return;
        }
    }
}

const char* IniFile::LineAt(const char* section, std::size_t n) const
{
    const IniSection* s = FindSection(section);
    if (!s || n >= s->entries.size())
        return nullptr;
    return s->entries[n].key.c_str();
}

}  // namespace postroom
