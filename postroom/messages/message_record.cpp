#include "messages/message_record.h"

#include <array>
#include <new>

#include "frame/host.h"
#include "frame/texts.h"
#include "messages/header_fields.h"
#include "platform/platform.h"

namespace postroom {

namespace {

constexpr std::int32_t kReadStep = 4096;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (Lower(text[i]) != Lower(prefix[i]))
            return false;
    return true;
}

// The value of a header line: after the colon, blanks and tabs skipped.
std::string_view ValueAfter(std::string_view line, std::size_t nameLength)
{
    std::string_view v = line.substr(nameLength);
    while (!v.empty() && IsBlank(v.front()))
        v.remove_prefix(1);
    return v;
}

// Reads a message sequentially in steps, for the header and line scans.
class Reader {
public:
    Reader(MessageSource* source, int index, std::int32_t start, std::int32_t end)
        : source_(source), index_(index), offset_(start), end_(end)
    {
    }
    // The next physical line without its "\n" and a "\r" before it; false at
    // the end of the message.  *terminated tells whether a "\n" ended it.
    // *error receives a read failure.
    bool NextLine(std::string& line, bool* terminated, int* error)
    {
        line.clear();
        *terminated = false;
        for (;;) {
            if (pos_ == buf_.size()) {
                if (!Fill(error))
                    return !line.empty();
                if (buf_.empty())
                    return !line.empty();
            }
            const std::size_t nl = buf_.find('\n', pos_);
            if (nl == std::string::npos) {
                line.append(buf_, pos_, std::string::npos);
                consumed_ += static_cast<std::int32_t>(buf_.size() - pos_);
                pos_ = buf_.size();
                continue;
            }
            line.append(buf_, pos_, nl - pos_);
            consumed_ += static_cast<std::int32_t>(nl + 1 - pos_);
            pos_ = nl + 1;
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            *terminated = true;
            return true;
        }
    }
    // Offset (from the message start) after the bytes taken so far.
    std::int32_t Consumed() const { return consumed_; }

private:
    bool Fill(int* error)
    {
        buf_.clear();
        pos_ = 0;
        if (offset_ >= end_)
            return false;
        const std::int32_t want = end_ - offset_ < kReadStep ? end_ - offset_ : kReadStep;
        buf_.resize(static_cast<std::size_t>(want));
        std::int32_t got = 0;
        const int r = source_->ReadMessage(index_, offset_, buf_.data(), want, &got);
        if (r != 0 || got <= 0 || got > want) {
            buf_.clear();
            if (r != 0)
                *error = r;
            offset_ = end_;
            return false;
        }
        buf_.resize(static_cast<std::size_t>(got));
        offset_ += got;
        return true;
    }

    MessageSource* source_;
    int index_;
    std::int32_t offset_;
    std::int32_t end_;
    std::string buf_;
    std::size_t pos_ = 0;
    std::int32_t consumed_ = 0;
};

}  // namespace

MessageRecord::MessageRecord(void* owner, MessageSource* mailbox, int index)
    : index_(index), owner_(owner), mailbox_(mailbox)
{
    std::uint32_t flags = 0;
    if (mailbox_->GetFlags(index_, &flags) == 0)
        read_ = (flags & MF_UNREAD) == 0;
    if (mailbox_->GetMessageSize(index_, &size_) != 0 || size_ < 0)
        size_ = 0;
    ParseHeaders();
}

int MessageRecord::ParseHeaders()
{
    if (headersParsed_)
        return parseResult_;
    headersParsed_ = true;
    try {
        Reader reader(mailbox_, index_, 0, size_);
        std::string line, logical;
        bool have = false, terminated = false;
        int error = 0;
        for (;;) {
            if (!reader.NextLine(line, &terminated, &error)) {
                if (have)
                    TakeHeaderLine(logical);
                bodyStart_ = size_;
                parseResult_ = error ? error : PARSE_NO_EMPTY_LINE;
                return parseResult_;
            }
            if (line.empty() && terminated) {
                if (have)
                    TakeHeaderLine(logical);
                bodyStart_ = reader.Consumed();
                CountLines();
                parseResult_ = PARSE_OK;
                return parseResult_;
            }
            if (have && !line.empty() && IsBlank(line.front())) {
                std::string_view more(line);
                while (!more.empty() && IsBlank(more.front()))
                    more.remove_prefix(1);
                logical += ' ';
                logical += more;
            } else {
                if (have)
                    TakeHeaderLine(logical);
                logical.swap(line);
                have = true;
            }
            if (!terminated) {
                TakeHeaderLine(logical);
                bodyStart_ = size_;
                parseResult_ = error ? error : PARSE_NO_EMPTY_LINE;
                return parseResult_;
            }
        }
    } catch (const std::bad_alloc&) {
        parseResult_ = PARSE_NO_MEMORY;
        return parseResult_;
    }
}

void MessageRecord::SplitInto(std::string_view value, std::optional<std::string>& name,
                              std::optional<std::string>& address)
{
    // Split on the raw text: an encoded word can only ever be a name.
    SplitAddressResult parts = SplitAddress(value);
    address = std::move(parts.address);
    name.reset();
    if (parts.name) {
        std::string decoded;
        if (host::DecodeWords(*parts.name, decoded) && !decoded.empty())
            name = std::move(decoded);
    }
}

void MessageRecord::TakeDate(std::string_view value)
{
    date_ = -1;
    dateText_.reset();
    const std::optional<std::int32_t> seconds = ParseDate(value);
    if (!seconds)
        return;
    date_ = *seconds;
    std::string text;
    if (platform::LocalDateTimeText(*seconds, text))
        dateText_ = std::move(text);
}

void MessageRecord::TakeContentType(std::string_view value)
{
    static constexpr std::array<const char*, 4> kAttaching {
        "multipart/mixed", "multipart/parallel", "multipart/digest", "application/octet-stream"};
    if (StartsWithNoCase(value, "multipart/alternative"))
        hasAttachments_ = false;
    for (const char* t : kAttaching)
        if (StartsWithNoCase(value, t))
            hasAttachments_ = true;
    contentType_ = std::string(value);
}

void MessageRecord::TakeSubject(std::string_view line, std::optional<std::string>& out)
{
    std::string decoded;
    if (host::DecodeWords(ValueAfter(line, 8), decoded))
        out = std::move(decoded);
}

void MessageRecord::TakeHeaderLine(std::string_view rawLine)
{
    // A CR or NUL left inside a raw line would end or split a stored value.
    std::string line(rawLine);
    for (char& ch : line)
        if (ch == '\r' || ch == '\0' || ch == '\n')
            ch = ' ';

    struct Field {
        const char* name;
        std::optional<std::string> MessageRecord::*raw;
    };
    if (StartsWithNoCase(line, "subject:")) {
        TakeSubject(line, subject_);
        return;
    }
    if (StartsWithNoCase(line, "date:")) {
        TakeDate(ValueAfter(line, 5));
        return;
    }
    if (StartsWithNoCase(line, "from:")) {
        const std::string_view v = ValueAfter(line, 5);
        if (v.empty()) {
            from_.reset();
            fromName_.reset();
            fromAddress_.reset();
        } else {
            from_ = std::string(v);
            SplitInto(v, fromName_, fromAddress_);
        }
        return;
    }
    if (StartsWithNoCase(line, "to:")) {
        const std::string_view v = ValueAfter(line, 3);
        if (v.empty()) {
            to_.reset();
            toName_.reset();
            toAddress_.reset();
        } else {
            to_ = std::string(v);
            SplitInto(v, toName_, toAddress_);
        }
        return;
    }
    if (StartsWithNoCase(line, "content-type:")) {
        const std::string_view v = ValueAfter(line, 13);
        if (v.empty())
            contentType_.reset();
        else
            TakeContentType(v);
        return;
    }
    if (StartsWithNoCase(line, "organization:")) {
        organization_.reset();
        std::string decoded;
        if (host::DecodeWords(ValueAfter(line, 13), decoded) && !decoded.empty())
            organization_ = std::move(decoded);
        return;
    }
    static const Field kRawFields[] = {
        {"cc:", &MessageRecord::cc_},
        {"bcc:", &MessageRecord::bcc_},
        {"reply-to:", &MessageRecord::replyTo_},
        {"x-priority:", &MessageRecord::xPriority_},
        {"message-id:", &MessageRecord::messageId_},
        {"in-reply-to:", &MessageRecord::inReplyTo_},
        {"newsgroups:", &MessageRecord::newsgroups_},
    };
    for (const Field& f : kRawFields) {
        const std::string_view name(f.name);
        if (!StartsWithNoCase(line, name))
            continue;
        const std::string_view v = ValueAfter(line, name.size());
        if (v.empty())
            (this->*f.raw).reset();
        else
            this->*f.raw = std::string(v);
        if (f.raw == &MessageRecord::xPriority_)
            priority_ = -1;
        return;
    }
}

int MessageRecord::CountLines()
{
    if (linesCounted_)
        return lineCount_;
    std::int32_t offset = bodyStart_;
    int count = 1;
    char block[kReadStep];
    while (offset < size_) {
        const std::int32_t want = size_ - offset < kReadStep ? size_ - offset : kReadStep;
        std::int32_t got = 0;
        if (mailbox_->ReadMessage(index_, offset, block, want, &got) != 0 || got <= 0 || got > want)
            break;
        for (std::int32_t i = 0; i < got; ++i)
            count += block[i] == '\n';
        offset += got;
    }
    lineCount_ = count;
    linesCounted_ = true;
    return lineCount_;
}

int MessageRecord::Priority()
{
    if (priority_ == -1 && xPriority_)
        priority_ = PriorityOf(*xPriority_);
    return priority_;
}

const char* MessageRecord::InfoBlock()
{
    try {
        std::string block;
        if (organization_) {
            block += LoadText(TEXT_ORGANIZATION_LABEL);
            block += ' ';
            block += *organization_;
            block += "\r\n";
        }
        if (replyTo_) {
            block += LoadText(TEXT_REPLY_TO_LABEL);
            block += ' ';
            block += *replyTo_;
            block += "\r\n";
        }
        infoBlock_ = std::move(block);
        return infoBlock_->c_str();
    } catch (const std::bad_alloc&) {
        infoBlock_.reset();
        return nullptr;
    }
}

int MessageRecord::MarkRead()
{
    const int r = mailbox_->ClearFlags(index_, MF_UNREAD);
    if (r == 0)
        read_ = true;
    return r;
}

int MessageRecord::ReadBody(char* buffer, std::int32_t offset, std::int32_t length, std::int32_t* got)
{
    *got = 0;
    if (offset < 0 || length < 0 || offset > size_)
        return 1;
    if (length > size_ - offset)
        length = size_ - offset;
    return mailbox_->ReadMessage(index_, offset, buffer, length, got);
}

}  // namespace postroom
