// Convert on any three texts of any category. The first byte picks the
// category, the rest is "input|from|to". A small model of the procedure
// (its checks, the memory it leaves, the rules tried in order, the overflow
// after any step) must agree with what Convert returns and leaves behind.

#include "model.h"
#include "reference.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

using tolvaren::ConversionMemory;
using Kind = tolvaren::ConvertOutcome::Kind;

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
    const model::Convert want = model::convert(input, from, to, category, before);

    const auto detail = [&] {
        return std::string(category.formName) + ": input " + fuzzref::shown(input) + ", from " + fuzzref::shown(from) +
               ", to " + fuzzref::shown(to) + ": got " + model::name(got.kind) + " " + fuzzref::shown(got.text) +
               " memory " + fuzzref::shown(memory.InputValue) + " / " + fuzzref::shown(memory.ResultValue) +
               "; expected " + model::name(want.kind) + " memory " + fuzzref::shown(want.memory.InputValue) + " / " +
               fuzzref::shown(want.memory.ResultValue);
    };
    FUZZ_CHECK(got.kind == want.kind, detail());
    FUZZ_CHECK(model::sameMemory(memory, want.memory), detail());
    switch (want.kind) {
    case Kind::IncompleteData: FUZZ_CHECK(got.text == model::incompleteMessage(category.id), detail()); break;
    case Kind::Result:
        FUZZ_CHECK(got.text == tolvaren::Str(memory.ResultValue), detail());
        FUZZ_CHECK(want.matched || (memory.ResultValue == 0 && got.text == " 0"), detail());
        break;
    case Kind::SameUnit:
    case Kind::Overflow: break;
    }
    return 0;
}
