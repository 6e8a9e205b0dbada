// Go on any input text and any prefix text ("input|prefix"). A small model
// of Go must agree: the missing-value check, the one multiplication by the
// matching prefix, the overflow before the caption is set.

#include "prefix/prefixtable.h"
#include "reference.h"
#include "runtime/numbertext.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

using Kind = tolvaren::GoOutcome::Kind;

const char *kindName(Kind k)
{
    switch (k) {
    case Kind::Missing: return "Missing";
    case Kind::Result: return "Result";
    case Kind::Overflow: return "Overflow";
    }
    return "?";
}

struct Expected {
    Kind kind;
    double scaled = 0.0;
    std::string caption;
};

Expected model(std::string_view input, std::string_view prefix)
{
    if (input.empty() || prefix.empty())
        return {Kind::Missing};
    const tolvaren::ValResult read = tolvaren::Val(input);
    if (read.overflow)
        return {Kind::Overflow};
    Expected e{Kind::Result};
    for (const tolvaren::Prefix &p : tolvaren::prefixTable()) {
        if (p.name != prefix)
            continue;
        e.scaled = read.value * p.multiplier;
        if (!std::isfinite(e.scaled))
            return {Kind::Overflow};
        e.caption = std::string(p.caption);
    }
    return e;
}

// Each caption names the power of ten its multiplier is, and each
// multiplier is the double nearest to that power.
void checkTable()
{
    for (const tolvaren::Prefix &p : tolvaren::prefixTable()) {
        const long power = std::lround(std::log10(p.multiplier));
        const std::string caption = std::string(p.name) + " = 1.00 x 10 raced to " + std::to_string(power);
        const std::string detail = "prefix " + std::string(p.name) + ": " + std::string(p.caption);
        FUZZ_CHECK(p.caption == caption, detail);
        FUZZ_CHECK(p.multiplier == strtod_l(("1e" + std::to_string(power)).c_str(), nullptr, fuzzref::cLocale()),
                   detail);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    checkTable();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const std::size_t bar = bytes.find('|');
    const std::string_view input = bytes.substr(0, bar);
    const std::string_view prefix = bar == std::string_view::npos ? std::string_view{} : bytes.substr(bar + 1);

    const tolvaren::GoOutcome got = tolvaren::go(input, prefix);
    const Expected want = model(input, prefix);
    const auto detail = [&] {
        return "Go(" + fuzzref::shown(input) + ", " + fuzzref::shown(prefix) + ") = " + kindName(got.kind) + " " +
               fuzzref::shown(got.output) + " " + fuzzref::shown(got.caption) + "; expected " + kindName(want.kind) +
               " " + fuzzref::shown(want.scaled) + " " + fuzzref::shown(want.caption);
    };
    FUZZ_CHECK(got.kind == want.kind, detail());
    if (want.kind == Kind::Result) {
        FUZZ_CHECK(got.output == tolvaren::Str(want.scaled), detail());
        FUZZ_CHECK(got.caption == want.caption, detail());
    }
    return 0;
}
