// MessageRecord: the parsed header block and summary of one stored message,
// read once from its mailbox.  Address headers are split on their raw text;
// only display parts (names, subject, organization) are decoded by the host.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "messages/message_source.h"

namespace postroom {

enum ParseResult : int {
    PARSE_OK = 0,
    PARSE_NO_EMPTY_LINE = 5,
    PARSE_NO_MEMORY = 7,
};

class MessageRecord {
public:
    MessageRecord(void* owner, MessageSource* mailbox, int index);
    virtual ~MessageRecord() = default;
    MessageRecord(const MessageRecord&) = delete;
    MessageRecord& operator=(const MessageRecord&) = delete;

    int ParseHeaders();
    int ParseResultCode() const { return parseResult_; }

    // Takes one unfolded header line.
    virtual void TakeHeaderLine(std::string_view line);
    // Takes the subject from a "Subject:" line.
    virtual void TakeSubject(std::string_view line, std::optional<std::string>& out);

    int CountLines();
    int Priority();
    // "Organization: ...\r\n" and "Reply-To: ...\r\n" for the values set.
    const char* InfoBlock();
    int MarkRead();
    int ReadBody(char* buffer, std::int32_t offset, std::int32_t length, std::int32_t* got);

    bool Read() const { return read_; }
    int Index() const { return index_; }
    void* Owner() const { return owner_; }
    std::int32_t Size() const { return size_; }
    std::int32_t Date() const { return date_; }
    std::int32_t BodyStart() const { return bodyStart_; }
    bool HasAttachments() const { return hasAttachments_; }
    int LineCount() const { return lineCount_; }
    std::int32_t BodyLength() const { return bodyLength_; }
    void SetBodyLength(std::int32_t n) { bodyLength_ = n; }

    const char* Subject() const { return Get(subject_); }
    const char* DateText() const { return Get(dateText_); }
    const char* FromName() const { return Get(fromName_); }
    const char* FromAddress() const { return Get(fromAddress_); }
    const char* ToName() const { return Get(toName_); }
    const char* ToAddress() const { return Get(toAddress_); }
    const char* Newsgroups() const { return Get(newsgroups_); }
    const char* RawTo() const { return Get(to_); }
    const char* RawFrom() const { return Get(from_); }
    const char* Cc() const { return Get(cc_); }
    const char* Bcc() const { return Get(bcc_); }
    const char* ReplyTo() const { return Get(replyTo_); }
    const char* XPriority() const { return Get(xPriority_); }
    const char* MessageId() const { return Get(messageId_); }
    const char* InReplyTo() const { return Get(inReplyTo_); }
    const char* Organization() const { return Get(organization_); }
    const char* ContentType() const { return Get(contentType_); }

private:
    static const char* Get(const std::optional<std::string>& t) { return t ? t->c_str() : nullptr; }
    void SplitInto(std::string_view value, std::optional<std::string>& name,
                   std::optional<std::string>& address);
    void TakeDate(std::string_view value);
    void TakeContentType(std::string_view value);

    bool read_ = false;
    int index_;
    void* owner_;            // not owned: the folder or list that asked
    MessageSource* mailbox_; // not owned
    std::int32_t size_ = 0;
    std::optional<std::string> subject_;
    std::int32_t date_ = -1;
    std::optional<std::string> dateText_;
    std::optional<std::string> fromName_, fromAddress_, toName_, toAddress_, newsgroups_;
    std::int32_t bodyStart_ = 0;
    std::optional<std::string> to_, from_, cc_, bcc_, replyTo_, xPriority_, messageId_,
        inReplyTo_, organization_;
    std::optional<std::string> contentType_;
    std::optional<std::string> infoBlock_;
    int priority_ = -1;
    bool hasAttachments_ = false;
    int lineCount_ = 0;
    bool linesCounted_ = false;
    bool headersParsed_ = false;
    int parseResult_ = PARSE_OK;
    std::int32_t bodyLength_ = 0;
};

}  // namespace postroom
