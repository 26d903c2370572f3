#include "platform/path_text.h"

#include "platform/platform.h"

namespace postroom {

void PathText::Join(std::string_view name)
{
    if (!text_.empty())
        text_.push_back(platform::PathSeparator());
    text_.append(name);
}

PathText PathText::Joined(std::string_view name) const
{
    PathText result(*this);
    result.Join(name);
    return result;
}

PathText PathText::Appended(std::string_view text) const
{
    PathText result(*this);
    result.Append(text);
    return result;
}

void PathText::CutLastComponent()
{
    const auto sep = text_.rfind(platform::PathSeparator());
    if (sep == std::string::npos)
        text_.clear();
    else
        text_.resize(sep);
}

void PathText::CutExtension()
{
    const auto dot = text_.rfind('.');
    if (dot == std::string::npos)
        return;
    const auto sep = text_.rfind(platform::PathSeparator());
    if (sep == std::string::npos || dot > sep)
        text_.resize(dot);
}

bool PathText::IsDirectory() const
{
    return platform::IsDirectory(text_.c_str());
}

std::string_view PathText::FileName() const
{
    const auto sep = text_.rfind(platform::PathSeparator());
    std::string_view all(text_);
    return sep == std::string::npos ? all : all.substr(sep + 1);
}

}  // namespace postroom
