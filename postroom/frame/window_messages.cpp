#include "frame/window_messages.h"

#include "platform/platform.h"

namespace postroom {

namespace {

const char* const kNames[WM_ID_COUNT] = {
    "kovra_idMsgWindowType",        "kovra_idMsgWindowbarQueryType", "kovra_idMsgKeyPress",
    "kovra_idMsgGetUIWinObject",    "kovra_idMsgHelp",               "kovra_idMsgIdentify",
    "kovra_idMsgGotCursor",         "kovra_idMsgLostCursor",         "kovra_idMsgNotify",
    "kovra_idMsgReloadContent",     "kovra_idMsgIsValidDropTarget",  "kovra_idMsgUpdateActiveMDI",
    "kovra_idMsgCtrlKeyReleased",   "kovra_idMsgHightlightDlgItem",  "kovra_idMsgRedrawEntireWindow",
    "kovra_idMsgMDIClientUpdate",   "kovra_idMsgDelayedDMVDDelete",  "kovra_idMsgSelectAll",
    "kovra_idMsgInitPopupGlobalHook",
};

std::uint32_t g_ids[WM_ID_COUNT] = {};

}  // namespace

const char* WindowMessageName(int which)
{
    return which >= 0 && which < WM_ID_COUNT ? kNames[which] : nullptr;
}

void RegisterWindowMessages()
{
    for (int i = 0; i < WM_ID_COUNT; ++i)
        g_ids[i] = platform::RegisterMessageName(kNames[i]);
}

std::uint32_t WindowMessageId(int which)
{
    return which >= 0 && which < WM_ID_COUNT ? g_ids[which] : 0;
}

}  // namespace postroom
