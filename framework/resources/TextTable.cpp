#include "framework/resources/TextTable.h"

#include "framework/base/Utf8.h"

namespace NSHarrowen {

CTextTable::CTextTable(std::string_view type, uint16_t resource) : type_(type.substr(0, 5)), resource_(resource) { }

const std::string* CTextTable::Entry(int entry) const
{
    if (entry < 0 || entry >= kEntryCount || !entries_[static_cast<size_t>(entry)])
        return nullptr;
    return &*entries_[static_cast<size_t>(entry)];
}

void CTextTable::Store(int entry, std::string text)
{
    if (entry < 0 || entry >= kEntryCount)
        return;
    auto& slot = entries_[static_cast<size_t>(entry)];
    if (!slot)
        slot = std::move(text);
}

namespace {

enum class State { Between, Id, Comment, Text, AfterBrace };

bool IsDigit(uint8_t b)
{
    return b >= '0' && b <= '9';
}

// The parser's state; the id buffer is kept between entries on purpose.
class Parser {
public:
    explicit Parser(CTextTable& table) : table_(table) { }

    void Run(std::span<const uint8_t> bytes)
    {
        for (size_t i = 0; i < bytes.size(); ++i) {
            const uint8_t b = bytes[i];
            const bool hasNext = i + 1 < bytes.size();
            if (Step(b, hasNext ? bytes[i + 1] : 0, hasNext))
                ++i; // an escape consumed the next byte
        }
        // A text still open at the end is dropped.
    }

private:
    // Returns true when the next byte was consumed too.
    bool Step(uint8_t b, uint8_t next, bool hasNext)
    {
        switch (state_) {
        case State::Between:
            if (b == '{')
                state_ = State::AfterBrace;
            else if (IsDigit(b)) {
                id_.assign(1, static_cast<char>(b));
                state_ = State::Id;
            }
            return false;
        case State::Id:
            if (IsDigit(b) && id_.size() < 10)
                id_.push_back(static_cast<char>(b));
            else if (b == '{')
                state_ = State::AfterBrace;
            else
                state_ = State::Between;
            return false;
        case State::AfterBrace:
            if (b == '{' || id_.empty()) {
                state_ = State::Comment;
                return false;
            }
            text_.assign(1, static_cast<char>(b));
            state_ = State::Text;
            return false;
        case State::Text:
            return StepText(b, next, hasNext);
        case State::Comment:
            if (b == '}')
                state_ = State::Between;
            return false;
        }
        return false;
    }

    bool StepText(uint8_t b, uint8_t next, bool hasNext)
    {
        if (b == '}') {
            Finish();
            return false;
        }
        if (text_.size() >= CTextTable::kMaxTextLength) {
            Finish(); // this byte is dropped
            return false;
        }
        if (b == '\t' || b == '\n' || b == '\r')
            return false;
        if (b == '\\') {
            if (!hasNext)
                return false;
            if (next == 'r')
                text_.push_back('\r');
            return true;
        }
        text_.push_back(static_cast<char>(b));
        return false;
    }

    void Finish()
    {
        // At most 10 digits: the value fits in 64 bits.
        const uint64_t entry = std::stoull(id_);
        text_.resize(Utf8CompleteLength(text_));
        if (entry < CTextTable::kEntryCount)
            table_.Store(static_cast<int>(entry), std::move(text_));
        text_.clear();
        state_ = State::Between;
    }

    CTextTable& table_;
    State state_ = State::Between;
    std::string id_;
    std::string text_;
};

} // namespace

void ParseResourceTable(std::span<const uint8_t> bytes, CTextTable& table)
{
    Parser(table).Run(bytes);
}

} // namespace NSHarrowen
