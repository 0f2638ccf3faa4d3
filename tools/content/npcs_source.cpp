#include "tools/content/npcs_source.h"

#include <algorithm>
#include <charconv>

#include "core/messages.h"
#include "core/textformat.h"
#include "tools/content/compile.h"
#include "tools/content/toml_fields.h"

namespace qvr::content {

namespace {

constexpr const char* kGreetingWord = "こんにちは";
constexpr int kLastEncounter = 1250;

// Views into texts that stay where they are while more are added.
struct TextStore {
    std::shared_ptr<std::deque<std::string>> texts = std::make_shared<std::deque<std::string>>();
    std::string_view keep(std::string s)
    {
        texts->push_back(std::move(s));
        return texts->back();
    }
};

struct Checker {
    const std::string& file;
    const Content& content;
    const MessageTable& texts;

    void text(FieldReader& f, const std::string& key, int n) const
    {
        if (n != 0 && !texts.has(n))
            f.fail(key, "names text " + std::to_string(n) + ", which is not in messages.toml");
    }
    void run(FieldReader& f, const std::string& key, TextRun r) const
    {
        if (r.first == 0 && r.last == 0)
            return;
        if (r.first <= 0 || r.last < r.first)
            f.fail(key, "must be [first, last] with first <= last");
        for (int n = r.first; n <= r.last; ++n)
            text(f, key, n);
    }
    void item(FieldReader& f, const std::string& key, int n) const
    {
        if (n != 0 && (n < 1 || n > kItemCount || content.items[n].itemNo == 0))
            f.fail(key, "names item " + std::to_string(n) + ", which the item table lacks");
    }
};

TextRun readRun(FieldReader& f, const std::string& key)
{
    auto v = f.integers(key, 2, 0, 32767, Need::Optional);
    if (!v)
        return {};
    return {static_cast<int16_t>((*v)[0]), static_cast<int16_t>((*v)[1])};
}

int16_t optional(FieldReader& f, const std::string& key, long lo, long hi)
{
    return static_cast<int16_t>(f.integer(key, lo, hi, Need::Optional).value_or(0));
}

void readCharacter(FieldReader& f, const Checker& check, NpcSources& out, TextStore& store,
                   Content& content)
{
    const int no = f.integer("no", 1, kNpcCount);
    NpcDef& d = out.npcs[static_cast<std::size_t>(no)];
    if (d.name != 0)
        f.fail("no", "character " + std::to_string(no) + " is given twice");
    d.name = f.integer("name", 1, 32767);
    d.greeting = f.integer("greeting", 1, 32767);
    d.thanks = store.keep(*f.text("thanks", 200, Need::Required));
    d.specialWare = optional(f, "special_ware", 0, kItemCount);
    d.wareLines = readRun(f, "ware_lines");
    check.text(f, "name", d.name);
    check.text(f, "greeting", d.greeting);
    check.item(f, "special_ware", d.specialWare);
    check.run(f, "ware_lines", d.wareLines);
    NpcShopDef shop;
    auto wares = *f.integers("wares", 10, 1, kItemCount, Need::Required);
    for (std::size_t i = 0; i < wares.size(); ++i) {
        check.item(f, "wares", static_cast<int>(wares[i]));
        shop.wares[static_cast<long>(i + 1)] = static_cast<int16_t>(wares[i]);
    }
    shop.buyFactor = static_cast<float>(*f.real("buy_factor", 0.0, 1.0, Need::Required));
    f.finish();
    content.npcShops[no] = shop;
}

void readReply(FieldReader& f, const Checker& check, NpcSources& out, TextStore& store,
               const Content& content)
{
    NpcReply r;
    r.npc = static_cast<int8_t>(f.integer("npc", 1, kNpcCount));
    r.keyword = store.keep(*f.text("word", 64, Need::Required));
    if (r.keyword.empty())
        f.fail("word", "is empty: nobody could type it");
    const bool first = std::none_of(out.replies.begin(), out.replies.end(),
                                    [&](const NpcReply& o) { return o.npc == r.npc; });
    if (first && r.keyword != kGreetingWord)
        f.fail("word",
               std::string("must be \"") + kGreetingWord + "\" for the first word of a character");
    for (const NpcReply& o : out.replies)
        if (o.npc == r.npc && o.keyword == r.keyword)
            f.fail("word", "\"" + std::string(r.keyword) + "\" is given twice for character " +
                               std::to_string(r.npc) + ": the second could never answer");
    r.lines = readRun(f, "lines");
    const std::string actionName(f.text("action", 16, Need::Optional).value_or("none"));
    const TalkActionInfo* action = FindTalkAction(actionName);
    if (!action)
        f.fail("action", "\"" + actionName + "\" is no action a character can take");
    r.action = action->code;
    r.item = optional(f, "item", 0, kItemCount);
    r.gate = optional(f, "flag", 0, 100);
    r.locked = readRun(f, "locked");
    r.ask = optional(f, "ask", 0, 32767);
    r.done = readRun(f, "done");
    r.fail = optional(f, "fail", 0, 32767);
    r.price = static_cast<int32_t>(f.integer("price", 0, 100000000, Need::Optional).value_or(0));
    r.encounter = optional(f, "encounter", 0, kLastEncounter);
    if (r.encounter != 0 && content.encounterTable(r.encounter, 3) < 1)
        f.fail("encounter", "names encounter " + std::to_string(r.encounter) +
                                ", which has no monsters in encounters.toml");
    r.music = optional(f, "music", 0, 50);
    f.finish();
    check.run(f, "lines", r.lines);
    check.run(f, "locked", r.locked);
    check.run(f, "done", r.done);
    check.text(f, "ask", r.ask);
    check.text(f, "fail", r.fail);
    check.item(f, "item", r.item);
    auto need = [&](bool given, const char* key) {
        if (!given)
            f.fail(key, std::string("is needed by the action \"") + actionName + "\"");
    };
    switch (r.action) {
    case TalkAction::Offer:
        need(r.item != 0, "item");
        need(r.ask != 0, "ask");
        break;
    case TalkAction::PaidGoods:
        need(r.item != 0, "item");
        need(r.ask != 0, "ask");
        need(r.price > 0, "price");
        need(r.fail != 0, "fail");
        break;
    case TalkAction::Fight:
        need(r.encounter != 0, "encounter");
        need(r.ask != 0, "ask");
        break;
    case TalkAction::Riddle:
        need(r.fail != 0, "fail");
        break;
    case TalkAction::SetFlag:
        need(r.gate != 0, "flag");
        break;
    case TalkAction::None:
    case TalkAction::Craft:
        break;
    }
    out.replies.push_back(r);
}

void readRiddle(FieldReader& f, const Checker& check, NpcSources& out, TextStore& store)
{
    RiddleStep s;
    s.npc = static_cast<int8_t>(f.integer("npc", 1, kNpcCount));
    s.question = f.integer("question", 1, 32767);
    check.text(f, "question", s.question);
    const std::string joined = *f.text("answers", 400, Need::Required);
    std::size_t from = 0;
    while (from <= joined.size()) {
        const std::size_t bar = std::min(joined.find('|', from), joined.size());
        const std::string word = joined.substr(from, bar - from);
        if (word.empty())
            f.fail("answers", "holds an empty spelling");
        // Answers are compared in full width: a half-width spelling here
        // could never be matched.
        if (toFullWidth(word) != word)
            f.fail("answers", "\"" + word + "\" must be written in full-width characters");
        from = bar + 1;
    }
    f.finish();
    s.answers = store.keep(joined);
    out.riddle.push_back(s);
}

void readGift(FieldReader& f, const Checker& check, NpcSources& out)
{
    NpcGift g;
    g.npc = static_cast<int8_t>(f.integer("npc", 1, kNpcCount));
    g.item = f.integer("item", 1, kItemCount);
    g.lines = readRun(f, "lines");
    g.becomes = optional(f, "becomes", 0, kItemCount);
    g.setFlag = optional(f, "flag", 0, 100);
    g.floor = optional(f, "floor", 0, 17);
    g.x = optional(f, "x", 0, 19);
    g.y = optional(f, "y", 0, 19);
    g.costsALife = f.integer("costs_a_life", 0, 1, Need::Optional).value_or(0) != 0;
    f.finish();
    check.item(f, "item", g.item);
    check.item(f, "becomes", g.becomes);
    check.run(f, "lines", g.lines);
    for (const NpcGift& o : out.gifts)
        if (o.npc == g.npc && o.item == g.item)
            f.fail("item", "is wanted twice by character " + std::to_string(g.npc));
    out.gifts.push_back(g);
}

} // namespace

NpcSources ReadNpcs(const std::filesystem::path& path, Content& content,
                    const MessageTable& texts)
{
    NpcSources out;
    out.npcs.resize(kNpcCount + 1);
    if (!std::filesystem::exists(path))
        return out;
    out.present = true;
    const std::string file = path.string();
    toml::table root = ParseSource(path);
    TextStore store;
    Checker check{file, content, texts};
    for (const toml::table* t : TablesOf(file, root, "npc")) {
        FieldReader f(file, *t, "npc");
        readCharacter(f, check, out, store, content);
    }
    for (int no = 1; no <= kNpcCount; ++no)
        if (out.npcs[static_cast<std::size_t>(no)].name == 0)
            throw SourceError(file + ": character " + std::to_string(no) +
                              " is missing (characters 1.." + std::to_string(kNpcCount) +
                              " must all be there)");
    for (const toml::table* t : TablesOf(file, root, "talk")) {
        FieldReader f(file, *t, "talk");
        readReply(f, check, out, store, content);
    }
    for (const toml::table* t : TablesOf(file, root, "riddle")) {
        FieldReader f(file, *t, "riddle");
        readRiddle(f, check, out, store);
    }
    for (const toml::table* t : TablesOf(file, root, "gift")) {
        FieldReader f(file, *t, "gift");
        readGift(f, check, out);
    }
    for (const NpcReply& r : out.replies)
        if (r.action == TalkAction::Riddle &&
            std::none_of(out.riddle.begin(), out.riddle.end(),
                         [&](const RiddleStep& s) { return s.npc == r.npc; }))
            throw SourceError(file + ": character " + std::to_string(r.npc) +
                              " asks a riddle but has no [[riddle]] questions");
    for (int no = 1; no <= kNpcCount; ++no)
        if (std::none_of(out.replies.begin(), out.replies.end(),
                         [&](const NpcReply& r) { return r.npc == no; }))
            throw SourceError(file + ": character " + std::to_string(no) + " has no words");
    out.texts = store.texts;
    return out;
}

} // namespace qvr::content
