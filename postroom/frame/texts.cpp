#include "frame/texts.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <new>
#include <string>

#include "frame/host.h"

namespace postroom {

namespace {

struct OwnTextRow {
    int number;
    const char* text;
};

constexpr OwnTextRow kOwnTexts[] = {
#include "frame/text_table.inc"
};

// Host texts are copied: the host promises nothing about how long its
// pointer stays good.
std::map<int, std::string>* g_cache = nullptr;

bool InRange(int number)
{
    return (number >= 201 && number <= 477) || number == 1000;
}

}  // namespace

const char* OwnText(int number)
{
    const auto it = std::lower_bound(std::begin(kOwnTexts), std::end(kOwnTexts), number,
                                     [](const OwnTextRow& r, int n) { return r.number < n; });
    if (it == std::end(kOwnTexts) || it->number != number)
        return nullptr;
    return it->text;
}

const char* LoadText(int number, int kind)
{
    if (!InRange(number))
        return nullptr;
    const char* answer = nullptr;
    const std::int32_t r = host::Call(HC_LOCALISED_TEXT, static_cast<HostArg>(number),
                                      static_cast<HostArg>(kind), host::Arg(&answer));
    if (r == 0 && answer) {
        try {
            if (!g_cache)
                g_cache = new std::map<int, std::string>;
            std::string& slot = (*g_cache)[number * 2 + (kind ? 1 : 0)];
            slot = answer;
            return slot.c_str();
        } catch (const std::bad_alloc&) {
            return OwnText(number);
        }
    }
    if (r == 0 && kind != TEXT_KIND_TEXT)
        return nullptr;
    return OwnText(number);
}

void FreeTextCache()
{
    delete g_cache;
    g_cache = nullptr;
}

}  // namespace postroom
