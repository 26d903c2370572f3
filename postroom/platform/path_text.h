// PathText owns a file path.  Joining puts the platform separator between
// components; the cutting operations work on the last separator.
#pragma once

#include <string>
#include <string_view>

namespace postroom {

class PathText {
public:
    PathText() = default;
    explicit PathText(const char* text) : text_(text ? text : "") {}
    explicit PathText(std::string_view text) : text_(text) {}

    const char* Text() const { return text_.c_str(); }
    const std::string& Str() const { return text_; }
    bool Empty() const { return text_.empty(); }

    void Assign(std::string_view text) { text_.assign(text); }
    void Append(std::string_view text) { text_.append(text); }
    // Appends the separator (only when not empty) and the name.
    void Join(std::string_view name);
    PathText Joined(std::string_view name) const;
    PathText Appended(std::string_view text) const;
    // Ends the text at its last separator; empty when there is none.
    void CutLastComponent();
    // Ends the text at its last "." when that lies after the last separator.
    void CutExtension();
    bool IsDirectory() const;
    // The part after the last separator, or the whole text.
    std::string_view FileName() const;

private:
    std::string text_;
};

}  // namespace postroom
