#pragma once
// The test program as a module serving the counter class, as the component's module serves its
// classes.
#include "com/ComModule.h"

// Category the counter class declares at registration.
extern const CATID CATID_CorvaneTestCounters;
// REGISTRY resource of the counter class (ComLayerTest.rc).
constexpr UINT CounterRegistryScript = 201;

ComModule& TestModule();
