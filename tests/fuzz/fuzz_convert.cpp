// Convert on any three texts of any category. The first byte picks the
// category, the rest is "input|from|to". A small model of the procedure
// (its checks, the memory it leaves, the rules tried in order, the overflow
// after any step) must agree with what Convert returns and leaves behind.

#include "categories/category.h"
#include "convert/procedure.h"
#include "reference.h"
#include "runtime/numbertext.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

using tolvaren::ConversionMemory;
using Kind = tolvaren::ConvertOutcome::Kind;

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

bool sameMemory(const ConversionMemory &a, const ConversionMemory &b)
{
    return sameBits(a.InputValue, b.InputValue) && sameBits(a.ResultValue, b.ResultValue);
}

std::string_view incompleteMessage(tolvaren::CategoryId id)
{
    using tolvaren::CategoryId;
    return (id == CategoryId::Distance || id == CategoryId::Speed) ? "Incomplete data" : "Incomplete Data";
}

const char *kindName(Kind k)
{
    switch (k) {
    case Kind::IncompleteData: return "IncompleteData";
    case Kind::SameUnit: return "SameUnit";
    case Kind::Result: return "Result";
    case Kind::Overflow: return "Overflow";
    }
    return "?";
}

struct Expected {
    Kind kind;
    ConversionMemory memory;
    bool matched = false;
};

Expected model(std::string_view input, std::string_view from, std::string_view to, const tolvaren::Category &category,
               const ConversionMemory &before)
{
    if (input.empty() || to.empty() || from == "This unit..." || from.empty() || to == "...converted to")
        return {Kind::IncompleteData, before};
    if (from == to)
        return {Kind::SameUnit, before};

    Expected e{Kind::Result, {}};
    const tolvaren::ValResult read = tolvaren::Val(input);
    if (read.overflow)
        return {Kind::Overflow, {}};
    e.memory.InputValue = read.value;
    for (const tolvaren::PairRule &rule : category.rules) {
        if (rule.from != from || rule.to != to)
            continue;
        e.matched = true;
        double v = e.memory.InputValue;
        for (std::size_t k = 0; k < rule.steps.size(); ++k) {
            const tolvaren::Step s = rule.steps[k];
            switch (s.op) {
            case tolvaren::Step::Op::Multiply: v = v * s.constant; break;
            case tolvaren::Step::Op::Divide: v = v / s.constant; break;
            case tolvaren::Step::Op::Add: v = v + s.constant; break;
            case tolvaren::Step::Op::Subtract: v = v - s.constant; break;
            }
            if (k + 1 == rule.steps.size())
                e.memory.ResultValue = v;
            if (!std::isfinite(v)) {
                e.kind = Kind::Overflow;
                return e;
            }
        }
    }
    return e;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const auto categories = tolvaren::allCategories();
    const tolvaren::Category &category =
        tolvaren::category(categories[bytes.empty() ? 0 : static_cast<unsigned char>(bytes[0]) % categories.size()]);
    std::string_view rest = bytes.empty() ? bytes : bytes.substr(1);
    const auto cut = [&rest] {
        const std::size_t bar = rest.find('|');
        const std::string_view part = rest.substr(0, bar);
        rest = bar == std::string_view::npos ? std::string_view{} : rest.substr(bar + 1);
        return part;
    };
    const std::string_view input = cut();
    const std::string_view from = cut();
    const std::string_view to = rest;

    // Whatever an earlier Convert left; the checks must not touch it.
    const ConversionMemory before{123.25, -6.5};
    ConversionMemory memory = before;
    const tolvaren::ConvertOutcome got = tolvaren::convert(input, from, to, category, memory);
    const Expected want = model(input, from, to, category, before);

    const auto detail = [&] {
        return std::string(category.formName) + ": input " + fuzzref::shown(input) + ", from " + fuzzref::shown(from) +
               ", to " + fuzzref::shown(to) + ": got " + kindName(got.kind) + " " + fuzzref::shown(got.text) +
               " memory " + fuzzref::shown(memory.InputValue) + " / " + fuzzref::shown(memory.ResultValue) +
               "; expected " + kindName(want.kind) + " memory " + fuzzref::shown(want.memory.InputValue) + " / " +
               fuzzref::shown(want.memory.ResultValue);
    };
    FUZZ_CHECK(got.kind == want.kind, detail());
    FUZZ_CHECK(sameMemory(memory, want.memory), detail());
    switch (want.kind) {
    case Kind::IncompleteData: FUZZ_CHECK(got.text == incompleteMessage(category.id), detail()); break;
    case Kind::Result:
        FUZZ_CHECK(got.text == tolvaren::Str(memory.ResultValue), detail());
        FUZZ_CHECK(want.matched || (memory.ResultValue == 0 && got.text == " 0"), detail());
        break;
    case Kind::SameUnit:
    case Kind::Overflow: break;
    }
    return 0;
}
