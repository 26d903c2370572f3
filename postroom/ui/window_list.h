// The window list's saved window settings: one record per mail window's
// folder, read from "windowsettings.ini" at start-up and written back at
// shut-down.  The windows themselves are registered here too once they
// exist; until then the records are written back as they were read.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace postroom {

struct WindowSettings {
    std::string name;  // the folder's directory path; compared without case
    std::int32_t splitType = 1;
    std::int32_t splitPos = 50;
    std::int32_t zoomState = 1;
    std::int32_t activeIndex = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 200;
    std::int32_t height = 300;
    std::int32_t maximized = 0;
    std::int32_t minimized = 0;
    std::int32_t open = 1;
};

class WindowList {
public:
    explicit WindowList(std::intptr_t hostFrameWindow) : frame_(hostFrameWindow) {}
    ~WindowList();
    WindowList(const WindowList&) = delete;
    WindowList& operator=(const WindowList&) = delete;

    std::intptr_t FrameWindow() const { return frame_; }

    // Reads the saved settings; a missing file gives none.
    bool ReadSettings(const char* path);
    // Writes them into the file, keeping what else it holds.  False when the
    // file could not be written (the old one is then intact).
    bool WriteSettings(const char* path) const;
    // Records the settings of every open mail window (none yet).
    void CaptureAll();

    // Stores a record, replacing one of the same name.
    bool Store(const WindowSettings& s);
    const WindowSettings* Find(const char* name) const;
    const std::vector<WindowSettings>& Saved() const { return saved_; }

    static WindowList* Current();
    static void SetCurrent(WindowList* list);

private:
    std::intptr_t frame_;  // the host's MDI client; not ours
    std::vector<WindowSettings> saved_;
};

}  // namespace postroom
