#include "ui/window_list.h"

#include <new>

#include "accounts/ini_file.h"

namespace postroom {

namespace {

WindowList* g_windowList = nullptr;

constexpr const char* kWindowsSection = "WINDOWS";

struct Key {
    const char* name;
    std::int32_t WindowSettings::*field;
    std::int32_t def;
};

constexpr Key kKeys[] = {
    {"splitType", &WindowSettings::splitType, 1},  {"splitPos", &WindowSettings::splitPos, 50},
    {"zoomState", &WindowSettings::zoomState, 1},  {"activeIndex", &WindowSettings::activeIndex, 0},
    {"xPos", &WindowSettings::x, 0},               {"yPos", &WindowSettings::y, 0},
    {"width", &WindowSettings::width, 200},        {"height", &WindowSettings::height, 300},
    {"isMaximized", &WindowSettings::maximized, 0}, {"isIconic", &WindowSettings::minimized, 0},
    {"isOpen", &WindowSettings::open, 1},
};

}  // namespace

WindowList::~WindowList()
{
    if (g_windowList == this)
        g_windowList = nullptr;
}

WindowList* WindowList::Current()
{
    return g_windowList;
}

void WindowList::SetCurrent(WindowList* list)
{
    g_windowList = list;
}

const WindowSettings* WindowList::Find(const char* name) const
{
    for (const WindowSettings& s : saved_)
        if (SameText(s.name, name))
            return &s;
    return nullptr;
}

bool WindowList::Store(const WindowSettings& s)
{
    try {
        for (WindowSettings& old : saved_) {
            if (SameText(old.name, s.name.c_str())) {
                old = s;
                return true;
            }
        }
        saved_.push_back(s);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool WindowList::ReadSettings(const char* path)
{
    IniFile ini;
    ini.Load(path);
    bool ok = true;
    for (std::size_t i = 0;; ++i) {
        const char* name = ini.LineAt(kWindowsSection, i);
        if (!name)
            break;
        WindowSettings s;
        try {
            s.name = name;
        } catch (const std::bad_alloc&) {
            return false;
        }
        for (const Key& k : kKeys)
            ini.GetInt(s.name.c_str(), k.name, &(s.*k.field), k.def, false);
        ok = Store(s) && ok;
    }
    return ok;
}

bool WindowList::WriteSettings(const char* path) const
{
    IniFile ini;
    ini.Load(path);
    for (const WindowSettings& s : saved_) {
        if (!ini.AddLine(kWindowsSection, s.name.c_str()))
            return false;
        for (const Key& k : kKeys)
            if (!ini.SetInt(s.name.c_str(), k.name, s.*k.field))
                return false;
    }
    return ini.Save();
}

void WindowList::CaptureAll()
{
    // Mail windows register here once they exist; with none open every
    // record stays as it was read.
}

}  // namespace postroom
