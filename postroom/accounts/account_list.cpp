#include "accounts/account_list.h"

#include <new>

#include "accounts/ini_file.h"
#include "frame/module.h"

namespace postroom {

Account::Account(std::string directory, std::string name, std::string email, std::string replyTo)
    : directory_(std::move(directory)), name_(std::move(name)), email_(std::move(email)),
      replyTo_(std::move(replyTo))
{
}

bool Account::IsKindOf(int kind) const
{
    return kind == NODE_ACCOUNT || Node::IsKindOf(kind);
}

AccountList::AccountList(const PathText& mailDirectory) : mailDirectory_(mailDirectory) {}

AccountList::~AccountList()
{
    module::Forget(this);
}

bool AccountList::IsKindOf(int kind) const
{
    return kind == NODE_ACCOUNT_LIST || Node::IsKindOf(kind);
}

bool AccountList::Load()
{
    try {
        IniFile list;
        list.Load(mailDirectory_.Joined("ACCOUNTS.INI").Text());
        const char* active = nullptr;
        if (list.GetText("SETTINGS", "ActiveAccount", &active, nullptr, false))
            activeName_ = active;
        for (std::size_t i = 0;; ++i) {
            const char* dir = list.LineAt("ACCOUNTS", i);
            if (!dir)
                break;
            IniFile settings;
            settings.Load(mailDirectory_.Joined(dir).Joined("ACCOUNT.INI").Text());
            const char* name = nullptr;
            const char* email = nullptr;
            const char* replyTo = nullptr;
            settings.GetText("SETTINGS", "AccountName", &name, dir, false);
            settings.GetText("SETTINGS", "EmailAddress", &email, "", false);
            settings.GetText("SETTINGS", "ReplyTo", &replyTo, "", false);
            Account* a = new (std::nothrow) Account(dir, name, email, replyTo);
            if (!a)
                return false;
            InsertChild(a, kAtEnd);
        }
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

Account* AccountList::At(unsigned index) const
{
    if (index >= static_cast<unsigned>(Count()))
        return nullptr;
    return static_cast<Account*>(ChildAt(static_cast<std::uint16_t>(index)));
}

Account* AccountList::FindByName(const char* name) const
{
    if (!name)
        return nullptr;
    for (Node* c = FirstChild(); c; c = c->NextSibling()) {
        Account* a = static_cast<Account*>(c);
        if (!c->Doomed() && SameText(a->Name(), name))
            return a;
    }
    return nullptr;
}

Account* AccountList::Active() const
{
    if (Account* a = FindByName(activeName_.c_str()))
        return a;
    return At(0);
}

}  // namespace postroom
