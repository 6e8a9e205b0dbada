#include "convert/memory.h"

namespace tolvaren {

ConversionMemory &conversionMemory()
{
    static ConversionMemory memory;
    return memory;
}

} // namespace tolvaren
