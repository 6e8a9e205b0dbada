// Go on any input text and any prefix text ("input|prefix"): the small
// model of Go must agree.

#include "model.h"
#include "reference.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

using Kind = tolvaren::GoOutcome::Kind;

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
    const model::Go want = model::go(input, prefix);
    const auto detail = [&] {
        return "Go(" + fuzzref::shown(input) + ", " + fuzzref::shown(prefix) + ") = " + model::name(got.kind) + " " +
               fuzzref::shown(got.output) + " " + fuzzref::shown(got.caption) + "; expected " + model::name(want.kind) +
               " " + fuzzref::shown(want.scaled) + " " + fuzzref::shown(want.caption);
    };
    FUZZ_CHECK(got.kind == want.kind, detail());
    if (want.kind == Kind::Result) {
        FUZZ_CHECK(got.output == tolvaren::Str(want.scaled), detail());
        FUZZ_CHECK(got.caption == want.caption, detail());
    }
    return 0;
}
