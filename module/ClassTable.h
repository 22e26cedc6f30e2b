#pragma once
#include "com/ComModule.h"

// The module's class table: the classes the IDL's coclasses name, one entry each.
ComModule& CorvaneModule();
