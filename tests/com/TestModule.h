#pragma once
// The test program as a module serving the counter class, as the component's module serves its
// classes.
#include "com/ComModule.h"

// Category the counter class declares at registration.
extern const CATID CATID_CorvaneTestCounters;
// REGISTRY resource of the counter class (ComLayerTest.rc).
constexpr UINT CounterRegistryScript = 201;
// The counter's registry script followed by a key that no registry accepts (ComLayerTest.rc).
constexpr UINT CounterThenUnwritableScript = 202;
// A REGISTRY resource the test program does not have.
constexpr UINT MissingRegistryScript = 299;

ComModule& TestModule();

// The counter's module with a second class whose registry script is missing, so that its
// registration fails after the counter's keys and category are written.
ComModule& ModuleFailingPartWay();

// The counter's module whose first class fails registration after writing part of its keys.
ComModule& ModuleFailingOnFirstClass();
