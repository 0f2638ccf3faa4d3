#include "core/messages.h"

#include <algorithm>

#include "core/bytes.h"
#include "core/game.h"

namespace qvr {

namespace {

// "QVRTEXT" and a version, so that another of the game's files put in this
// one's place is named for what it is rather than read as texts.
constexpr int32_t kTextsMagic = 0x54525651; // "QVRT"
constexpr int32_t kTextsVersion = 1;

} // namespace

MessageTable::MessageTable(std::vector<MessageEntry> entries) : entries_(std::move(entries))
{
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const int n = entries_[i].number;
        if (n < 1 || n > kLastMessageNumber)
            throw GameError("文章番号 " + std::to_string(n) + " は 1〜" +
                            std::to_string(kLastMessageNumber) + " の外です");
        if (i > 0 && n <= entries_[i - 1].number)
            throw GameError("文章番号 " + std::to_string(n) +
                            " が順番どおりでないか、二度あります");
    }
}

const MessageEntry* MessageTable::find(int n) const
{
    const auto it = std::lower_bound(entries_.begin(), entries_.end(), n,
                                     [](const MessageEntry& e, int key) { return e.number < key; });
    if (it == entries_.end() || it->number != n)
        return nullptr;
    return &*it;
}

std::string_view MessageTable::text(int n) const
{
    const MessageEntry* e = find(n);
    return e ? std::string_view(e->text) : std::string_view{};
}

bool MessageTable::has(int n) const
{
    return find(n) != nullptr;
}

std::vector<uint8_t> EncodeMessageImage(const MessageTable& table)
{
    ByteWriter out;
    out.i32(kTextsMagic);
    out.i32(kTextsVersion);
    out.i32(static_cast<int32_t>(table.all().size()));
    for (const MessageEntry& e : table.all()) {
        out.i32(e.number);
        out.rawText(e.text);
    }
    return std::move(out.bytes());
}

MessageTable DecodeMessageImage(std::span<const uint8_t> image, const std::string& fileName)
{
    ByteReader in(image, fileName);
    in.setContext("見出し");
    if (in.i32() != kTextsMagic)
        in.fail("ゲームの文章のファイルではありません");
    if (const int32_t version = in.i32(); version != kTextsVersion)
        in.fail("版 " + std::to_string(version) + " の文章ファイルは読めません");
    const int32_t count = in.i32();
    if (count < 0 || count > kLastMessageNumber)
        in.fail("文章の数 " + std::to_string(count) + " はありえません");
    std::vector<MessageEntry> entries;
    entries.reserve(static_cast<std::size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        in.setContext(std::to_string(i + 1) + " 番目の文章");
        MessageEntry e;
        e.number = in.i32();
        e.text = in.rawText();
        if (e.number < 1 || e.number > kLastMessageNumber ||
            (!entries.empty() && e.number <= entries.back().number))
            in.fail("文章番号 " + std::to_string(e.number) + " が順番どおりでないか、範囲の外です");
        entries.push_back(std::move(e));
    }
    in.setContext("ファイルの終わり");
    if (in.remaining() != 0)
        in.fail("最後の文章のあとに " + std::to_string(in.remaining()) + " バイト余っています");
    return MessageTable(std::move(entries));
}

std::string_view MessageText(const Game& game, int n)
{
    return game.texts ? game.texts->text(n) : std::string_view{};
}

bool HasMessageText(const Game& game, int n)
{
    return game.texts && game.texts->has(n);
}

} // namespace qvr
