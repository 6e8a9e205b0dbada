#pragma once

#include "forms/design.h"

// Each form's design lives in a file of its own; the registry finds them by
// name.
namespace tolvaren::design {

const Form &mainForm();
const Form &selectionForm();
const Form &distanceForm();
const Form &massForm();
const Form &tempForm();
const Form &volumeForm();
const Form &speedForm();
const Form &timeForm();
const Form &prefixForm();
const Form &aboutForm();

} // namespace tolvaren::design
