// Built only by the engine_rejects_widget_includes test, which expects this
// include to fail: the engine library has no Qt on its include path.
#include "convert/procedure.h"
#include <QWidget>
