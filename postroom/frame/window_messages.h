// The nineteen window messages registered by name, shared with the host's
// windows.  Registered when the library is loaded.
#pragma once

#include <cstdint>

namespace postroom {

enum WindowMessage : int {
    WM_ID_WINDOW_TYPE,
    WM_ID_WINDOWBAR_QUERY_TYPE,
    WM_ID_KEY_PRESS,
    WM_ID_GET_UI_WIN_OBJECT,
    WM_ID_HELP,
    WM_ID_IDENTIFY,
    WM_ID_GOT_CURSOR,
    WM_ID_LOST_CURSOR,
    WM_ID_NOTIFY,
    WM_ID_RELOAD_CONTENT,
    WM_ID_IS_VALID_DROP_TARGET,
    WM_ID_UPDATE_ACTIVE_MDI,
    WM_ID_CTRL_KEY_RELEASED,
    WM_ID_HIGHTLIGHT_DLG_ITEM,
    WM_ID_REDRAW_ENTIRE_WINDOW,
    WM_ID_MDI_CLIENT_UPDATE,
    WM_ID_DELAYED_DMVD_DELETE,
    WM_ID_SELECT_ALL,
    WM_ID_INIT_POPUP_GLOBAL_HOOK,
    WM_ID_COUNT
};

const char* WindowMessageName(int which);
void RegisterWindowMessages();
// The registered number, 0 before registration.
std::uint32_t WindowMessageId(int which);

}  // namespace postroom
