// Localised texts.  Every user-visible text has a number (201 to 477, and
// 1000).  The host is asked first; the module's own table answers otherwise.
#pragma once

namespace postroom {

enum TextNumber : int {
    TEXT_REPLY_TO_LABEL = 274,
    TEXT_ORGANIZATION_LABEL = 277,
    TEXT_CREATE_ACCOUNT_CAPTION = 419,
    TEXT_CREATE_ACCOUNT_QUESTION = 420,
};

enum TextKind : int {
    TEXT_KIND_TEXT = 0,
    TEXT_KIND_MENU = 1,
};

// The text of a number.  Null for numbers outside the module's range, and for
// menu texts (kind 1) when the host answers without a text.  The text stays
// valid until FreeTextCache.
const char* LoadText(int number, int kind = TEXT_KIND_TEXT);

// The module's own text of a number, or null.
const char* OwnText(int number);

// Forgets the cached texts (at shut-down).
void FreeTextCache();

}  // namespace postroom
