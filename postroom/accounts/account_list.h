// The account list below the module node, and its accounts as far as the
// frame needs them: names and addresses read from "ACCOUNTS.INI" and each
// account's "ACCOUNT.INI".  Servers, passwords and folders come with the
// account settings proper.
#pragma once

#include <string>

#include "frame/node.h"
#include "platform/path_text.h"

namespace postroom {

class Account : public Node {
public:
    Account(std::string directory, std::string name, std::string email, std::string replyTo);
    bool IsKindOf(int kind) const override;

    const std::string& Directory() const { return directory_; }
    const std::string& Name() const { return name_; }
    const std::string& EmailAddress() const { return email_; }
    const std::string& ReplyTo() const { return replyTo_; }

private:
    std::string directory_;
    std::string name_;
    std::string email_;
    std::string replyTo_;
};

class AccountList : public Node {
public:
    explicit AccountList(const PathText& mailDirectory);
    ~AccountList() override;
    bool IsKindOf(int kind) const override;

    // Reads "ACCOUNTS.INI" and the accounts it lists.  A missing file gives
    // no accounts.
    bool Load();

    int Count() const { return ChildCount(); }
    Account* At(unsigned index) const;
    Account* FindByName(const char* name) const;
    Account* Active() const;
    // The mail directory, as the host is told at shut-down.
    const char* MailDirectory() const { return mailDirectory_.Text(); }

private:
    PathText mailDirectory_;
    std::string activeName_;
};

}  // namespace postroom
