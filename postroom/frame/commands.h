// The command codes of MBAPICall and its results.  The host calls
// MBAPICall(A1, code, A3, A4, A5, A6) with six pointer-sized arguments
// (32-bit in the shipped DLL, standard call) and gets an int back.
#pragma once

#include <cstdint>

namespace postroom {

enum MailCommand : std::uint32_t {
    MBCMD_STARTUP = 1,
    MBCMD_SHUTDOWN = 2,
    MBCMD_OPEN_WINDOW = 9,
    MBCMD_SET_PROPERTY = 10,
    MBCMD_LOCK_UPDATES = 11,
    MBCMD_UNLOCK_UPDATES = 12,
    MBCMD_CHECK_MAIL = 14,
    MBCMD_COMPRESS_ALL = 15,
    MBCMD_REPLY = 16,
    MBCMD_FORWARD = 17,
    MBCMD_DELETE = 18,
    MBCMD_DELETE_FOLDER = 20,
    MBCMD_PREVIOUS = 21,
    MBCMD_NEXT = 22,
    MBCMD_IMPORT_EUDORA = 28,
    MBCMD_FILTERS = 31,
    MBCMD_GET_MAIL_WINDOW = 32,
    MBCMD_CREATE_UI = 33,
    MBCMD_DESTROY_UI = 34,
    MBCMD_SELECTION_COMMAND = 35,
    MBCMD_DELIVER_EVENT = 37,
    MBCMD_OPEN_FIND = 38,
    MBCMD_COMPOSE_TO = 39,
    MBCMD_IMPORT_CONTACTS = 40,
    MBCMD_NEW_ACCOUNT = 41,
    MBCMD_IMPORT_CONTACTS_TOO = 45,
    MBCMD_STOP_IMPORT = 50,
    MBCMD_COMPOSE = 60,
    MBCMD_ACCOUNT_COUNT = 61,
    MBCMD_ACCOUNT_NAME = 62,
    MBCMD_EDIT_ACCOUNT = 63,
    MBCMD_SEND_QUEUED = 68,
    MBCMD_SEND_QUEUED_ALL = 69,
    MBCMD_FORGET_PASSWORDS = 70,
    MBCMD_STOP = 71,
    MBCMD_QUEUE_SEND = 72,
    MBCMD_HOST_NOTIFY = 74,
    MBCMD_SAVE_WINDOWS = 75,
    MBCMD_LOAD_WINDOWS = 76,
    MBCMD_ACCOUNT_ADDRESSES = 77,
};

enum MailResult : std::int32_t {
    MB_OK = 0,
    MB_ERR_UNKNOWN_COMMAND = 23,
    MB_ERR_MISSING_ARGUMENT = 26,
};

}  // namespace postroom
